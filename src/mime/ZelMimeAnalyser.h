#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// A line holds at most 998 octets (RFC 5322 section 2.1.1) and folding
// happens only at blanks: a longer word, with room left for the field's
// name, is written as encoded words, which can be cut anywhere.
inline constexpr size_t kLongestPlainWord = 900;

// Whether text holds a run of more than kLongestPlainWord characters
// without a blank or a line break.
bool HasOverlongWord(std::u16string_view text);

// True for a character that makes a word of a header being read wide: one
// above U+00FE, or one from U+0080 to U+00FE that Shift_JIS lacks (raw
// Shift_JIS bytes in a received header read as the others).
bool IsWideChar(char16_t c);

// Whether text holds something a reader would decode as an encoded word:
// "=?", a charset, "?", one of B, b, Q, q and "?" (RFC 2047 section 2;
// readers take such a word even without its closing "?=", and inside a
// quoted string or another word).
bool LooksLikeEncodedWord(std::u16string_view text);

// A range [first, second) of positions in a text.
using TTextSpan = std::pair<size_t, size_t>;

enum TAnalyserTokenKind {
  akPlain,        // a word without wide characters and the blanks after it
  akWide,         // a run of wide words with the blanks between and after them
  akSpace,        // blanks, or a line break and blanks, after an encoded word
  akEncodedWord,  // =?charset?B?text?= (RFC 2047 section 2)
};

struct TAnalyserToken {
  TAnalyserTokenKind Kind = akPlain;
  std::u16string_view Text;  // the token as written
  // Of an encoded word: its charset (with any RFC 2231 language), its
  // encoding letter and its encoded text.
  std::u16string_view CharSet;
  char16_t Encoding = 0;
  std::u16string_view EncodedText;
};

// Cuts a header value into tokens, left to right, one per call of Next.
// Words are separated by spaces and tabs; a line break belongs to the word
// it stands in. With encodedWords (reading), encoded words are tokens of
// their own (also inside a word) and the blanks after one, or a line break
// followed by blanks where a token begins, form a space token. An encoded
// word runs to the first "?=" of its line; at the end of the text it may
// lack the "?=" when it holds no blank. Anything else that starts with "=?"
// is plain text.
// Without encodedWords (writing), a word is wide when it must become an
// encoded word, so that the header stays 7-bit and reads as typed: it holds
// a character above U+007F, looks like an encoded word, overlaps one of
// wideSpans (ranges of positions of text), or is longer than
// kLongestPlainWord.
class TZelMimeAnalyser {
 public:
  explicit TZelMimeAnalyser(WideString text, bool encodedWords = true,
                            std::vector<TTextSpan> wideSpans = {});
  virtual ~TZelMimeAnalyser() = default;

  // The next token; false at the end of the text.
  bool Next(TAnalyserToken& token);

 private:
  // The first position at or after from where matches holds, or the size.
  struct TSearchCache {
    size_t from = 0;
    size_t found = 0;
  };
  size_t NextFrom(size_t from, TSearchCache& cache,
                  const std::function<bool(size_t)>& matches) const;
  bool EncodedWordAt(size_t pos, TAnalyserToken& token) const;
  struct TWord {
    size_t start = 0;
    size_t end = 0;
    bool wide = false;
  };
  TWord ScanWord(size_t start) const;
  // Whether the word must be encoded although it is all ASCII (writing).
  bool MarkedWide(const TWord& word) const;
  size_t BlanksEnd(size_t pos) const;
  size_t BreakAndBlanksEnd(size_t pos) const;
  bool SpaceTokenAt(size_t pos) const;

  WideString text_;
  bool encodedWords_;
  std::vector<TTextSpan> wideSpans_;
  size_t pos_ = 0;
  bool afterEncodedWord_ = false;
  std::optional<TWord> lookahead_;
  mutable TSearchCache closeAt_, breakAt_, blankAt_;
};

}  // namespace orvane
