// Shift_JIS, ISO-2022-JP (RFC 1468) and EUC-JP conversions of the message
// library. They work on bytes alone, so the hot loops are table look-ups
// and arithmetic with no allocation beyond the output string.

#include <array>
#include <cstdint>
#include <cstring>

#include "mime/CharSet.h"
#include "mime/Iso2022Bytes.h"

namespace orvane {
namespace {

constexpr std::string_view kToJis = "\x1B$B";
constexpr std::string_view kToAscii = "\x1B(B";
// The JIS X 0208 code of "・", written for every code without a conversion.
constexpr std::uint16_t kMiddleDot = 0x2126;

// JIS X 0201 katakana 0xA1-0xDF to the JIS X 0208 character of the same
// reading. The voiced and semi-voiced marks become the separate marks
// (0x212B, 0x212C); they are never combined with the character before.
constexpr std::array<std::uint16_t, 63> kHalfWidthKana = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523, 0x2525, 0x2527, 0x2529,
    0x2563, 0x2565, 0x2567, 0x2543, 0x213C, 0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B,
    0x252D, 0x252F, 0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F, 0x2541,
    0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, 0x254D, 0x254E, 0x254F, 0x2552, 0x2555,
    0x2558, 0x255B, 0x255E, 0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569,
    0x256A, 0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,
};

// The NEC special characters and the IBM extension kanji that other mailers
// write into the unassigned rows of JIS X 0208. Each range keeps a fixed
// distance between its Shift_JIS and JIS codes.
struct ExtensionRange {
  std::uint16_t first, last, jisFirst;
};
constexpr ExtensionRange kExtensionRanges[] = {
    {0x8740, 0x8775, 0x2D21}, {0x877E, 0x877E, 0x2D5F}, {0x8780, 0x879D, 0x2D60},
    {0xFA40, 0xFA49, 0x7C71}, {0xFA55, 0xFA57, 0x7C7C}, {0xFA5C, 0xFA7E, 0x7921},
    {0xFA80, 0xFABA, 0x7944}, {0xFABB, 0xFAFC, 0x7A21}, {0xFB40, 0xFB5B, 0x7A63},
    {0xFB5C, 0xFB7E, 0x7B21}, {0xFB80, 0xFBBA, 0x7B44}, {0xFBBB, 0xFBFC, 0x7C21},
    {0xFC40, 0xFC4B, 0x7C63},
};

bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool IsHalfWidthKana(unsigned char b) {
  return b >= 0xA1 && b <= 0xDF;
}
bool IsJisByte(unsigned char b) {
  return b >= 0x21 && b <= 0x7E;
}
bool IsEucByte(unsigned char b) {
  return b >= 0xA1 && b <= 0xFE;
}
// The bytes that can change the mode of ISO-2022-JP text.
bool IsJisControl(unsigned char b) {
  return b == '\r' || b == 0x0E || b == 0x0F || b == kEsc;
}

bool IsStandardCode(std::uint16_t code) {
  return (code >= 0x8140 && code <= 0x84BE) || (code >= 0x889F && code <= 0x9872) ||
         (code >= 0x989F && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEAA4);
}

bool IsExtensionCode(std::uint16_t code) {
  return (code >= 0x8740 && code <= 0x879F) || code >= 0xF000;
}

// The arithmetic relation between Shift_JIS and JIS X 0208 codes.
std::uint16_t StandardSjisToJis(unsigned char s1, unsigned char s2) {
  unsigned j1 = (s1 - (s1 < 0xA0 ? 0x70u : 0xB0u)) << 1;
  unsigned j2;
  if (s2 < 0x9F) {
    --j1;
    j2 = s2 - (s2 >= 0x80 ? 0x20u : 0x1Fu);
  } else {
    j2 = s2 - 0x7Eu;
  }
  return static_cast<std::uint16_t>((j1 & 0xFF) << 8 | (j2 & 0xFF));
}

std::uint16_t StandardJisToSjis(unsigned char j1, unsigned char j2) {
  unsigned s1 = ((j1 + 1u) >> 1) + (j1 <= 0x5E ? 0x70u : 0xB0u);
  unsigned s2 = j2 + ((j1 & 1) ? (j2 < 0x60 ? 0x1Fu : 0x20u) : 0x7Eu);
  return static_cast<std::uint16_t>(s1 << 8 | s2);
}

std::uint16_t ExtensionToJis(std::uint16_t code) {
  for (const auto& range : kExtensionRanges) {
    if (code >= range.first && code <= range.last)
      return static_cast<std::uint16_t>(range.jisFirst + (code - range.first));
  }
  return kMiddleDot;
}

std::string_view UpToNul(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

// Gathers the output in a fixed block and appends it to the string a block
// at a time, so that writing a byte is a plain store. Each step of a
// conversion loop calls MakeRoom once and then writes at most kStep bytes
// with Put and PutPair; PutRun takes a run of any length.
class BlockWriter {
 public:
  static constexpr size_t kStep = 8;

  explicit BlockWriter(AnsiString& out) : out_(out) {}
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  void MakeRoom() {
    if (used_ > sizeof block_ - kStep) Flush();
  }
  void Put(char c) { block_[used_++] = c; }
  void PutPair(std::uint16_t code) {
    block_[used_++] = static_cast<char>(code >> 8);
    block_[used_++] = static_cast<char>(code & 0xFF);
  }
  void Put(std::string_view bytes) {
    std::memcpy(block_ + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }
  void PutRun(std::string_view bytes) {
    Flush();
    out_.append(bytes);
  }
  // Must be called before the string is used.
  void Flush() {
    out_.append(block_, used_);
    used_ = 0;
  }

 private:
  AnsiString& out_;
  char block_[4096];
  size_t used_ = 0;
};

}  // namespace

TJisForm JisFormOf(std::uint16_t sjisCode) {
  if (IsStandardCode(sjisCode)) return TJisForm::Standard;
  if (IsExtensionCode(sjisCode)) return TJisForm::VendorExtension;
  return TJisForm::None;
}

AnsiString SjisToJis(std::string_view sjis, bool& failed) {
  sjis = UpToNul(sjis);
  AnsiString out;
  out.reserve(sjis.size() + sjis.size() / 4 + 8);
  BlockWriter writer(out);
  bool twoByte = false;
  auto putJis = [&](std::uint16_t jis) {
    if (!twoByte) writer.Put(kToJis);
    twoByte = true;
    writer.PutPair(jis);
  };

  const size_t n = sjis.size();
  size_t i = 0;
  while (i < n) {
    writer.MakeRoom();
    auto b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x7F) {
      // A run of single bytes is copied in one piece.
      if (twoByte) writer.Put(kToAscii);
      twoByte = false;
      size_t end = i + 1;
      while (end < n && static_cast<unsigned char>(sjis[end]) < 0x7F) ++end;
      writer.PutRun(sjis.substr(i, end - i));
      i = end;
    } else if (IsHalfWidthKana(b)) {
      putJis(kHalfWidthKana[b - 0xA1]);
      ++i;
    } else if (!IsLeadByte(b)) {
      ++i;  // 0x7F, 0x80, 0xA0 and 0xFD-0xFF stand for no character
    } else if (i + 1 == n || static_cast<unsigned char>(sjis[i + 1]) < 0x40) {
      // A lead byte cut off from its trail byte: the byte after it (a line
      // break, a blank, ...) is a character of its own and must survive.
      failed = true;
      putJis(kMiddleDot);
      ++i;
    } else {
      auto trail = static_cast<unsigned char>(sjis[i + 1]);
      auto code = static_cast<std::uint16_t>(b << 8 | trail);
      switch (JisFormOf(code)) {
        case TJisForm::Standard:
          putJis(StandardSjisToJis(b, trail));
          break;
        case TJisForm::VendorExtension:
          putJis(ExtensionToJis(code));
          break;
        case TJisForm::None:
          failed = true;
          putJis(kMiddleDot);
          break;
      }
      i += 2;
    }
  }
  if (twoByte) writer.Put(kToAscii);
  writer.Flush();
  return out;
}

AnsiString JisToSjis(std::string_view jis) {
  jis = UpToNul(jis);
  enum class Mode { kAscii, kRoman, kTwoByte, kKatakana };
  Mode mode = Mode::kAscii;
  Mode saved = Mode::kAscii;
  AnsiString out;
  out.reserve(jis.size());
  BlockWriter writer(out);

  const size_t n = jis.size();
  size_t i = 0;
  while (i < n) {
    writer.MakeRoom();
    auto b = static_cast<unsigned char>(jis[i]);
    // Pairs come first: no byte of a pair is a control byte.
    if (mode == Mode::kTwoByte && IsJisByte(b) && i + 1 < n &&
        IsJisByte(static_cast<unsigned char>(jis[i + 1]))) {
      writer.PutPair(StandardJisToSjis(b, static_cast<unsigned char>(jis[i + 1])));
      i += 2;
    } else if ((mode == Mode::kAscii || mode == Mode::kRoman) && !IsJisControl(b)) {
      // ASCII and JIS Roman keep their byte values ("\" and "~" stay 0x5C
      // and 0x7E); a run of them is copied in one piece.
      size_t end = i + 1;
      while (end < n && !IsJisControl(static_cast<unsigned char>(jis[end]))) ++end;
      writer.PutRun(jis.substr(i, end - i));
      i = end;
    } else if (b == '\r' && i + 1 < n && jis[i + 1] == '\n') {
      // A line never inherits the shift state of the line before.
      mode = saved = Mode::kAscii;
      writer.Put('\r');
      ++i;
    } else if (b == 0x0E) {
      saved = mode;
      mode = Mode::kKatakana;
      ++i;
    } else if (b == 0x0F) {
      mode = saved;
      ++i;
    } else if (b == kEsc) {
      std::string_view rest = jis.substr(i, 3);
      if (rest == "\x1B$@" || rest == "\x1B$B") {
        mode = Mode::kTwoByte;
      } else if (rest == "\x1B(B") {
        mode = Mode::kAscii;
      } else if (rest == "\x1B(J") {
        mode = Mode::kRoman;
      } else if (rest == "\x1B(I") {
        mode = Mode::kKatakana;
      } else {
        // Unknown designations pass through as they are, and so does an
        // ESC cut off at the end of the text.
        bool threeBytes = rest.size() == 3 && (rest[1] == '$' || rest[1] == '(');
        rest = rest.substr(0, threeBytes ? 3 : 2);
        writer.Put(rest);
      }
      i += rest.size();
    } else if (mode == Mode::kKatakana && b >= 0x21 && b <= 0x5F) {
      writer.Put(static_cast<char>(b + 0x80));
      ++i;
    } else {
      // Inside a two-byte or katakana run, control bytes and stray bytes
      // are copied rather than paired, so the output stays well-formed
      // Shift_JIS and a line break is never swallowed.
      writer.Put(static_cast<char>(b));
      ++i;
    }
  }
  writer.Flush();
  return out;
}

AnsiString EucToSjis(std::string_view euc) {
  euc = UpToNul(euc);
  AnsiString out;
  out.reserve(euc.size());
  BlockWriter writer(out);
  const size_t n = euc.size();
  size_t i = 0;
  while (i < n) {
    writer.MakeRoom();
    auto b = static_cast<unsigned char>(euc[i]);
    auto next = i + 1 < n ? static_cast<unsigned char>(euc[i + 1]) : 0;
    if (b <= 0x80 || b == 0xFF) {
      writer.Put(static_cast<char>(b));
      ++i;
    } else if (b == 0x8E && IsHalfWidthKana(next)) {
      writer.Put(static_cast<char>(next));
      i += 2;
    } else if (IsEucByte(b) && IsEucByte(next)) {
      writer.PutPair(StandardJisToSjis(b & 0x7F, next & 0x7F));
      i += 2;
    } else if (b == 0x8F && IsEucByte(next) && i + 2 < n &&
               IsEucByte(static_cast<unsigned char>(euc[i + 2]))) {
      // JIS X 0212 has no Shift_JIS form; its last two bytes must not be
      // read as a JIS X 0208 character that was never written.
      writer.Put("\x81\x45");
      i += 3;
    } else {
      // A byte that starts no valid pair: "・" stands in for it, and the
      // byte after it is read on its own so that it is not lost.
      writer.Put("\x81\x45");
      ++i;
    }
  }
  writer.Flush();
  return out;
}

}  // namespace orvane
