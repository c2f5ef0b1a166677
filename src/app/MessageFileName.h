#pragma once

#include <filesystem>

#include "app/cmdline.h"
#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

// The characters a file name may not hold on the system the message files
// were first made for, each replaced by its full-width form: \ / : * ? < >
// | and ".", so that the dot before the extension is the only one. Control
// characters become their pictures (ESC "␛", LF "␊", DEL "␡"), C1 controls
// U+FFFD.
WideString ReplaceFileNameChars(const WideString& text);

// The naming rules of Option/FileName.
enum class MessageFileNaming { Subject = 0, Date = 1, MessageId = 2, BodyFile = 3 };

// What the naming rules choose from.
struct MessageFileNameSource {
  int rule = 0;  // Option/FileName; a value outside 0 to 3 names by subject
  WideString subject;
  AnsiString messageId;  // the composed message's, brackets included
  std::filesystem::path startFile;  // see StartFile
  TimePoint now{};
};

// The name before its characters are replaced: the subject (the time stamp
// when it is empty), the time stamp, the Message-ID (the time stamp when
// there is none), or the base name of the start file (the time stamp when
// it names no existing file).
WideString ChooseMessageFileName(const MessageFileNameSource& source);

// What argument 1 of the command line names, which the naming rule
// BodyFile names message files after; empty without one.
std::filesystem::path StartFile(const Arguments& commandLine);

// The local time as "yyyymmdd-hhmmss".
WideString FileTimeStamp(TimePoint moment);

// The longest name a file system entry may have, in bytes.
inline constexpr size_t kMaxFileNameBytes = 255;

// The name cut at a character boundary so that it fits in a file name
// beside reservedBytes bytes of other text (the dot and the extension), in
// kMaxFileNameBytes bytes of UTF-8; a name that fits is unchanged.
WideString FitFileName(const WideString& name, size_t reservedBytes);

}  // namespace orvane
