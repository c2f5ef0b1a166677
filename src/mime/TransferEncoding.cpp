// Base64 is on the path of every attachment, so both directions are table
// driven and write into storage sized once; no per-byte appends.

#include "mime/TransferEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace orvane {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every 12-bit value, so three bytes take two lookups.
constexpr std::array<std::array<char, 2>, 4096> MakePairTable() {
  std::array<std::array<char, 2>, 4096> t{};
  for (int v = 0; v < 4096; ++v) t[v] = {kAlphabet[v >> 6], kAlphabet[v & 63]};
  return t;
}
constexpr auto kPairs = MakePairTable();

constexpr std::uint8_t kPad = 64;
constexpr std::uint8_t kSkip = 65;

constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
  std::array<std::uint8_t, 256> t{};
  for (auto& v : t) v = kSkip;
  for (int i = 0; i < 64; ++i)
    t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
  t['='] = kPad;
  return t;
}
constexpr auto kDecode = MakeDecodeTable();

// The 6 bits of a character already shifted to its place in a group of
// four; anything outside the alphabet sets kBad, so one test rejects a
// group for the careful path.
constexpr std::uint32_t kBad = 1u << 24;
constexpr std::array<std::uint32_t, 256> MakeShiftedTable(int shift) {
  std::array<std::uint32_t, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = kDecode[c] < 64 ? std::uint32_t{kDecode[c]} << shift : kBad;
  return t;
}
constexpr auto kShift18 = MakeShiftedTable(18);
constexpr auto kShift12 = MakeShiftedTable(12);
constexpr auto kShift6 = MakeShiftedTable(6);
constexpr auto kShift0 = MakeShiftedTable(0);

// Writes the base64 of bytes (whole groups and the padded rest) to out and
// returns the end of what was written.
char* EncodeTo(const unsigned char* in, size_t size, char* out) {
  size_t i = 0;
  for (; i + 3 <= size; i += 3, out += 4) {
    std::uint32_t v = std::uint32_t{in[i]} << 16 | std::uint32_t{in[i + 1]} << 8 | in[i + 2];
    std::memcpy(out, kPairs[v >> 12].data(), 2);
    std::memcpy(out + 2, kPairs[v & 0xFFF].data(), 2);
  }
  if (size_t rest = size - i; rest > 0) {
    std::uint32_t v = std::uint32_t{in[i]} << 16 | (rest == 2 ? std::uint32_t{in[i + 1]} << 8 : 0);
    out[0] = kAlphabet[v >> 18];
    out[1] = kAlphabet[v >> 12 & 63];
    out[2] = rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    out[3] = '=';
    out += 4;
  }
  return out;
}

// The size promised for n characters other than CR, LF and "=".
size_t CapacityFor(size_t n) {
  return n / 4 * 3 + (n % 4 ? n % 4 - 1 : 0);
}

// Every group consumes at least one character per byte it yields beyond
// the first and at most three bytes per four characters, so this bounds
// what DecodeTo writes.
size_t DecodeBound(size_t size) {
  return size / 4 * 3 + 3;
}

// Decodes text into out (room for DecodeBound bytes) and returns the count
// of bytes kept: the bytes are written in order, so cutting them to the
// promised size is the same as refusing to write past it.
size_t DecodeTo(std::string_view text, char* out) {
  auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t i = 0;
  size_t o = 0;
  size_t counted = 0;  // characters other than CR, LF and "="
  while (i < size) {
    // Whole groups of four alphabet characters: the common case.
    const size_t fastStart = i;
    while (i + 4 <= size) {
      std::uint32_t v =
          kShift18[in[i]] | kShift12[in[i + 1]] | kShift6[in[i + 2]] | kShift0[in[i + 3]];
      if (v & kBad) break;
      out[o] = static_cast<char>(v >> 16);
      out[o + 1] = static_cast<char>(v >> 8);
      out[o + 2] = static_cast<char>(v);
      o += 3;
      i += 4;
    }
    counted += i - fastStart;
    if (i >= size) break;
    if (kDecode[in[i]] == kSkip) {
      counted += in[i] != '\r' && in[i] != '\n';
      ++i;
      continue;
    }
    // A group holding padding or skipped characters, or the last one.
    std::uint8_t d[4];
    size_t len = 0;
    while (len < 4 && i < size) {
      const unsigned char c = in[i++];
      const std::uint8_t k = kDecode[c];
      counted += c != '\r' && c != '\n' && c != '=';
      if (k != kSkip) d[len++] = k;
    }
    auto bits = [&](size_t k) -> std::uint32_t { return k < len && d[k] < 64 ? d[k] : 0; };
    std::uint32_t v = bits(0) << 18 | bits(1) << 12 | bits(2) << 6 | bits(3);
    size_t yield = len == 4 ? 3 : (len > 1 ? len - 1 : 0);
    if (len >= 3 && d[2] == kPad) {
      yield = 1;
    } else if (len == 4 && d[3] == kPad) {
      yield = 2;
    }
    for (size_t k = 0; k < yield; ++k) out[o++] = static_cast<char>(v >> (16 - 8 * k));
  }
  return o < CapacityFor(counted) ? o : CapacityFor(counted);
}

}  // namespace

AnsiString Base64Encode(std::string_view bytes) {
  AnsiString out((bytes.size() + 2) / 3 * 4, '\0');
  EncodeTo(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out.data());
  return out;
}

AnsiString Base64UrlEncode(std::string_view bytes) {
  AnsiString out = Base64Encode(bytes);
  while (!out.empty() && out.back() == '=') out.pop_back();
  for (char& c : out) {
    if (c == '+') c = '-';
    if (c == '/') c = '_';
  }
  return out;
}

void AppendBase64Lines(std::string_view bytes, AnsiString& out) {
  constexpr size_t kLineChars = kBase64LineLength;
  constexpr size_t kLineBytes = kLineChars / 4 * 3;
  const size_t full = bytes.size() / kLineBytes;
  const size_t rest = bytes.size() % kLineBytes;
  size_t added = full * (kLineChars + 2) + (rest ? (rest + 2) / 3 * 4 + 2 : 0);
  if (bytes.empty()) added = 2;
  const size_t start = out.size();
  out.resize(start + added);
  char* o = out.data() + start;
  auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t line = 0; line < full; ++line, in += kLineBytes) {
    o = EncodeTo(in, kLineBytes, o);
    *o++ = '\r';
    *o++ = '\n';
  }
  if (rest || bytes.empty()) {
    o = EncodeTo(in, rest, o);
    *o++ = '\r';
    *o++ = '\n';
  }
}

AnsiString Base64Decode(std::string_view text) {
  AnsiString out;
  AppendBase64Decoded(text, out);
  return out;
}

void AppendBase64Decoded(std::string_view text, AnsiString& out) {
  const size_t start = out.size();
  out.resize(start + DecodeBound(text.size()));
  out.resize(start + DecodeTo(text, out.data() + start));
}

}  // namespace orvane
