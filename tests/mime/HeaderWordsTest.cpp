// Header values as a receiving mail program reads them: Python's email
// package decodes what we encoded, and must find the text as typed.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "FallbackGuard.h"
#include "PythonReference.h"
#include "mime/CharSet.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderEncoding.h"
#include "mime/HeaderFolding.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

using test::FallbackGuard;
using test::PythonReferenceEach;

std::string Subject(std::u16string_view text, TMimeCharSet charset) {
  return "Subject: " + EncodeUnstructured(text, charset, true, true);
}

std::string To(std::u16string_view text, TMimeCharSet charset) {
  return "To: " + EncodeStructured(text, charset, true);
}

// What our own reader (reply mode) makes of a field value.
std::u16string DecodedValue(const std::string& field) {
  return DecodeHeaderText(Unfold(field.substr(field.find(':') + 2))).Text;
}

TEST(EncodedWords, NoneIsLongerThan75Characters) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_7);
  // Alternating ASCII and kanji put escape sequences between every
  // character (RFC 2047 section 2 allows 75 characters per word).
  const struct {
    std::u16string text;
    TMimeCharSet charset;
  } cases[] = {
      {u"1月2日3時4分5秒6曜7週8年9号10回11版", mcsISO_2022_JP},
      {u"1月2日3時4分5秒6曜7週8年9号10回11版", mcsUS_ASCII},
      {u"Ａa１b２c３d４e５f６g７h８i９j", mcsSHIFT_JIS},
      {u"第1回a第2回b第3回c第4回d第5回e", mcsEUC_JP},
      {u"a漢b字c仮d名e交f混g文h字i列j", mcsISO_2022_JP},
      {u"한a국b어c시d험e한f국g어h시i", mcsISO_2022_JP},  // UTF-7 fallback
      {u"한a국b어c시d험e한f국g어h시i", mcsUTF_8},
      {u"\U0001F600a\U0001F600b\U0001F600c\U0001F600d\U0001F600e\U0001F600", mcsISO_2022_JP},
      {u"ÞaÐbÆcÞdÐeÆfÞgÐhÆi", mcsISO_8859_10},
      {u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ", mcsUS_ASCII},
  };
  const std::regex word(R"(=\?[^?\s]*\?[BbQq]\?[^?\s]*\?=)");
  std::vector<std::string> headers;
  for (const auto& c : cases) {
    headers.push_back(Subject(c.text, c.charset));
    SCOPED_TRACE(headers.back());
    int words = 0;
    for (std::sregex_iterator w(headers.back().begin(), headers.back().end(), word), end; w != end;
         ++w, ++words)
      EXPECT_LE(w->length(), 75);
    EXPECT_GT(words, 0);
    EXPECT_EQ(DecodedValue(headers.back()), c.text);
  }
  const auto decoded = PythonReferenceEach("header", headers);
  for (size_t i = 0; i < headers.size(); ++i)
    EXPECT_EQ(decoded[i], WideToUtf8(cases[i].text)) << headers[i];
}

TEST(EncodedWords, TextThatLooksLikeAnEncodedWordIsEncoded) {
  // RFC 2047 section 6.2: readers decode anything of that form, also
  // inside a word or a quoted string, so it must not stand in the header.
  const std::u16string lookAlikes[] = {
      u"=?utf-8?q?x?=",      u"Re: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=",
      u"a=?utf-8?b?eA==?=b", u"=?utf-8?q?x?= 会議 =?utf-8?q?y?=",
      u"=?utf-8?Q?unclosed",
  };
  std::vector<std::string> subjects;
  for (const auto& text : lookAlikes) {
    subjects.push_back(Subject(text, mcsUS_ASCII));
    EXPECT_EQ(DecodedValue(subjects.back()), text) << subjects.back();
  }
  const auto decoded = PythonReferenceEach("header", subjects);
  for (size_t i = 0; i < subjects.size(); ++i)
    EXPECT_EQ(decoded[i], WideToUtf8(lookAlikes[i])) << subjects[i];

  // Python reads the encoded words of one display name with blanks
  // between them, so these fit in one word.
  const std::vector<std::string> names = {
      To(u"=?a?q?x?= <a@example.com>", mcsUS_ASCII),
      To(u"\"=?a?q?x?=\" <a@example.com>", mcsUS_ASCII),
  };
  for (const auto& mailbox : PythonReferenceEach("addresses", names))
    EXPECT_EQ(mailbox, "=?a?q?x?=\ta@example.com");

  // An encoded word must not stand in an address (RFC 2047 section 5), so
  // an address is written as typed (the join puts a blank before "=?").
  EXPECT_EQ(To(u"<=?a?q?x?=@example.com>", mcsUS_ASCII), "To:  < =?a?q?x?=@example.com>");
  // Text that only comes close stays as it is.
  EXPECT_EQ(Subject(u"a =? b ?= c", mcsUS_ASCII), "Subject: a =? b ?= c");
  EXPECT_EQ(Subject(u"1+1=2?", mcsUS_ASCII), "Subject: 1+1=2?");
}

TEST(DisplayNames, AQuotedNameIsEncodedWithoutItsQuotes) {
  // RFC 2047 section 5: encoded words may be words of a phrase, never
  // parts of a quoted string, so the quotes must not go into the word.
  // Python reads the encoded words of one display name with blanks between
  // them, so every name here fits in one word of ten characters.
  const struct {
    std::u16string value;
    TMimeCharSet charset;
    std::string mailboxes;  // Python: display name, tab, address; per line
  } cases[] = {
      {u"\"山田, 太郎\" <y@example.com>", mcsUS_ASCII, "山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>", mcsISO_2022_JP, "山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>", mcsSHIFT_JIS, "山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>", mcsEUC_JP, "山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>", mcsUTF_7, "山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>", mcsUTF_8, "山田, 太郎\ty@example.com"},
      {u"\"王, 小明\" <w@example.com>", mcsGB2312, "王, 小明\tw@example.com"},
      {u"\"王, 小明\" <w@example.com>", mcsBIG5, "王, 小明\tw@example.com"},
      {u"\"김, 철수\" <k@example.com>", mcsEUC_KR, "김, 철수\tk@example.com"},
      {u"\"Bö, J.(IT)\" <j@example.com>", mcsISO_8859_1, "Bö, J.(IT)\tj@example.com"},
      {u"\"Yamada, 太郎\" <t@example.com>", mcsISO_2022_JP, "Yamada, 太郎\tt@example.com"},
      {u"営業部 \"山田, 太郎\" <y@example.com>", mcsISO_2022_JP,
       "営業部 山田, 太郎\ty@example.com"},
      {u"\"山田, 太郎\" 様 <y@example.com>", mcsISO_2022_JP, "山田, 太郎 様\ty@example.com"},
      {u"\"山田 \\\"太郎\\\"\" <y@example.com>", mcsISO_2022_JP, "山田 \"太郎\"\ty@example.com"},
      {u"\"山田, 太郎\" <y@example.com>, \"鈴木, 花子\" <s@example.com>", mcsISO_2022_JP,
       "山田, 太郎\ty@example.com\n鈴木, 花子\ts@example.com"},
      {u"\"Yamada, Taro\" <t@example.com>", mcsISO_2022_JP, "Yamada, Taro\tt@example.com"},
  };
  std::vector<std::string> headers;
  for (const auto& c : cases) headers.push_back(To(c.value, c.charset));
  const auto mailboxes = PythonReferenceEach("addresses", headers);
  for (size_t i = 0; i < headers.size(); ++i)
    EXPECT_EQ(mailboxes[i], cases[i].mailboxes) << headers[i];
  // A name that needs no encoding keeps its quoted string.
  EXPECT_EQ(headers.back(), "To: \"Yamada, Taro\" <t@example.com>");
}

}  // namespace
}  // namespace orvane
