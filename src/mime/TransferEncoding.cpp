// Base64 is on the path of every attachment: the bulk goes through the
// fastest engine this processor runs (Base64Simd.cpp); these are the scalar
// loops, the reference of every other engine, and what surrounds the bulk
// (padding, characters outside the alphabet, line breaks).

#include "mime/TransferEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "mime/Base64Engine.h"
#include "mime/BlockWriter.h"

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

char* ScalarEncodeLines(const unsigned char* in, size_t lines, size_t lineGroups, bool breaks,
                        const unsigned char* /*limit*/, char* out) {
  for (size_t line = 0; line < lines; ++line) {
    for (size_t group = 0; group < lineGroups; ++group, in += 3, out += 4) {
      std::uint32_t v = std::uint32_t{in[0]} << 16 | std::uint32_t{in[1]} << 8 | in[2];
      std::memcpy(out, kPairs[v >> 12].data(), 2);
      std::memcpy(out + 2, kPairs[v & 0xFFF].data(), 2);
    }
    if (breaks) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
  return out;
}

size_t ScalarDecodeGroups(const unsigned char* in, size_t size, char* out) {
  size_t i = 0;
  for (; i + 4 <= size; i += 4, out += 3) {
    std::uint32_t v =
        kShift18[in[i]] | kShift12[in[i + 1]] | kShift6[in[i + 2]] | kShift0[in[i + 3]];
    if (v & kBad) break;
    out[0] = static_cast<char>(v >> 16);
    out[1] = static_cast<char>(v >> 8);
    out[2] = static_cast<char>(v);
  }
  return i;
}

// The padded last group of one to two bytes; returns the end of what was
// written.
char* EncodeRest(const unsigned char* in, size_t rest, char* out) {
  std::uint32_t v = std::uint32_t{in[0]} << 16 | (rest == 2 ? std::uint32_t{in[1]} << 8 : 0);
  out[0] = kAlphabet[v >> 18];
  out[1] = kAlphabet[v >> 12 & 63];
  out[2] = rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
  out[3] = '=';
  return out + 4;
}

// The size promised for n characters other than CR, LF and "=".
size_t CapacityFor(size_t n) {
  return n / 4 * 3 + (n % 4 ? n % 4 - 1 : 0);
}

// Decodes the group that begins at in[i]: one holding padding or skipped
// characters, or the last one. Moves i past it, counts its characters
// other than CR, LF and "=", and returns the end of what was written (at
// most three bytes).
char* DecodeCarefully(const unsigned char* in, size_t size, size_t& i, size_t& counted, char* out) {
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
  for (size_t k = 0; k < yield; ++k) *out++ = static_cast<char>(v >> (16 - 8 * k));
  return out;
}

}  // namespace

const TBase64Engine& ScalarBase64() {
  static constexpr TBase64Engine kScalar{"scalar", ScalarEncodeLines, ScalarDecodeGroups};
  return kScalar;
}

void AppendBase64LinesWith(const TBase64Engine& engine, std::string_view bytes, AnsiString& out,
                           size_t lineLength) {
  // The string grows a piece at a time, each piece written while it is in
  // the cache: filling all of it with zeros first, as one resize would,
  // costs a second pass through memory.
  constexpr size_t kPieceChars = 2048;
  auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = in + bytes.size();
  // Without a length, all of it is one line, written in pieces.
  const bool breaks = lineLength > 0;
  const size_t lineGroups = breaks ? lineLength / 4 : kPieceChars / 4;
  const size_t lineChars = lineGroups * 4 + (breaks ? 2 : 0);
  const size_t full = bytes.size() / (lineGroups * 3);
  const size_t rest = bytes.size() - full * lineGroups * 3;
  const bool lastLine = rest > 0 || (breaks && bytes.empty());
  const size_t lastChars = lastLine ? (rest + 2) / 3 * 4 + (breaks ? 2 : 0) : 0;
  out.reserve(out.size() + full * lineChars + lastChars);
  for (size_t line = 0; line < full;) {
    const size_t lines = std::min(full - line, std::max<size_t>(kPieceChars / lineChars, 1));
    const size_t at = out.size();
    out.resize(at + lines * lineChars);
    engine.encodeLines(in, lines, lineGroups, breaks, end, out.data() + at);
    in += lines * lineGroups * 3;
    line += lines;
  }
  if (lastLine) {
    const size_t at = out.size();
    out.resize(at + lastChars);
    char* o = engine.encodeLines(in, 1, rest / 3, false, end, out.data() + at);
    if (rest % 3) o = EncodeRest(in + rest / 3 * 3, rest % 3, o);
    if (breaks) {
      o[0] = '\r';
      o[1] = '\n';
    }
  }
}

void AppendBase64DecodedWith(const TBase64Engine& engine, std::string_view text, AnsiString& out) {
  auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  const size_t start = out.size();
  out.reserve(start + size / 4 * 3 + 3);
  TBlockWriter<char> writer(out);
  size_t i = 0;
  size_t counted = 0;  // characters other than CR, LF and "="
  while (i < size) {
    // Whole groups of four alphabet characters, the common case, as many
    // as the block takes.
    char* o = writer.Reserve(TBlockWriter<char>::kSize / 2);
    const size_t slice = std::min(size - i, (writer.Free() - 3) / 3 * 4);
    const size_t taken = engine.decodeGroups(in + i, slice, o);
    o += taken / 4 * 3;
    i += taken;
    counted += taken;
    if (i < size && taken == slice) {
      writer.Advance(o);
      continue;
    }
    if (i < size && kDecode[in[i]] == kSkip) {
      // Line breaks, or whatever else stands outside the alphabet.
      do {
        counted += in[i] != '\r' && in[i] != '\n';
        ++i;
      } while (i < size && kDecode[in[i]] == kSkip);
    } else if (i < size) {
      o = DecodeCarefully(in, size, i, counted, o);
    }
    writer.Advance(o);
  }
  writer.Flush();
  // The bytes are written in order, so cutting them to the promised size is
  // the same as refusing to write past it.
  out.resize(std::min(out.size(), start + CapacityFor(counted)));
}

AnsiString Base64Encode(std::string_view bytes) {
  AnsiString out;
  AppendBase64LinesWith(FastestBase64(), bytes, out, 0);
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
  AppendBase64LinesWith(FastestBase64(), bytes, out, kBase64LineLength);
}

AnsiString Base64Decode(std::string_view text) {
  AnsiString out;
  AppendBase64Decoded(text, out);
  return out;
}

void AppendBase64Decoded(std::string_view text, AnsiString& out) {
  AppendBase64DecodedWith(FastestBase64(), text, out);
}

}  // namespace orvane
