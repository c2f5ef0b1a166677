#include "app/MessageFile.h"

#include "app/MessageFileName.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// The folder as a prefix: the setting exactly as stored.
std::string FolderPrefix(const IniFileUnit& settings) {
  const fs::path folder = SjisToPath(ReadMessageFolderSetting(settings));
  std::error_code ec;
  return fs::is_directory(folder, ec) ? folder.native() : settings.ProgramFolder().native() + "/";
}

}  // namespace

AnsiString ReadMessageFolderSetting(const IniFileUnit& settings) {
  return settings.ReadGeneralString(keys::kOptionSection, keys::kPathKey,
                                    PathToSjis(settings.ProgramFolder().native() + "/"));
}

fs::path MessageFilePath(const IniFileUnit& settings, const Clock& clock,
                         const MessageFileRequest& request, const AnsiString& messageId) {
  const WideString extension = SjisToWide(settings.Read(keys::kExtention));
  MessageFileNameSource source;
  source.rule = settings.Read(keys::kFileName);
  source.subject = request.subject;
  source.messageId = messageId;
  source.commandLine = &request.commandLine;
  source.now = clock.Now();
  const std::string prefix = FolderPrefix(settings);
  const std::string suffix = "." + WideToUtf8(extension);
  // A folder typed without its separator runs into the file's own name.
  const size_t reserved = prefix.size() - (prefix.rfind('/') + 1) + suffix.size();
  const WideString name =
      FitFileName(ReplaceFileNameChars(ChooseMessageFileName(source)), reserved);
  return fs::path(prefix + WideToUtf8(name) + suffix);
}

std::optional<fs::path> WriteMessageFile(const IniFileUnit& settings, const Clock& clock,
                                         const MessageFileRequest& request, TZelMime& mime,
                                         const std::function<void()>& composeMessage) {
  composeMessage();
  if (!request.makeFile) return std::nullopt;
  const fs::path path = MessageFilePath(settings, clock, request, mime.MessageId());
  // The system would take a name with a NUL for the shorter name before it.
  if (path.native().find('\0') != std::string::npos) throw CannotCreateFile(path);
  try {
    mime.SaveToFile(path);
  } catch (const FileError&) {
    throw CannotCreateFile(path);
  }
  return path;
}

}  // namespace orvane
