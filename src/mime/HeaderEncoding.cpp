#include "mime/HeaderEncoding.h"

#include <algorithm>

#include "mime/HeaderFolding.h"
#include "mime/MimeParser.h"
#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelMimeAnalyser.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr size_t kFirstWordChars = 10;
constexpr size_t kWordChars = 13;

bool EndsWithBlank(std::string_view s) {
  return !s.empty() && (s.back() == ' ' || s.back() == '\t');
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The whole-value test: the conversion may change charset; its bytes are
// not used.
void TestWhole(std::u16string_view text, TMimeCharSet& charset) {
  bool failed = false;
  UnicodeToCharSet(WideString(text), charset, failed, false);
  if (failed) charset = UnicodeFallback();
}

// Appends encoded words, with a space before them unless the output is
// empty or ends with a blank.
void AppendWords(AnsiString& out, std::string_view words) {
  if (!out.empty() && !EndsWithBlank(out)) out += ' ';
  out += words;
}

// Plain words as Shift_JIS bytes, runs of wide words as encoded words.
AnsiString EncodeTokens(std::u16string_view text, TMimeCharSet charset) {
  AnsiString out;
  bool lastWide = false;
  TZelMimeAnalyser analyser{WideString(text), false};
  for (TAnalyserToken token; analyser.Next(token);) {
    if (token.Kind == akWide) {
      std::u16string_view run = token.Text;
      if (!run.empty() && run.back() == u' ') run.remove_suffix(1);
      AppendWords(out, EncodeWords(run, charset));
      lastWide = true;
    } else {
      if (lastWide) out += ' ';
      out += WideToSjis(token.Text);
      lastWide = false;
    }
  }
  return out;
}

AnsiString FoldAtBlanks(std::string_view text) {
  return FoldHeader(text, " \t", {});
}

// JoinEncoded in place, so a long value is built in linear time.
void AppendJoined(AnsiString& out, std::string_view right) {
  if (right.starts_with("=?")) {
    if (!out.empty() && !EndsWithBlank(out)) out += ' ';
  } else if (out.size() > 2 && out.ends_with("?=")) {
    out += ' ';
  }
  out += right;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

AnsiString EncodeWord(std::u16string_view piece, TMimeCharSet charset) {
  if (piece.empty()) return {};
  const WideString text(piece);
  TMimeCharSet used = charset;
  bool failed = false;
  AnsiString bytes = UnicodeToCharSet(text, used, failed, false);
  if (failed) {
    used = UnicodeFallback();
    bytes = UnicodeToCharSet(text, used, failed, false);
  }
  const TCharSetInfo info = CharSetInfo(used);
  if (EqualsIgnoringCase(info.bodyEncoding, "quoted-printable"))
    return "=?" + info.name + "?Q?" + QEscape(bytes) + "?=";
  return "=?" + info.name + "?B?" + Base64Encode(bytes) + "?=";
}

AnsiString EncodeWords(std::u16string_view text, TMimeCharSet charset) {
  AnsiString out;
  size_t length = kFirstWordChars;
  while (!text.empty()) {
    size_t cut = std::min(length, text.size());
    // Both halves of a surrogate pair go into one word.
    if (cut < text.size() && IsHighSurrogate(text[cut - 1])) ++cut;
    if (!out.empty()) out += ' ';
    out += EncodeWord(text.substr(0, cut), charset);
    text.remove_prefix(cut);
    length = kWordChars;
  }
  return out;
}

AnsiString JoinEncoded(std::string_view left, std::string_view right) {
  AnsiString out(left);
  AppendJoined(out, right);
  return out;
}

AnsiString EncodeUnstructured(std::u16string_view text, TMimeCharSet& charset, bool fold,
                              bool testWhole) {
  if (testWhole) TestWhole(text, charset);
  AnsiString out = EncodeTokens(text, charset);
  return fold ? FoldAtBlanks(out) : out;
}

AnsiString EncodeStructured(std::u16string_view text, TMimeCharSet& charset, bool testWhole) {
  if (testWhole) TestWhole(text, charset);
  AnsiString out;
  WideString pending;  // phrase text: blanks and runs outside brackets
  auto flush = [&] {
    if (pending.empty()) return;
    AppendJoined(out, EncodeUnstructured(pending, charset, true, true));
    pending.clear();
  };
  TMimeParser parser;
  parser.SetText(WideString(text));
  for (TMimeToken token; parser.Next(token);) {
    switch (token.Kind) {
      case mtSpace:
      case mtAscii:
      case mtNonAscii:
        pending += token.Text;
        break;
      case mtQuoted:
        flush();
        if (IsAsciiText(token.Text)) {
          AppendJoined(out, AnsiString(token.Text.begin(), token.Text.end()));
        } else {
          AppendWords(out, EncodeWords(token.Text, charset));
        }
        break;
      case mtComment: {
        flush();
        std::u16string_view inside = token.Text.substr(1);
        if (token.Closed) inside.remove_suffix(1);
        const AnsiString encoded = EncodeUnstructured(inside, charset, true, true);
        out += '(';
        AppendJoined(out, encoded);
        AppendJoined(out, ")");
        break;
      }
      case mtSpecial:
        flush();
        if (token.Text == u"<" && !EndsWithBlank(out)) {
          out += " <";
        } else {
          AppendJoined(out, std::string(1, static_cast<char>(token.Text[0])));
        }
        break;
      case mtAddress:
        flush();
        AppendJoined(out, EncodeUnstructured(token.Text, charset, false, true));
        break;
    }
  }
  flush();
  out = FoldHeader(out, {}, ",");
  out = FoldHeader(out, "<", {});
  return FoldAtBlanks(out);
}

AnsiString EncodeFixedJis(std::string_view sjis) {
  return EncodeFixedJis(SjisToWide(sjis));
}

AnsiString EncodeFixedJis(std::u16string_view text) {
  return FoldAtBlanks(EncodeTokens(text, mcsISO_2022_JP));
}

THeaderFieldEncoder::THeaderFieldEncoder(TMimeCharSet defaultCharSet, TCharSetEncodeMode mode)
    : default_(defaultCharSet), mode_(mode), charset_(defaultCharSet) {}

TMimeCharSet THeaderFieldEncoder::Start() const {
  return mode_ == ceMessage ? charset_ : default_;
}

AnsiString THeaderFieldEncoder::Structured(std::u16string_view value) {
  charset_ = Start();
  return EncodeStructured(value, charset_, mode_ != ceLine);
}

AnsiString THeaderFieldEncoder::Unstructured(std::u16string_view value) {
  charset_ = Start();
  return EncodeUnstructured(value, charset_, true, mode_ != ceLine);
}

}  // namespace orvane
