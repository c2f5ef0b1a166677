// ISO-2022-JP straight to Unicode. The text is what JisToSjis and code page
// 932 give, but a run of JIS X 0208 characters is decoded by one look-up
// per character in a tight loop, without the Shift_JIS text between.

#include <array>
#include <cstdint>
#include <optional>

#include "mime/BlockWriter.h"
#include "mime/CharSet.h"
#include "mime/Iso2022Bytes.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// What a byte is to a run of ASCII or JIS Roman text.
enum class ByteClass : unsigned char { kText, kControl, kEightBit };

constexpr std::array<ByteClass, 256> MakeByteClasses() {
  std::array<ByteClass, 256> t{};
  for (int b = 0x80; b < 0x100; ++b) t[b] = ByteClass::kEightBit;
  for (unsigned char b : {static_cast<unsigned char>('\r'), kShiftOut, kShiftIn, kEsc})
    t[b] = ByteClass::kControl;
  return t;
}
constexpr auto kByteClass = MakeByteClasses();

// The two bytes at p as one index, the first byte in the low half: a
// single 16-bit load on a little-endian machine.
std::uint16_t PairIndex(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// Every pair of bytes (by PairIndex) as the character it stands for in a
// run of JIS X 0208, 0 where it is not a JIS X 0208 code. The characters
// are what code page 932 reads from the Shift_JIS form of each code, taken
// from those two conversions themselves, so the vendor rows and the codes
// without a character come out exactly as they do there.
const std::array<char16_t, 0x10000>& PairTable() {
  static const auto* table = [] {
    AnsiString jis = "\x1B$B";
    for (int first = 0x21; first <= 0x7E; ++first) {
      for (int second = 0x21; second <= 0x7E; ++second) {
        jis += static_cast<char>(first);
        jis += static_cast<char>(second);
      }
    }
    const WideString text = SjisToWide(JisToSjis(jis));
    auto* pairs = new std::array<char16_t, 0x10000>();
    const auto* codes = reinterpret_cast<const unsigned char*>(jis.data()) + 3;
    for (size_t k = 0; k < text.size(); ++k) (*pairs)[PairIndex(codes + 2 * k)] = text[k];
    return pairs;
  }();
  return *table;
}

enum class Mode { kAscii, kRoman, kTwoByte, kKatakana };

// The mode that ESC followed by `first` and `second` selects; ESC $ @ is
// read as ESC $ B.
std::optional<Mode> DesignatedMode(unsigned char first, unsigned char second) {
  if (first == '$' && (second == 'B' || second == '@')) return Mode::kTwoByte;
  if (first != '(') return std::nullopt;
  if (second == 'B') return Mode::kAscii;
  if (second == 'J') return Mode::kRoman;
  if (second == 'I') return Mode::kKatakana;
  return std::nullopt;
}

// A run writes at least this many characters before the block is flushed;
// a single step writes at most kStep.
constexpr size_t kMinimumRun = 256;
constexpr size_t kStep = 3;

// The decoder for 7-bit text, the only form ISO-2022-JP has (RFC 1468),
// with the modes and escapes of JisToSjis. A byte above 0x7F ends it with
// nothing, since code page 932 would pair such a byte with whatever
// follows it.
std::optional<WideString> SevenBitJisToWide(std::string_view jis) {
  const auto& pairs = PairTable();
  const auto* in = reinterpret_cast<const unsigned char*>(jis.data());
  const size_t n = jis.size();
  WideString out;
  out.reserve(n);
  TBlockWriter<char16_t> writer(out);
  Mode mode = Mode::kAscii;
  Mode saved = Mode::kAscii;
  size_t i = 0;
  while (i < n) {
    // A run of pairs, or of ASCII or JIS Roman text, in a tight loop.
    char16_t* o = writer.Reserve(kMinimumRun + kStep);
    const size_t room = writer.Free() - kStep;
    if (mode == Mode::kTwoByte) {
      const size_t end = i + std::min((n - i) / 2, room) * 2;
      for (char16_t c; i < end && (c = pairs[PairIndex(in + i)]) != 0; i += 2) *o++ = c;
      writer.Advance(o);
      if (i + 1 < n && pairs[PairIndex(in + i)] != 0) continue;  // the run was cut
    } else if (mode == Mode::kAscii || mode == Mode::kRoman) {
      const size_t end = i + std::min(n - i, room);
      for (; i < end && kByteClass[in[i]] == ByteClass::kText; ++i) *o++ = in[i];
      writer.Advance(o);
      if (i == n || kByteClass[in[i]] == ByteClass::kText) continue;  // the run was cut
    }
    if (i == n) break;
    const unsigned char b = in[i];
    if (b > 0x7F) return std::nullopt;
    if (b == '\r' && i + 1 < n && in[i + 1] == '\n') {
      // A line never inherits the shift state of the line before.
      mode = saved = Mode::kAscii;
      writer.Put(u'\r');
      ++i;
    } else if (b == kShiftOut) {
      saved = mode;
      mode = Mode::kKatakana;
      ++i;
    } else if (b == kShiftIn) {
      mode = saved;
      ++i;
    } else if (b == kEsc) {
      if (i + 2 < n) {
        if (const std::optional<Mode> designated = DesignatedMode(in[i + 1], in[i + 2])) {
          mode = *designated;
          i += 3;
          continue;
        }
      }
      // Unknown designations and a cut-off ESC pass through as they are.
      const bool threeBytes = i + 2 < n && (in[i + 1] == '$' || in[i + 1] == '(');
      const size_t end = std::min(n, i + (threeBytes ? 3 : 2));
      for (; i < end; ++i) {
        if (in[i] > 0x7F) return std::nullopt;
        writer.Put(in[i]);
      }
    } else if (mode == Mode::kKatakana && b >= 0x21 && b <= 0x5F) {
      writer.Put(static_cast<char16_t>(u'\uFF61' + (b - 0x21)));
      ++i;
    } else {
      writer.Put(b);
      ++i;
    }
  }
  writer.Flush();
  return out;
}

}  // namespace

WideString JisToWide(std::string_view jis) {
  jis = jis.substr(0, jis.find('\0'));
  if (std::optional<WideString> text = SevenBitJisToWide(jis)) return std::move(*text);
  return SjisToWide(JisToSjis(jis));
}

}  // namespace orvane
