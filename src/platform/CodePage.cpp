#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace orvane {
namespace {

constexpr char16_t kSjisInvalid = u'\u30FB';

bool IsSjisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsSjisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Code page 932 as lookup tables, filled once from glibc's CP932 (which is
// Microsoft's table) so that converting is a table look-up per character.
struct Cp932Tables {
  std::array<char16_t, 256> single{};         // 0 where the byte is a lead byte
  std::array<char16_t, 0x10000> twoByte{};    // lead << 8 | trail; 0: no character
  std::array<std::uint16_t, 0x10000> encode{};  // 0: not representable (U+0000 aside)

  Cp932Tables() {
    Iconv decoder("UTF-16LE", "CP932");
    Iconv encoder("CP932", "UTF-16LE");
    for (int b = 0; b < 0x80; ++b) single[b] = static_cast<char16_t>(b);
    for (int b = 0xA1; b <= 0xDF; ++b) single[b] = static_cast<char16_t>(0xFF61 + b - 0xA1);
    // The bytes Windows decodes although no character is assigned to them.
    single[0x80] = u'\u0080';
    single[0xA0] = u'\uF8F0';
    single[0xFD] = u'\uF8F1';
    single[0xFE] = u'\uF8F2';
    single[0xFF] = u'\uF8F3';
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsSjisLead(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsSjisTrail(static_cast<unsigned char>(trail))) continue;
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char16_t out[2] = {};
        char* ip = in;
        size_t il = 2;
        char* op = reinterpret_cast<char*>(out);
        size_t ol = sizeof out;
        iconv(decoder.get(), nullptr, nullptr, nullptr, nullptr);
        if (iconv(decoder.get(), &ip, &il, &op, &ol) != static_cast<size_t>(-1) && ol == 2)
          twoByte[lead << 8 | trail] = out[0];
      }
    }
    for (std::uint32_t c = 1; c < 0x10000; ++c) {
      if (c >= 0xD800 && c < 0xE000) continue;
      char16_t in = static_cast<char16_t>(c);
      unsigned char out[4] = {};
      char* ip = reinterpret_cast<char*>(&in);
      size_t il = 2;
      char* op = reinterpret_cast<char*>(out);
      size_t ol = sizeof out;
      iconv(encoder.get(), nullptr, nullptr, nullptr, nullptr);
      if (iconv(encoder.get(), &ip, &il, &op, &ol) == static_cast<size_t>(-1)) continue;
      size_t n = sizeof out - ol;
      if (n == 1) encode[c] = out[0];
      if (n == 2) encode[c] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    }
    for (int b : {0x80, 0xA0, 0xFD, 0xFE, 0xFF}) encode[single[b]] = static_cast<std::uint16_t>(b);
  }
};

const Cp932Tables& Cp932() {
  static const auto* tables = new Cp932Tables();
  return *tables;
}

const char* IconvName(int codePage) {
  switch (codePage) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1252: return "CP1252";
    case 28592: return "ISO-8859-2";
    case 28593: return "ISO-8859-3";
    case 28594: return "ISO-8859-4";
    case 28595: return "ISO-8859-5";
    case 28596: return "ISO-8859-6";
    case 28597: return "ISO-8859-7";
    case 28598: return "ISO-8859-8";
    case 51949: return "EUC-KR";
    case 65000: return "UTF-7";
    default: return nullptr;
  }
}

}  // namespace

AnsiString WideToSjis(std::u16string_view text, bool* usedDefault) {
  const auto& t = Cp932();
  AnsiString out;
  out.reserve(text.size() * 2);
  bool lost = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == 0) {
      out.push_back('\0');
      continue;
    }
    std::uint16_t code = t.encode[c];
    if (code == 0) {
      if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
      out.push_back('?');
      lost = true;
    } else if (code < 0x100) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
  }
  if (usedDefault) *usedDefault = lost;
  return out;
}

WideString SjisToWide(std::string_view bytes) {
  const auto& t = Cp932();
  WideString out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    if (!IsSjisLead(b)) {
      out.push_back(t.single[b]);
      continue;
    }
    if (i + 1 < bytes.size() && IsSjisTrail(static_cast<unsigned char>(bytes[i + 1]))) {
      char16_t c = t.twoByte[b << 8 | static_cast<unsigned char>(bytes[i + 1])];
      out.push_back(c ? c : kSjisInvalid);
      ++i;
    } else {
      out.push_back(kSjisInvalid);
    }
  }
  return out;
}

bool SjisRoundTrips(std::u16string_view text) {
  bool lost = false;
  const AnsiString stored = WideToSjis(text, &lost);
  return !lost && SjisToWide(stored) == text;
}

std::string WideToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | c >> 18));
      out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

namespace {

// Decodes one UTF-8 sequence at bytes[i]; returns its length, 0 when invalid.
size_t DecodeUtf8At(std::string_view bytes, size_t i, char32_t& c) {
  auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  size_t len;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > bytes.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = c << 6 | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

WideString Utf8ToWide(std::string_view bytes) {
  WideString out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    char32_t c;
    size_t len = DecodeUtf8At(bytes, i, c);
    if (len == 0) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    i += len;
    if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    char32_t c;
    size_t len = DecodeUtf8At(bytes, i, c);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::optional<AnsiString> EncodeCodePage(std::u16string_view text, int codePage,
                                         bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  if (codePage == 932) return WideToSjis(text, usedDefault);
  if (codePage == 65001) return WideToUtf8(text);
  const char* name = IconvName(codePage);
  if (!name) return std::nullopt;
  Iconv cd(name, "UTF-16LE");
  if (!cd.ok()) return std::nullopt;

  AnsiString out;
  std::string buffer(4096, '\0');
  auto* ip = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  size_t il = text.size() * 2;
  auto drain = [&](char* op) { out.append(buffer.data(), op - buffer.data()); };
  while (il > 0) {
    char* op = buffer.data();
    size_t ol = buffer.size();
    size_t r = iconv(cd.get(), &ip, &il, &op, &ol);
    drain(op);
    if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // Not representable (or a lone surrogate): the default character stands in.
    char16_t c;
    std::memcpy(&c, ip, 2);
    size_t skip = 2;
    if (IsHighSurrogate(c) && il >= 4) {
      char16_t next;
      std::memcpy(&next, ip + 2, 2);
      if (IsLowSurrogate(next)) skip = 4;
    }
    ip += std::min(skip, il);
    il -= std::min(skip, il);
    char* fp = buffer.data();
    size_t fl = buffer.size();
    iconv(cd.get(), nullptr, nullptr, &fp, &fl);  // leave any shift state first
    drain(fp);
    out.push_back(DefaultCharOf(codePage));
    if (usedDefault) *usedDefault = true;
  }
  char* op = buffer.data();
  size_t ol = buffer.size();
  iconv(cd.get(), nullptr, nullptr, &op, &ol);
  drain(op);
  return out;
}

std::optional<WideString> DecodeCodePage(std::string_view bytes, int codePage) {
  if (codePage == 932) return SjisToWide(bytes);
  if (codePage == 65001) return Utf8ToWide(bytes);
  const char* name = IconvName(codePage);
  if (!name) return std::nullopt;
  Iconv cd("UTF-16LE", name);
  if (!cd.ok()) return std::nullopt;

  WideString out;
  std::u16string buffer(4096, u'\0');
  auto* ip = const_cast<char*>(bytes.data());
  size_t il = bytes.size();
  while (il > 0) {
    char* op = reinterpret_cast<char*>(buffer.data());
    size_t ol = buffer.size() * 2;
    size_t r = iconv(cd.get(), &ip, &il, &op, &ol);
    out.append(buffer.data(), (op - reinterpret_cast<char*>(buffer.data())) / 2);
    if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
    out.push_back(u'\uFFFD');
    if (errno == EINVAL) break;  // an incomplete sequence at the end
    // glibc's CP949 reports an unassigned pair after it has consumed it, so
    // the input may already be used up here.
    if (il == 0) break;
    ++ip;
    --il;
  }
  return out;
}

char DefaultCharOf(int) { return '?'; }

}  // namespace orvane
