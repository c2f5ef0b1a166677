#include "mime/Uuencode.h"

#include "mime/TextLines.h"

namespace orvane {
namespace {

// A character stands for its code minus 32; the grave accent (96) for 0.
unsigned SixBits(char c) {
  return (static_cast<unsigned char>(c) - 0x20u) & 0x3Fu;
}

void DecodeOneLine(std::string_view line, AnsiString& out) {
  if (line.empty()) return;
  size_t remaining = SixBits(line[0]);
  size_t i = 1;
  while (remaining > 0) {
    unsigned v = 0;
    for (int k = 0; k < 4; ++k, ++i) v = v << 6 | (i < line.size() ? SixBits(line[i]) : 0);
    const size_t yield = remaining < 3 ? remaining : 3;
    for (size_t k = 0; k < yield; ++k) out += static_cast<char>(v >> (16 - 8 * k));
    remaining -= yield;
  }
}

}  // namespace

AnsiString UudecodeLine(std::string_view text) {
  AnsiString out;
  AppendUudecoded(text, out);
  return out;
}

void AppendUudecoded(std::string_view text, AnsiString& out) {
  size_t pos = 0;
  for (std::string_view line; NextLine(text, pos, line);) DecodeOneLine(line, out);
}

}  // namespace orvane
