#include "mime/TransferEncoding.h"

#include <array>
#include <cstdint>

namespace orvane {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// 0-63 for the alphabet, 64 for "=", 65 for anything else.
constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
  std::array<std::uint8_t, 256> t{};
  for (auto& v : t) v = 65;
  for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
  t['='] = 64;
  return t;
}
constexpr auto kDecode = MakeDecodeTable();

}  // namespace

AnsiString Base64Encode(std::string_view bytes) {
  AnsiString out((bytes.size() + 2) / 3 * 4, '\0');
  auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char* o = out.data();
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3, o += 4) {
    std::uint32_t v = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
    o[0] = kAlphabet[v >> 18];
    o[1] = kAlphabet[v >> 12 & 63];
    o[2] = kAlphabet[v >> 6 & 63];
    o[3] = kAlphabet[v & 63];
  }
  if (size_t rest = bytes.size() - i; rest > 0) {
    std::uint32_t v = in[i] << 16 | (rest == 2 ? in[i + 1] << 8 : 0);
    o[0] = kAlphabet[v >> 18];
    o[1] = kAlphabet[v >> 12 & 63];
    o[2] = rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    o[3] = '=';
  }
  return out;
}

AnsiString Base64Decode(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if (c != '\r' && c != '\n' && c != '=') ++n;
  size_t size = n / 4 * 3 + (n % 4 ? n % 4 - 1 : 0);
  AnsiString out(size, '\0');
  size_t o = 0;
  auto put = [&](std::uint32_t byte) {
    if (o < size) out[o++] = static_cast<char>(byte);
  };
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\r' || text[i] == '\n') {
      ++i;
      continue;
    }
    // A group of up to four characters; characters outside the alphabet
    // count as zero bits.
    std::uint8_t d[4];
    size_t len = 0;
    while (len < 4 && i < text.size()) d[len++] = kDecode[static_cast<unsigned char>(text[i++])];
    auto bits = [&](size_t k) -> std::uint32_t { return k < len && d[k] < 64 ? d[k] : 0; };
    std::uint32_t v = bits(0) << 18 | bits(1) << 12 | bits(2) << 6 | bits(3);
    size_t yield = 3;
    if (len < 4) yield = len > 1 ? len - 1 : 0;
    if (len >= 3 && d[2] == 64) yield = 1;
    else if (len == 4 && d[3] == 64) yield = 2;
    if (yield >= 1) put(v >> 16);
    if (yield >= 2) put(v >> 8 & 0xFF);
    if (yield >= 3) put(v & 0xFF);
  }
  out.resize(o);
  return out;
}

}  // namespace orvane
