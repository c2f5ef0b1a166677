#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FallbackGuard.h"
#include "PythonReference.h"
#include "mime/CharSet.h"
#include "mime/HeaderEncoding.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// Encoded words whose bytes were produced with Python:
// base64.b64encode(text.encode("iso-2022-jp")).
constexpr char kTesuto[] = "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=";  // テスト
constexpr char kKaigi[] = "=?ISO-2022-JP?B?GyRCMnE1RBsoQg==?=";   // 会議
constexpr char kShiryo[] = "=?ISO-2022-JP?B?GyRCO3FOQRsoQg==?=";  // 資料

using test::FallbackGuard;

std::string Unstructured(std::u16string_view text, TMimeCharSet charset = mcsUS_ASCII,
                         bool fold = true, bool testWhole = true) {
  return EncodeUnstructured(text, charset, fold, testWhole);
}

std::string Structured(std::u16string_view text, TMimeCharSet charset = mcsUS_ASCII) {
  return EncodeStructured(text, charset, true);
}

TEST(EncodeWord, ChoosesTheEncodingByCharset) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_7);
  const struct {
    std::u16string piece;
    TMimeCharSet charset;
    std::string word;
  } cases[] = {
      {u"テスト", mcsUS_ASCII, kTesuto},
      {u"テスト", mcsSHIFT_JIS, kTesuto},
      {u"テスト", mcsEUC_JP, kTesuto},
      {u"テスト", mcsISO_2022_JP, kTesuto},
      {u"abc", mcsUS_ASCII, "=?ISO-2022-JP?B?YWJj?="},  // no ASCII shortcut in a word
      {u"caf\u00e9 au", mcsISO_8859_1, "=?ISO-8859-1?Q?caf=E9=20au?="},
      {u"\u2460", mcsISO_2022_JP, "=?ISO-2022-JP?B?GyRCLSEbKEI=?="},  // JIS 0x2D21
      {u"", mcsUS_ASCII, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.piece));
    EXPECT_EQ(EncodeWord(c.piece, c.charset), c.word);
  }
}

TEST(EncodeWord, FallsBackToUnicodeForWhatTheCharsetLacks) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_8);
  EXPECT_EQ(EncodeWord(u"\U0001F600", mcsISO_2022_JP), "=?UTF-8?B?8J+YgA==?=");
  SetUnicodeEncodingSetting(ueUTF_7);
  const std::string word = EncodeWord(u"\U0001F600", mcsISO_2022_JP);
  EXPECT_TRUE(word.starts_with("=?UTF-7?B?")) << word;
  EXPECT_EQ(test::PythonReference("header", "Subject: " + word), "\xf0\x9f\x98\x80");
}

TEST(EncodeWords, CutsTenThenThirteenCharacters) {
  const std::u16string text = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ";
  // Python: each piece of 10, 13 and 7 characters encoded as above.
  EXPECT_EQ(EncodeWords(text, mcsISO_2022_JP),
            "=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKiQrJC0kLyQxJDMbKEI=?= "
            "=?ISO-2022-JP?B?GyRCJDUkNyQ5JDskPSQ/JEEkRCRGJEgkSiRLJEwbKEI=?= "
            "=?ISO-2022-JP?B?GyRCJE0kTiRPJFIkVSRYJFsbKEI=?=");
  EXPECT_EQ(EncodeWords(u"", mcsISO_2022_JP), "");
}

TEST(EncodeWords, KeepsASurrogatePairInOneWord) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_8);
  // The tenth unit is the first half of U+1F600.
  const std::u16string text = u"あいうえおかきくけ\U0001F600こ";
  const std::string words = EncodeWords(text, mcsISO_2022_JP);
  EXPECT_EQ(words.find(' '), words.rfind(' ')) << words;  // two words
  EXPECT_EQ(test::PythonReference("header", "Subject: " + words), WideToUtf8(text));
}

TEST(JoinEncoded, SeparatesEncodedWordsByWhitespace) {
  const struct {
    std::string left, right, joined;
  } cases[] = {
      {"abc", "=?x?B?y?=", "abc =?x?B?y?="},
      {"=?x?B?y?=", "def", "=?x?B?y?= def"},
      {"abc ", "=?x?B?y?=", "abc =?x?B?y?="},
      {"abc\t", "=?x?B?y?=", "abc\t=?x?B?y?="},
      {"", "=?x?B?y?=", "=?x?B?y?="},
      {"=?x?B?y?=", "=?x?B?z?=", "=?x?B?y?= =?x?B?z?="},
      {"abc", "def", "abcdef"},
      {"?=", "def", "?=def"},  // too short to be an encoded word
      {"=?x?B?y?=", " <a>", "=?x?B?y?=  <a>"},
      {"", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinEncoded(c.left, c.right), c.joined);
}

TEST(EncodeUnstructured, EncodesRunsOfWideWords) {
  const struct {
    std::u16string text;
    std::string encoded;
  } cases[] = {
      {u"Re: テスト", std::string("Re: ") + kTesuto},
      {u"Re: 会議の件 について", "Re: =?ISO-2022-JP?B?GyRCMnE1RCRON28bKEIgGyRCJEskRCQkJEYbKEI=?="},
      {u"会議 meeting 資料", std::string(kKaigi) + " meeting " + kShiryo},
      {u"Hello world", "Hello world"},
      {u"  テスト", std::string("  ") + kTesuto},  // leading blanks are kept
      // Two blanks after a run: one goes into the word, one stays.
      {u"テスト  x", "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhCIA==?= x"},
      // Latin characters are encoded too, so that the header stays 7-bit
      // (Python: the ISO-2022-JP bytes of "3×4 ±0").
      {u"3\u00d74 \u00b10", "=?ISO-2022-JP?B?MxskQiFfGyhCNCAbJEIhXhsoQjA=?="},
      {u"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.text));
    EXPECT_EQ(Unstructured(c.text, mcsUS_ASCII, false), c.encoded);
  }
}

TEST(EncodeUnstructured, EncodesLatinWordsShiftJisCannotHold) {
  // "café" would otherwise go out as "caf?".
  const std::string encoded = Unstructured(u"Un café");
  EXPECT_TRUE(encoded.starts_with("Un =?")) << encoded;
  EXPECT_EQ(test::PythonReference("header", "Subject: " + encoded), "Un caf\xc3\xa9");
}

TEST(EncodeUnstructured, FoldsEachWordOfALongValueOntoItsOwnLine) {
  EXPECT_EQ(Unstructured(u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"),
            "=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKiQrJC0kLyQxJDMbKEI=?=\r\n"
            " =?ISO-2022-JP?B?GyRCJDUkNyQ5JDskPSQ/JEEkRCRGJEgkSiRLJEwbKEI=?=\r\n"
            " =?ISO-2022-JP?B?GyRCJE0kTiRPJFIkVSRYJFsbKEI=?=");
}

TEST(EncodeUnstructured, TheWholeValueTestDecidesTheCharset) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_8);
  const struct {
    std::u16string text;
    TMimeCharSet requested;
    bool testWhole;
    TMimeCharSet after;
  } cases[] = {
      {u"Test", mcsUS_ASCII, true, mcsISO_2022_JP},  // even for ASCII text
      {u"Test", mcsUS_ASCII, false, mcsUS_ASCII},
      {u"テスト", mcsSHIFT_JIS, true, mcsISO_2022_JP},
      {u"テスト", mcsUnKnown, true, mcsISO_2022_JP},
      {u"テスト \U0001F600", mcsISO_2022_JP, true, mcsUTF_8},
      {u"Test", mcsUTF_8, true, mcsUTF_8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.text));
    TMimeCharSet charset = c.requested;
    EncodeUnstructured(c.text, charset, true, c.testWhole);
    EXPECT_EQ(charset, c.after);
  }
}

TEST(EncodeUnstructured, WithoutTheWholeValueTestEveryWordFallsBackAlone) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_8);
  // Ten kana fill the first word; the emoji is the second.
  const std::u16string text = u"あいうえおかきくけこ\U0001F600";
  TMimeCharSet charset = mcsUS_ASCII;
  EXPECT_EQ(EncodeUnstructured(text, charset, false, false),
            "=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKiQrJC0kLyQxJDMbKEI=?= =?UTF-8?B?8J+YgA==?=");
  charset = mcsUS_ASCII;
  const std::string whole = EncodeUnstructured(text, charset, false, true);
  EXPECT_EQ(whole.find("ISO-2022-JP"), std::string::npos) << whole;
  EXPECT_EQ(test::PythonReference("header", "Subject: " + whole), WideToUtf8(text));
}

TEST(EncodeStructured, EncodesDisplayNamesAndKeepsAddresses) {
  const struct {
    std::u16string text;
    std::string encoded;
  } cases[] = {
      // Python: "山田 太郎" as one ISO-2022-JP word; the fold before "<"
      // leaves the blank at the end of the first line.
      {u"山田 太郎 <taro@example.jp>",
       "=?ISO-2022-JP?B?GyRCOzNFRBsoQiAbJEJCQE86GyhC?= \r\n <taro@example.jp>"},
      {u"Taro <taro@example.jp>", "Taro <taro@example.jp>"},
      {u"taro@example.jp", "taro@example.jp"},
      {u"<taro@example.jp>", " <taro@example.jp>"},
      {u"\"Yamada, Taro\" <t@x>", "\"Yamada, Taro\" <t@x>"},
      {u"t@x (Taro)", "t@x (Taro)"},
      {u"t@x (コメント)", "t@x ( =?ISO-2022-JP?B?GyRCJTMlYSVzJUgbKEI=?= )"},
      {u"t@x (a (b) c)", "t@x (a (b) c)"},
      {u"t@x (open", "t@x (open)"},
      // A quoted string with Japanese loses its quotes (RFC 2047 section 5).
      {u"\"山田\" <a@b>", "=?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <a@b>"},
      {u"a@b, c@d", "a@b, c@d"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.text));
    EXPECT_EQ(Structured(c.text), c.encoded);
  }
}

TEST(EncodeStructured, FoldsAListAfterItsCommas) {
  std::u16string list;
  std::string expected;
  for (int i = 0; i < 6; ++i) {
    const std::u16string address = u"person" + std::u16string(1, u'0' + i) + u"@example.com";
    list += (i ? u", " : u"") + address;
    // Once the rest is shorter than 64 it stays on one line.
    expected += (i == 0 ? "" : i < 4 ? ",\r\n " : ", ") + WideToUtf8(address);
  }
  EXPECT_EQ(Structured(list), expected);
}

TEST(EncodeStructured, IsReadBackByPython) {
  const std::vector<std::u16string> values = {
      u"山田 太郎 <taro@example.jp>",
      u"鈴木 <suzuki@example.jp>, 佐藤 花子 <sato@example.jp>",
  };
  std::vector<std::string> headers;
  for (const auto& v : values) headers.push_back("To: " + Structured(v));
  const auto decoded = test::PythonReferenceEach("header", headers);
  EXPECT_EQ(decoded[0], "山田 太郎 <taro@example.jp>");
  EXPECT_EQ(decoded[1], "鈴木 <suzuki@example.jp>, 佐藤 花子 <sato@example.jp>");
}

TEST(HeaderInjection, ALineBreakInAValueNeverStartsAField) {
  const std::vector<std::string> headers = {
      "Subject: " + Unstructured(u"a\r\nBcc: x@example.com"),
      "Subject: " + Unstructured(u"a\nBcc: x@example.com"),
      "Subject: " + Unstructured(u"テスト\r\nBcc: x@example.com"),
      "To: " + Structured(u"a@b\r\nBcc: x@example.com"),
      "To: " + Structured(u"\"a\r\nBcc: x@example.com\" <a@b>"),
      "X-Mailer: " + EncodeFixedJis(std::string_view("v1\r\n\r\nbody")),
  };
  EXPECT_EQ(headers[0], "Subject: a\r\n Bcc: x@example.com");
  const auto names = test::PythonReferenceEach("fieldnames", headers);
  for (size_t i = 0; i < headers.size(); ++i) {
    SCOPED_TRACE(headers[i]);
    EXPECT_EQ(names[i], headers[i].substr(0, headers[i].find(':')));
  }
}

TEST(EncodeFixedJis, EncodesShiftJisValuesInIsoJp) {
  const struct {
    std::string sjis;
    std::string encoded;
  } cases[] = {
      {"Orvane Version 3.2.6", "Orvane Version 3.2.6"},
      {"\x83\x65\x83\x58\x83\x67 1.0", std::string(kTesuto) + " 1.0"},  // テスト 1.0
      {"\x87\x40", "=?ISO-2022-JP?B?GyRCLSEbKEI=?="},  // the circled one of code page 932
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeFixedJis(std::string_view(c.sjis)), c.encoded);
}

TEST(THeaderFieldEncoder, GivesEachModeItsReach) {
  FallbackGuard guard;
  SetUnicodeEncodingSetting(ueUTF_8);
  const std::u16string mixed = u"あいうえおかきくけこ\U0001F600";
  const std::string jisThenUtf8 =
      "=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKiQrJC0kLyQxJDMbKEI=?= =?UTF-8?B?8J+YgA==?=";

  THeaderFieldEncoder line(mcsUS_ASCII, ceLine);
  EXPECT_EQ(line.Unstructured(mixed), jisThenUtf8.substr(0, 54) + "\r\n" + jisThenUtf8.substr(54));
  EXPECT_EQ(line.Unstructured(u"Test"), "Test");
  EXPECT_EQ(line.CharSet(), mcsUS_ASCII);
  // Address text always gets the whole-value test, even in ceLine.
  EXPECT_EQ(line.Structured(u"a@b"), "a@b");
  EXPECT_EQ(line.CharSet(), mcsISO_2022_JP);

  // ceField: the whole value falls back, and the next field starts afresh.
  THeaderFieldEncoder field(mcsUS_ASCII, ceField);
  EXPECT_EQ(field.Unstructured(mixed).find("ISO-2022-JP"), std::string::npos);
  EXPECT_EQ(field.CharSet(), mcsUTF_8);
  EXPECT_EQ(field.Unstructured(u"テスト"), kTesuto);
  EXPECT_EQ(field.CharSet(), mcsISO_2022_JP);

  // ceMessage: the fallback chosen for one field holds for the next ones.
  THeaderFieldEncoder message(mcsUS_ASCII, ceMessage);
  message.Unstructured(mixed);
  EXPECT_EQ(message.Unstructured(u"テスト"), "=?UTF-8?B?44OG44K544OI?=");
  EXPECT_EQ(message.CharSet(), mcsUTF_8);

  // An all-ASCII From decides ISO-2022-JP for the whole message.
  THeaderFieldEncoder ascii(mcsUS_ASCII, ceMessage);
  EXPECT_EQ(ascii.Structured(u"a@example.jp"), "a@example.jp");
  EXPECT_EQ(ascii.CharSet(), mcsISO_2022_JP);
}

}  // namespace
}  // namespace orvane
