#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// True for a character that makes a header word wide, so that it is sent
// as an encoded word: one above U+00FE, or one from U+0080 to U+00FE that
// Shift_JIS lacks (the others go into the header as Shift_JIS bytes).
bool IsWideChar(char16_t c);

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
// it stands in. With encodedWords, encoded words are tokens of their own
// (also inside a word) and the blanks after one, or a line break followed
// by blanks where a token begins, form a space token. An encoded word runs
// to the first "?=" of its line; at the end of the text it may lack the
// "?=" when it holds no blank. Anything else that starts with "=?" is
// plain text.
class TZelMimeAnalyser {
 public:
  explicit TZelMimeAnalyser(WideString text, bool encodedWords = true);
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
  size_t BlanksEnd(size_t pos) const;
  size_t BreakAndBlanksEnd(size_t pos) const;
  bool SpaceTokenAt(size_t pos) const;

  WideString text_;
  bool encodedWords_;
  size_t pos_ = 0;
  bool afterEncodedWord_ = false;
  std::optional<TWord> lookahead_;
  mutable TSearchCache closeAt_, breakAt_, blankAt_;
};

}  // namespace orvane
