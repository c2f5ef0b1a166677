#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// How attachment file names are written.
enum TAttachNameEncode {
  aeMimeB,    // RFC 2047 encoded words in double quotes
  aeRfc2231,  // RFC 2231 parameters
  aeJis,      // raw ISO-2022-JP in double quotes
  aeSjis,     // raw Shift_JIS in double quotes
};

struct TAttachmentNameParams {
  AnsiString Name;      // the name parameter of Content-Type
  AnsiString FileName;  // the filename parameter of Content-Disposition
};

// The name part of file as the two parameters, each beginning with a space
// so that it forms a continuation line of the field it follows. With
// aeRfc2231 a name that quoting cannot carry as it is (not ASCII, or
// holding control bytes, '"' or '\') is percent-encoded in ISO-2022-JP, or
// in UTF-7 when Shift_JIS cannot hold every character. A line break in a
// raw name never starts a field of its own.
TAttachmentNameParams EncodeAttachmentName(const std::filesystem::path& file,
                                           TAttachNameEncode mode);

}  // namespace orvane
