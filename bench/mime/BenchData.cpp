#include "BenchData.h"

#include <random>
#include <string_view>

namespace orvane::bench {
namespace {

// Common kanji, all in level 1 or 2 of JIS X 0208.
constexpr std::u16string_view kKanji =
    u"日本語文字列漢字変換送信受信添付電子郵便手紙会社社員部長課長今日明日昨年月火水木金土"
    u"時間分秒午前後上下左右東西南北中大小高低長短新古多少早遅近遠内外入出見聞話読書会議"
    u"資料報告確認連絡相談予定変更担当者様御願申上返事開始終了準備作業完成品質管理問題解決"
    u"方法結果理由目的場所住所電話番号名前氏家族友人先生学校生徒勉強試験合格発表写真映画音楽"
    u"天気雨雪風晴曇春夏秋冬朝昼夜食事料理野菜果物肉魚米茶酒店買物値段安全注意必要重要簡単";
constexpr std::u16string_view kPunctuation = u"、。、。「」・ー（）！？";
constexpr std::u16string_view kAsciiWords[] = {u"MIME", u"mail", u"2024", u"PDF", u"OK",
                                               u"Re:",  u"v3.2", u"No.1", u"ID",  u"TEL"};
constexpr std::size_t kLineLength = 40;

char16_t Hiragana(std::mt19937& random) {
  return static_cast<char16_t>(0x3041 + random() % (0x3093 - 0x3041 + 1));
}
char16_t Katakana(std::mt19937& random) {
  return static_cast<char16_t>(0x30A1 + random() % (0x30F6 - 0x30A1 + 1));
}

}  // namespace

WideString JapaneseText(std::size_t units) {
  std::mt19937 random(20030105);
  WideString text;
  text.reserve(units + 64);
  std::size_t lineStart = 0;
  while (text.size() + 2 < units) {
    const unsigned kind = random() % 100;
    if (kind < 40) {
      for (unsigned n = 1 + random() % 4; n > 0; --n) text += kKanji[random() % kKanji.size()];
    } else if (kind < 75) {
      for (unsigned n = 1 + random() % 6; n > 0; --n) text += Hiragana(random);
    } else if (kind < 85) {
      for (unsigned n = 2 + random() % 5; n > 0; --n) text += Katakana(random);
    } else if (kind < 93) {
      text += kPunctuation[random() % kPunctuation.size()];
    } else {
      text += kAsciiWords[random() % std::size(kAsciiWords)];
    }
    if (text.size() - lineStart >= kLineLength) {
      text += u"\r\n";
      lineStart = text.size();
    }
  }
  text.resize(units - 2);
  // A cut CR LF would leave a lone CR before the final line break.
  if (!text.empty() && text.back() == u'\r') text.back() = u'。';
  text += u"\r\n";
  return text;
}

}  // namespace orvane::bench
