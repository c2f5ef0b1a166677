#pragma once

#include <cstdint>

#include "mime/LineList.h"
#include "platform/Types.h"

namespace orvane {

// Line-wise base64 and uuencode between a byte buffer and a list of lines.
// The owner sets Mode and Stream before each use.
class TZelCorder {
 public:
  // The encoded text, one line per entry.
  TLineList Lines;
  // 0 base64, 1 uuencode, 2 7bit.
  std::uint8_t Mode = 0;
  // The raw bytes; not owned. Nothing happens while it is null.
  AnsiString* Stream = nullptr;

  // Cuts the whole stream into pieces of 48 bytes and writes each as one
  // base64 line of 64 characters (the last one shorter); an empty stream
  // gives one empty line. Lines are base64 whatever the mode.
  void Encode();
  // Decodes every line by itself (base64 in mode 0, uuencode in mode 1) and
  // puts the joined bytes into the emptied stream; in other modes the
  // stream receives the lines as they are, each followed by CR LF.
  void Decode();
  // "Base64", "x-uuencode", or "7bit" for every other mode.
  const char* ModeName() const;
};

}  // namespace orvane
