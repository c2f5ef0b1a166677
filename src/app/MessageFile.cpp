#include "app/MessageFile.h"

#include "app/MessageFileName.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// Where the file went comes first: a narrow status bar cuts the end.
constexpr const char16_t* kFolderMissing =
    u"プログラムのフォルダに作成しました (保存するフォルダ %s が見つかりません)";

struct MessageFileTarget {
  fs::path path;
  std::optional<WideString> missingFolder;  // Option/PATH, when it named no folder
};

MessageFileTarget ChooseTarget(const IniFileUnit& settings, const Clock& clock,
                               const MessageFileRequest& request, const AnsiString& messageId) {
  // The folder as a prefix: the setting exactly as stored.
  MessageFileTarget target;
  std::string prefix = settings.ProgramFolder().native() + "/";
  if (const AnsiString stored = settings.ReadGeneralString(keys::kOptionSection, keys::kPathKey, "");
      !stored.empty()) {
    const fs::path folder = SjisToPath(stored);
    std::error_code ec;
    if (fs::is_directory(folder, ec))
      prefix = folder.native();
    else
      target.missingFolder = SjisToWide(stored);
  }
  const WideString extension = SjisToWide(settings.Read(keys::kExtention));
  MessageFileNameSource source;
  source.rule = settings.Read(keys::kFileName);
  source.subject = request.subject;
  source.messageId = messageId;
  source.startFile = request.startFile;
  source.now = clock.Now();
  const std::string suffix = "." + WideToUtf8(extension);
  // A folder typed without its separator runs into the file's own name.
  const size_t reserved = prefix.size() - (prefix.rfind('/') + 1) + suffix.size();
  const WideString name =
      FitFileName(ReplaceFileNameChars(ChooseMessageFileName(source)), reserved);
  target.path = fs::path(prefix + WideToUtf8(name) + suffix);
  return target;
}

}  // namespace

AnsiString ReadMessageFolderSetting(const IniFileUnit& settings) {
  return settings.ReadGeneralString(keys::kOptionSection, keys::kPathKey,
                                    PathToSjis(settings.ProgramFolder().native() + "/"));
}

fs::path MessageFilePath(const IniFileUnit& settings, const Clock& clock,
                         const MessageFileRequest& request, const AnsiString& messageId) {
  return ChooseTarget(settings, clock, request, messageId).path;
}

fs::path WriteMessageFile(const IniFileUnit& settings, const Clock& clock,
                          const MessageFileRequest& request, const TZelMime& mime) {
  const MessageFileTarget target = ChooseTarget(settings, clock, request, mime.MessageId());
  // The system would take a name with a NUL for the shorter name before it.
  if (target.path.native().find('\0') != std::string::npos) throw CannotCreateFile(target.path);
  try {
    mime.SaveToFile(target.path);
  } catch (const FileError&) {
    throw CannotCreateFile(target.path);
  }
  if (target.missingFolder && request.notice)
    request.notice(FormatMessage(kFolderMissing, *target.missingFolder));
  return target.path;
}

}  // namespace orvane
