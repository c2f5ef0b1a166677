#include "mime/QuotedPrintable.h"

#include "mime/HexDigits.h"

namespace orvane {
namespace {

// RFC 2045 section 6.7, rule 5: at most 76 characters, so a line that goes
// on after a soft break holds 75 and the "=".
constexpr size_t kMaxContent = 75;

bool IsLiteral(unsigned char b) {
  return (b >= 33 && b <= 60) || (b >= 62 && b <= 126);
}

bool IsPhraseLiteral(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '!' ||
         b == '*' || b == '+' || b == '-' || b == '/';
}

void AppendEscape(AnsiString& out, unsigned char b) {
  out += '=';
  out += kUpperHexDigits[b >> 4];
  out += kUpperHexDigits[b & 15];
}

}  // namespace

AnsiString QuotedPrintableEncode(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  AnsiString out;
  out.reserve(bytes.size() + bytes.size() / 8 + 16);
  size_t lineStart = 0;
  size_t lastSpace = AnsiString::npos;  // index in out of the last literal space of the line
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      out += "\r\n";
      ++i;
      lineStart = out.size();
      lastSpace = AnsiString::npos;
      continue;
    }
    bool literal = IsLiteral(b);
    if (b == ' ' || b == '\t') literal = i + 1 < bytes.size() && bytes[i + 1] != '\r';
    const size_t width = literal ? 1 : 3;
    while (out.size() - lineStart + width > kMaxContent) {
      if (lastSpace != AnsiString::npos) {
        out.insert(lastSpace + 1, "=\r\n");
        lineStart = lastSpace + 4;
        lastSpace = AnsiString::npos;
      } else {
        out += "=\r\n";
        lineStart = out.size();
      }
    }
    if (literal) {
      if (b == ' ') lastSpace = out.size();
      out += static_cast<char>(b);
    } else {
      AppendEscape(out, b);
    }
  }
  return out;
}

AnsiString QuotedPrintableDecode(std::string_view text) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=' || text.size() - i < 3) {
      out += text[i];
      continue;
    }
    const char a = text[i + 1];
    const char b = text[i + 2];
    if (a == '\r' && b == '\n') {
      // soft line break
    } else if (UpperHexValue(a) >= 0 && UpperHexValue(b) >= 0) {
      out += static_cast<char>(UpperHexValue(a) << 4 | UpperHexValue(b));
    } else {
      out += ' ';
    }
    i += 2;
  }
  return out;
}

AnsiString QEscape(std::string_view bytes, bool phrase) {
  AnsiString out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (phrase ? IsPhraseLiteral(b) : IsLiteral(b) && b != '?' && b != '_') {
      out += c;
    } else {
      AppendEscape(out, b);
    }
  }
  return out;
}

}  // namespace orvane
