#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "PythonReference.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderEncoding.h"
#include "mime/HeaderFolding.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// "テスト" in ISO-2022-JP, base64 (Python: "テスト".encode("iso-2022-jp")).
const std::string kTesutoWord = "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=";

std::string Decoded(std::string_view raw) {
  return WideToUtf8(DecodeHeaderText(raw).Text);
}

TEST(DecodeHeaderText, DecodesEncodedWordsAndJoinsAdjacentOnes) {
  const struct {
    std::string raw, text;
    TMimeCharSet charset;
  } cases[] = {
      {kTesutoWord + " " + kTesutoWord, "テストテスト", mcsISO_2022_JP},
      {"a " + kTesutoWord + " b", "a テスト b", mcsISO_2022_JP},
      {kTesutoWord + "\r\n " + kTesutoWord, "テストテスト", mcsISO_2022_JP},  // folded
      {kTesutoWord + "\t \r\n\t" + kTesutoWord, "テストテスト", mcsISO_2022_JP},
      {"=?iso-2022-jp?b?GyRCJUYlOSVIGyhC?=", "テスト", mcsISO_2022_JP},
      {"=?ISO-8859-1?Q?caf=E9_au_lait?=", "café au lait", mcsISO_8859_1},
      {"=?utf-8?q?=E3=83=86?=x", "テx", mcsUTF_8},  // text right after a word
      {"abc" + kTesutoWord + "def", "abcテストdef", mcsISO_2022_JP},
      {"=?ISO-2022-JP*ja?B?GyRCJUYlOSVIGyhC?=", "テスト", mcsISO_2022_JP},  // RFC 2231 language
      {"=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC", "テスト", mcsISO_2022_JP},  // "?=" missing at the end
      {"=?x-unknown?B?QUJD?=", "=?x-unknown?B?QUJD?=", mcsUnKnown},    // no decoder: as written
      {"Hello world", "Hello world", mcsUS_ASCII},
      {"", "", mcsUS_ASCII},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw);
    const TDecodedHeader decoded = DecodeHeaderText(c.raw);
    EXPECT_EQ(WideToUtf8(decoded.Text), c.text);
    EXPECT_EQ(decoded.CharSet, c.charset);
  }
}

TEST(DecodeHeaderText, ReadsMalformedWordsAsPlainText) {
  const std::string cases[] = {
      "=?",
      "=?ISO-2022-JP",
      "=?ISO-2022-JP?",
      "=?ISO-2022-JP?B",
      "=?ISO-2022-JP?X?abc?=",
      "=??B?abc?=",
      "=?ISO 2022?B?abc?=",
      "=?ISO-2022-JP?B?abc def",        // unclosed with a blank: not a word
      "=?ISO-2022-JP?B?abc\r\n def?=",  // a word ends on its line
      "?= =? ?B?",
  };
  for (const auto& raw : cases) {
    SCOPED_TRACE(raw);
    EXPECT_EQ(Decoded(raw), raw);
    EXPECT_FALSE(ContainsEncodedWord(raw));
  }
}

TEST(DecodeHeaderText, KeepsThePlainTextBetweenWords) {
  const struct {
    std::string raw, text;
  } cases[] = {
      {"abc\r\n def", "abc\r\n def"},  // line breaks in plain text stay
      {kTesutoWord + "\r\nabc", "テスト\r\nabc"},
      {kTesutoWord + " (" + kTesutoWord + ")", "テスト (テスト)"},
      // Raw Shift_JIS: a wide run loses one blank at its end, the next
      // token gets one back.
      {"\x83\x65\x83\x58\x83\x67 \x83\x65\x83\x58\x83\x67 x", "テスト テスト x"},
      {"\x83\x65\x83\x58\x83\x67 ", "テスト"},
      {"  lead", "  lead"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw);
    EXPECT_EQ(Decoded(c.raw), c.text);
  }
}

TEST(DecodeHeaderText, PrefersRawEscapeCoding) {
  // ESC $ B %F%9%H ESC ( B with an encoded-word look-alike after it.
  const TDecodedHeader decoded = DecodeHeaderText("\x1b$B%F%9%H\x1b(B =?x?B?QUJD?=");
  EXPECT_EQ(WideToUtf8(decoded.Text), "テスト =?x?B?QUJD?=");
  EXPECT_EQ(decoded.CharSet, mcsISO_2022_JP);
  EXPECT_EQ(DecodeEncodedWords("\x1b$B%F%9%H\x1b(B").CharSet, mcsUS_ASCII);
}

TEST(DecodeHeaderText, ReadsWhatPythonWrites) {
  const std::vector<std::string> texts = {
      "iso-2022-jp:テスト 資料",
      "iso-8859-1:café au lait café au lait café au lait café au lait café au lait ",
      "utf-8:日本語のテキストです日本語のテキストです日本語のテキストです日本語のテキストです",
      "iso-2022-jp:会議の件についてのご連絡です。よろしくお願いいたします。",
  };
  const auto encoded = test::PythonReferenceEach("encodeheader", texts);
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(encoded[i]);
    EXPECT_EQ(Decoded(encoded[i]), texts[i].substr(texts[i].find(':') + 1));
  }
}

TEST(DecodeHeaderText, RoundTripsOurOwnEncoding) {
  const std::u16string texts[] = {
      u"Re: 会議の件 について",
      u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ",
      u"会議 meeting 資料",
  };
  for (const auto& text : texts) {
    TMimeCharSet charset = mcsUS_ASCII;
    const std::string encoded = EncodeUnstructured(text, charset, true, true);
    SCOPED_TRACE(encoded);
    EXPECT_EQ(DecodeHeaderText(Unfold(encoded)).Text, text);
  }
}

TEST(ContainsEncodedWord, FindsAWordAnywhere) {
  EXPECT_TRUE(ContainsEncodedWord(kTesutoWord));
  EXPECT_TRUE(ContainsEncodedWord("name" + kTesutoWord + ".txt"));
  EXPECT_TRUE(ContainsEncodedWord("=?us-ascii?q?a?="));
  EXPECT_FALSE(ContainsEncodedWord("report.pdf"));
  EXPECT_FALSE(ContainsEncodedWord(""));
}

TEST(DecodeHeaderText, StaysInsideHostileInput) {
  std::mt19937 gen(21);
  const std::vector<std::string> pieces = {
      "=?",     "?=",     "?B?",  "?q?", "=",  "?",           " ",        "\t",
      "\r\n",   "\r",     "\n",   "=E3", "_",  "ISO-2022-JP", "\x83\x65", "\x83",
      "\x1b$B", "\x1b(B", "GyRC", "*",   "~{", "\x80"};
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<size_t> count(0, 24);
  for (int round = 0; round < 3000; ++round) {
    std::string raw;
    for (size_t n = count(gen); n > 0; --n) raw += pieces[pick(gen)];
    const TDecodedHeader decoded = DecodeHeaderText(raw);
    // Every character comes from at least one input byte.
    ASSERT_LE(decoded.Text.size(), raw.size() + 1) << raw;
    ContainsEncodedWord(raw);
  }
}

TEST(DecodeHeaderText, ReadsAHugeRunOfWordStartsThrough) {
  // Every "=?" looks for the end of its word, and none has one: the
  // blank at the end keeps the last from running to the end.
  std::string raw;
  for (int i = 0; i < 20000; ++i) raw += "=?a?B?x";
  raw += " end";
  EXPECT_EQ(DecodeEncodedWords(raw).Text.size(), raw.size());
  EXPECT_FALSE(ContainsEncodedWord(raw));
}

}  // namespace
}  // namespace orvane
