#include "mime/HeaderEncoding.h"

#include <algorithm>
#include <utility>
#include <vector>

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
// RFC 2047 section 2: an encoded word is at most 75 characters long.
constexpr size_t kMaxEncodedWord = 75;

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

// Plain words as they are, runs of wide words (see TZelMimeAnalyser) as
// encoded words.
AnsiString EncodeTokens(std::u16string_view text, TMimeCharSet charset, bool phrase = false,
                        std::vector<TTextSpan> wideSpans = {}) {
  AnsiString out;
  bool lastWide = false;
  TZelMimeAnalyser analyser{WideString(text), false, std::move(wideSpans)};
  for (TAnalyserToken token; analyser.Next(token);) {
    if (token.Kind == akWide) {
      std::u16string_view run = token.Text;
      if (!run.empty() && run.back() == u' ') run.remove_suffix(1);
      AppendWords(out, EncodeWords(run, charset, phrase));
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

// EncodeUnstructured, with the words overlapping wideSpans encoded too; the
// words of a phrase or comment escape specials.
AnsiString EncodeText(std::u16string_view text, TMimeCharSet& charset, bool fold, bool testWhole,
                      bool phrase = false, std::vector<TTextSpan> wideSpans = {}) {
  if (testWhole) TestWhole(text, charset);
  AnsiString out = EncodeTokens(text, charset, phrase, std::move(wideSpans));
  return fold ? FoldAtBlanks(out) : out;
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

// Where a piece of text may be cut before `cut` without splitting a
// surrogate pair; 0 when it cannot.
size_t ShorterCut(std::u16string_view text, size_t cut) {
  size_t shorter = cut - 1;
  if (shorter > 0 && IsHighSurrogate(text[shorter - 1])) --shorter;
  return shorter;
}

// The text of a quoted string, without its quotes and backslashes
// (RFC 5322 section 3.2.4).
WideString Unquoted(std::u16string_view quoted, bool closed) {
  quoted.remove_prefix(1);
  if (closed && !quoted.empty()) quoted.remove_suffix(1);
  WideString text;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == u'\\' && i + 1 < quoted.size()) ++i;
    text += quoted[i];
  }
  return text;
}

}  // namespace

AnsiString EncodeWord(std::u16string_view piece, TMimeCharSet charset, bool phrase) {
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
    return "=?" + info.name + "?Q?" + QEscape(bytes, phrase) + "?=";
  return "=?" + info.name + "?B?" + Base64Encode(bytes) + "?=";
}

AnsiString EncodeWords(std::u16string_view text, TMimeCharSet charset, bool phrase) {
  AnsiString out;
  size_t length = kFirstWordChars;
  while (!text.empty()) {
    size_t cut = std::min(length, text.size());
    // Both halves of a surrogate pair go into one word.
    if (cut < text.size() && IsHighSurrogate(text[cut - 1])) ++cut;
    AnsiString word = EncodeWord(text.substr(0, cut), charset, phrase);
    // Escape sequences between ASCII and kanji, or a long charset name, can
    // take a piece past the limit: it is cut shorter until it fits.
    for (size_t shorter; word.size() > kMaxEncodedWord && (shorter = ShorterCut(text, cut)) > 0;) {
      cut = shorter;
      word = EncodeWord(text.substr(0, cut), charset, phrase);
    }
    if (!out.empty()) out += ' ';
    out += word;
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
  return EncodeText(text, charset, fold, testWhole);
}

AnsiString EncodeStructured(std::u16string_view text, TMimeCharSet& charset, bool testWhole) {
  if (testWhole) TestWhole(text, charset);
  AnsiString out;
  // Phrase text: blanks, runs outside brackets and the text of quoted
  // strings that must be encoded, which wideSpans marks.
  WideString pending;
  std::vector<TTextSpan> wideSpans;
  auto flush = [&] {
    if (pending.empty()) return;
    AppendJoined(out, EncodeText(pending, charset, true, true, true, std::move(wideSpans)));
    pending.clear();
    wideSpans.clear();
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
        if (IsAsciiText(token.Text) && !LooksLikeEncodedWord(token.Text) &&
            !HasOverlongWord(token.Text)) {
          flush();
          AppendJoined(out, AnsiString(token.Text.begin(), token.Text.end()));
        } else {
          // RFC 2047 section 5 allows encoded words as words of a phrase,
          // never inside a quoted string: the name's text is encoded, and
          // a comma in it is safe inside an encoded word.
          const size_t begin = pending.size();
          pending += Unquoted(token.Text, token.Closed);
          wideSpans.emplace_back(begin, pending.size());
        }
        break;
      case mtComment: {
        flush();
        std::u16string_view inside = token.Text.substr(1);
        if (token.Closed) inside.remove_suffix(1);
        const AnsiString encoded = EncodeText(inside, charset, true, true, true);
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
        // An encoded word must not stand in an address (RFC 2047 section 5):
        // one that only looks like an encoded word is written as typed.
        if (IsAsciiText(token.Text)) {
          TestWhole(token.Text, charset);
          AppendJoined(out, AnsiString(token.Text.begin(), token.Text.end()));
        } else {
          AppendJoined(out, EncodeUnstructured(token.Text, charset, false, true));
        }
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
