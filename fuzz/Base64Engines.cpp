#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/Base64Engine.h"

// The first byte picks the line length; the rest is encoded, and decoded as
// text, by every engine this processor runs and by the scalar one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t lineLength = data[0] % 20 * 4;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const orvane::TBase64Engine& scalar = orvane::ScalarBase64();
  orvane::AnsiString lines, decoded;
  orvane::AppendBase64LinesWith(scalar, bytes, lines, lineLength);
  orvane::AppendBase64DecodedWith(scalar, bytes, decoded);
  for (const orvane::TBase64Engine* engine : orvane::Base64Engines()) {
    orvane::AnsiString engineLines, engineDecoded;
    orvane::AppendBase64LinesWith(*engine, bytes, engineLines, lineLength);
    orvane::AppendBase64DecodedWith(*engine, bytes, engineDecoded);
    if (engineLines != lines || engineDecoded != decoded) __builtin_trap();
  }
  return 0;
}
