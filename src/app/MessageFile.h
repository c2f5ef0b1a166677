#pragma once

#include <filesystem>
#include <functional>

#include "mime/ZelMime.h"
#include "platform/Clock.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the message file is named from, besides the settings and the
// composed message.
struct MessageFileRequest {
  WideString subject;               // the subject field's text
  std::filesystem::path startFile;  // see StartFile
  // What the user is told once the file is written, when it went to the
  // program folder because Option/PATH names no existing folder.
  std::function<void(const WideString&)> notice;
};

// Writes the composed message text unchanged to its message file
// (MessageFilePath), creating or overwriting it, and returns its path. A
// file that cannot be written throws FileError "ファイル %s を作成できません".
// A file written to the program folder in place of a missing Option/PATH
// folder is told through the request's notice.
std::filesystem::path WriteMessageFile(const IniFileUnit& settings, const Clock& clock,
                                       const MessageFileRequest& request, const TZelMime& mime);

// Option/PATH as stored; the program folder with a separator at its end
// when it is missing.
AnsiString ReadMessageFolderSetting(const IniFileUnit& settings);

// Option/PATH (the program folder when it is empty or names no existing
// folder) used as a prefix as it is stored, followed by the name of the naming rule
// Option/FileName with its characters replaced, "." and Option/Extention;
// the name is shortened when the whole would not fit in one file name.
std::filesystem::path MessageFilePath(const IniFileUnit& settings, const Clock& clock,
                                      const MessageFileRequest& request,
                                      const AnsiString& messageId);

}  // namespace orvane
