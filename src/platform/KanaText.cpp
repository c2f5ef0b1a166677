#include "platform/KanaText.h"

#include <array>

namespace orvane {
namespace {

constexpr char16_t kHalfFirst = u'\uFF61';
constexpr char16_t kHalfLast = u'\uFF9F';
constexpr char16_t kHalfVoiced = u'\uFF9E';
constexpr char16_t kHalfSemiVoiced = u'\uFF9F';

// U+FF61 to U+FF9F in order: the full-width character of each.
constexpr std::array<char16_t, 63> kFullOfHalf = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜',
};

bool IsHalfKana(char16_t c) {
  return c >= kHalfFirst && c <= kHalfLast;
}

// ハ ヒ フ ヘ ホ: voiced one above, semi-voiced two above.
constexpr bool TakesSemiVoicedMark(char16_t c) {
  return c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0;
}

// The katakana whose voiced form is the next code point.
constexpr bool TakesVoicedMark(char16_t c) {
  return (c >= u'カ' && c <= u'チ' && (c - u'カ') % 2 == 0) ||
         (c >= u'ツ' && c <= u'ト' && (c - u'ツ') % 2 == 0) || TakesSemiVoicedMark(c);
}

// The precomposed character of a full-width katakana and a half-width mark,
// 0 when there is none.
char16_t Compose(char16_t kana, char16_t mark) {
  if (mark == kHalfVoiced) {
    if (kana == u'ウ') return u'ヴ';
    if (kana == u'ワ') return u'ヷ';
    if (kana == u'ヲ') return u'ヺ';
    if (TakesVoicedMark(kana)) return static_cast<char16_t>(kana + 1);
  } else if (mark == kHalfSemiVoiced && TakesSemiVoicedMark(kana)) {
    return static_cast<char16_t>(kana + 2);
  }
  return 0;
}

// The reverse table, built once: for each full-width character in the
// katakana block and the punctuation, its half-width form and mark.
struct HalfForm {
  char16_t kana = 0;
  char16_t mark = 0;  // 0, U+FF9E or U+FF9F
};

class HalfTable {
 public:
  HalfTable() {
    for (char16_t half = kHalfFirst; half <= kHalfLast; ++half) {
      char16_t full = kFullOfHalf[half - kHalfFirst];
      Put(full, {half, 0});
      for (char16_t mark : {kHalfVoiced, kHalfSemiVoiced})
        if (char16_t composed = Compose(full, mark)) Put(composed, {half, mark});
    }
  }
  HalfForm Of(char16_t c) const {
    if (c >= u'\u3000' && c < u'\u3000' + kSpan) return forms_[c - u'\u3000'];
    return {};
  }

 private:
  static constexpr size_t kSpan = 0x100;  // U+3000 to U+30FF
  void Put(char16_t full, HalfForm form) {
    if (full >= u'\u3000' && full < u'\u3000' + kSpan) forms_[full - u'\u3000'] = form;
  }
  std::array<HalfForm, kSpan> forms_{};
};

const HalfTable& Halves() {
  static const HalfTable table;
  return table;
}

}  // namespace

WideString ToFullWidth(std::u16string_view text) {
  WideString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u' ') {
      out += u'\u3000';
    } else if (c >= u'!' && c <= u'~') {
      out += static_cast<char16_t>(c - u'!' + u'！');
    } else if (IsHalfKana(c)) {
      char16_t full = kFullOfHalf[c - kHalfFirst];
      char16_t composed = i + 1 < text.size() ? Compose(full, text[i + 1]) : 0;
      out += composed ? composed : full;
      if (composed) ++i;
    } else {
      out += c;
    }
  }
  return out;
}

WideString ToHalfWidth(std::u16string_view text) {
  WideString out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c == u'\u3000') {
      out += u' ';
    } else if (c >= u'！' && c <= u'～') {
      out += static_cast<char16_t>(c - u'！' + u'!');
    } else if (HalfForm form = Halves().Of(c); form.kana != 0) {
      out += form.kana;
      if (form.mark) out += form.mark;
    } else {
      out += c;
    }
  }
  return out;
}

WideString ToKatakana(std::u16string_view text) {
  WideString out(text);
  for (char16_t& c : out) {
    if ((c >= u'ぁ' && c <= u'ゖ') || c == u'ゝ' || c == u'ゞ')
      c = static_cast<char16_t>(c + (u'ァ' - u'ぁ'));
  }
  return out;
}

WideString ToHiragana(std::u16string_view text) {
  WideString out(text);
  for (char16_t& c : out) {
    if ((c >= u'ァ' && c <= u'ヶ') || c == u'ヽ' || c == u'ヾ')
      c = static_cast<char16_t>(c - (u'ァ' - u'ぁ'));
  }
  return out;
}

WideString ToHalfKatakana(std::u16string_view text) {
  return ToHalfWidth(ToKatakana(text));
}

WideString ToFullHiragana(std::u16string_view text) {
  return ToHiragana(ToFullWidth(text));
}

bool IsKanaText(std::u16string_view text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    bool kana = (c >= u'ぁ' && c <= u'ゟ') || (c >= u'゠' && c <= u'ヿ') ||
                (c >= u'ㇰ' && c <= u'ㇿ') || (c >= u'･' && c <= kHalfLast);
    if (!kana) return false;
  }
  return true;
}

}  // namespace orvane
