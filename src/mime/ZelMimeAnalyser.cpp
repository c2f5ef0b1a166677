#include "mime/ZelMimeAnalyser.h"

#include <array>
#include <functional>
#include <utility>

#include "platform/CodePage.h"

namespace orvane {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

bool IsLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}

// Which of U+0080 to U+00FE Shift_JIS lacks, worked out once.
const std::array<bool, 0x7F>& LatinWideTable() {
  static const std::array<bool, 0x7F> table = [] {
    std::array<bool, 0x7F> t{};
    for (char16_t c = 0x80; c <= 0xFE; ++c) {
      bool lost = false;
      WideToSjis(std::u16string_view(&c, 1), &lost);
      t[c - 0x80] = lost;
    }
    return t;
  }();
  return table;
}

}  // namespace

bool HasOverlongWord(std::u16string_view text) {
  size_t run = 0;
  for (char16_t c : text) {
    run = (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') ? 0 : run + 1;
    if (run > kLongestPlainWord) return true;
  }
  return false;
}

bool IsWideChar(char16_t c) {
  if (c < 0x80) return false;
  if (c > 0xFE) return true;
  return LatinWideTable()[c - 0x80];
}

bool LooksLikeEncodedWord(std::u16string_view text) {
  for (size_t at = text.find(u"=?"); at != std::u16string_view::npos;
       at = text.find(u"=?", at + 1)) {
    size_t q = text.find(u'?', at + 2);
    if (q == std::u16string_view::npos || q + 2 >= text.size()) return false;
    const char16_t letter = text[q + 1];
    if ((letter == u'B' || letter == u'b' || letter == u'Q' || letter == u'q') &&
        text[q + 2] == u'?')
      return true;
  }
  return false;
}

TZelMimeAnalyser::TZelMimeAnalyser(WideString text, bool encodedWords,
                                   std::vector<TTextSpan> wideSpans)
    : text_(std::move(text)), encodedWords_(encodedWords), wideSpans_(std::move(wideSpans)) {}

bool TZelMimeAnalyser::EncodedWordAt(size_t pos, TAnalyserToken& token) const {
  const size_t n = text_.size();
  if (!encodedWords_ || pos + 1 >= n || text_[pos] != u'=' || text_[pos + 1] != u'?') return false;
  size_t q = pos + 2;
  while (q < n && text_[q] != u'?' && !IsBlank(text_[q]) && !IsLineBreak(text_[q])) ++q;
  if (q == pos + 2 || q + 2 >= n || text_[q] != u'?' || text_[q + 2] != u'?') return false;
  const char16_t letter = text_[q + 1];
  if (letter != u'B' && letter != u'b' && letter != u'Q' && letter != u'q') return false;
  const size_t textStart = q + 3;
  const size_t close = NextFrom(textStart, closeAt_, [&](size_t i) {
    return text_[i] == u'?' && i + 1 < n && text_[i + 1] == u'=';
  });
  const size_t lineBreak =
      NextFrom(textStart, breakAt_, [&](size_t i) { return IsLineBreak(text_[i]); });
  if (lineBreak < close) return false;
  const bool closed = close < n;
  if (!closed && NextFrom(textStart, blankAt_, [&](size_t i) { return IsBlank(text_[i]); }) < n)
    return false;
  const size_t end = close;
  const std::u16string_view all(text_);
  token.Kind = akEncodedWord;
  token.CharSet = all.substr(pos + 2, q - pos - 2);
  token.Encoding = letter;
  token.EncodedText = all.substr(textStart, end - textStart);
  token.Text = all.substr(pos, (closed ? end + 2 : n) - pos);
  return true;
}

size_t TZelMimeAnalyser::NextFrom(size_t from, TSearchCache& cache,
                                  const std::function<bool(size_t)>& matches) const {
  // Searches go left to right, so the position found last is the answer as
  // long as it lies at or after the new start: each character is looked at
  // once, and a text full of "=?" still takes linear time.
  if (from < cache.from || from > cache.found) {
    cache.from = from;
    cache.found = from;
    while (cache.found < text_.size() && !matches(cache.found)) ++cache.found;
  }
  return cache.found;
}

TZelMimeAnalyser::TWord TZelMimeAnalyser::ScanWord(size_t start) const {
  TAnalyserToken ignored;
  TWord word{start, start, false};
  while (word.end < text_.size() && !IsBlank(text_[word.end]) &&
         !(word.end > start && EncodedWordAt(word.end, ignored))) {
    const char16_t c = text_[word.end];
    word.wide = word.wide || (encodedWords_ ? IsWideChar(c) : c >= 0x80);
    ++word.end;
  }
  if (!encodedWords_ && !word.wide) word.wide = MarkedWide(word);
  return word;
}

bool TZelMimeAnalyser::MarkedWide(const TWord& word) const {
  if (word.end - word.start > kLongestPlainWord) return true;
  for (const TTextSpan& span : wideSpans_)
    if (span.first < word.end && word.start < span.second) return true;
  return LooksLikeEncodedWord(std::u16string_view(text_).substr(word.start, word.end - word.start));
}

size_t TZelMimeAnalyser::BlanksEnd(size_t pos) const {
  while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
  return pos;
}

// The end of a run of blanks and of line breaks followed by blanks.
size_t TZelMimeAnalyser::BreakAndBlanksEnd(size_t pos) const {
  for (;;) {
    const size_t blanksEnd = BlanksEnd(pos);
    size_t afterBreak = blanksEnd;
    if (afterBreak < text_.size() && text_[afterBreak] == u'\r') ++afterBreak;
    if (afterBreak < text_.size() && text_[afterBreak] == u'\n') ++afterBreak;
    if (afterBreak == blanksEnd || afterBreak >= text_.size() || !IsBlank(text_[afterBreak]))
      return blanksEnd;
    pos = afterBreak;
  }
}

bool TZelMimeAnalyser::SpaceTokenAt(size_t pos) const {
  return encodedWords_ && IsLineBreak(text_[pos]) && BreakAndBlanksEnd(pos) > pos;
}

bool TZelMimeAnalyser::Next(TAnalyserToken& token) {
  const size_t n = text_.size();
  if (pos_ >= n) return false;
  const std::u16string_view all(text_);
  token = TAnalyserToken{};
  const size_t start = pos_;
  auto give = [&](TAnalyserTokenKind kind, size_t end) {
    token.Kind = kind;
    token.Text = all.substr(start, end - start);
    pos_ = end;
    afterEncodedWord_ = false;
    return true;
  };

  // A word looked at while ending the last run is known not to start a
  // space token or an encoded word.
  TWord word;
  if (lookahead_ && lookahead_->start == start) {
    word = *lookahead_;
  } else {
    if (afterEncodedWord_ || SpaceTokenAt(start)) {
      const size_t end = BreakAndBlanksEnd(start);
      if (end > start) return give(akSpace, end);
    }
    if (EncodedWordAt(start, token)) {
      pos_ = start + token.Text.size();
      afterEncodedWord_ = true;
      return true;
    }
    // Blanks that begin the text form a plain token of their own.
    if (IsBlank(text_[start])) return give(akPlain, BlanksEnd(start));
    word = ScanWord(start);
  }
  lookahead_.reset();
  size_t end = BlanksEnd(word.end);
  if (word.wide) {
    // Further wide words join the run.
    TAnalyserToken ignored;
    while (end < n && !SpaceTokenAt(end) && !EncodedWordAt(end, ignored)) {
      const TWord next = ScanWord(end);
      if (!next.wide) {
        lookahead_ = next;
        break;
      }
      end = BlanksEnd(next.end);
    }
  }
  return give(word.wide ? akWide : akPlain, end);
}

}  // namespace orvane
