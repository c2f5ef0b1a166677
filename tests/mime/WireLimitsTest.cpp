// Limits of the wire that every composed message keeps, checked on the
// message as a whole and read back by Python's email package: lines of at
// most 998 octets, and header fields of 7-bit bytes only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FallbackGuard.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelMime.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "support/PythonParser.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

using test::JsonValue;
using test::ParseWithPython;

std::u16string Repeat(std::u16string_view piece, size_t times) {
  std::u16string text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// The longest line of text, CR LF not counted.
size_t LongestLine(std::string_view text) {
  size_t longest = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    longest = std::max(longest, end - start);
    start = end + 2;
  }
  return longest;
}

std::u16string WithoutCr(std::u16string text) {
  std::erase(text, u'\r');
  return text;
}

std::string FieldValue(const std::string& message, const std::string& name) {
  size_t at = message.find("\r\n" + name);
  if (at == std::string::npos) return {};
  at += 2 + name.size();
  return message.substr(at, message.find("\r\n", at) - at);
}

TEST(WireLimits, LongBodyLinesGetATransferEncodingThatKeepsLinesShort) {
  test::FallbackGuard guard;
  // RFC 5322 section 2.1.1: at most 998 octets before CR LF; a line of
  // 998 octets keeps the plain encoding byte for byte.
  const struct {
    const char* name;
    TMimeCharSet charset;
    std::u16string line;
    const char* charsetName;
    const char* encoding;
  } cases[] = {
      {"ascii 998", mcsUS_ASCII, std::u16string(998, u'a'), "US-ASCII", "7bit"},
      {"ascii 999", mcsUS_ASCII, std::u16string(999, u'a'), "US-ASCII", "quoted-printable"},
      {"ascii 1200", mcsUS_ASCII, Repeat(u"abc def ", 150), "US-ASCII", "quoted-printable"},
      {"ascii asked as utf-8", mcsUTF_8, std::u16string(1200, u'x'), "US-ASCII",
       "quoted-printable"},
      {"kanji 998 octets", mcsISO_2022_JP, Repeat(u"漢", 496), "ISO-2022-JP", "7bit"},
      {"kanji 1200", mcsISO_2022_JP, Repeat(u"日本語", 400), "ISO-2022-JP", "base64"},
      {"kanji asked as shift_jis", mcsSHIFT_JIS, Repeat(u"日本語", 400), "ISO-2022-JP", "base64"},
      {"kanji asked as euc-jp", mcsEUC_JP, Repeat(u"日本語", 400), "ISO-2022-JP", "base64"},
      {"ascii and kanji", mcsISO_2022_JP, Repeat(u"a漢", 200), "ISO-2022-JP", "base64"},
      {"utf-8", mcsUTF_8, Repeat(u"日本語", 400), "UTF-8", "base64"},
      {"utf-7 fallback", mcsISO_2022_JP, Repeat(u"한국어", 300), "UTF-7", "base64"},
      {"gb2312", mcsGB2312, Repeat(u"中文", 300), "GB2312", "base64"},
      {"big5", mcsBIG5, Repeat(u"中文", 300), "BIG5", "base64"},
      {"euc-kr", mcsEUC_KR, Repeat(u"한국어", 200), "euc-kr", "base64"},
      {"iso-8859-1", mcsISO_8859_1, Repeat(u"café ", 300), "ISO-8859-1", "quoted-printable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUnicodeEncodingSetting(ueUTF_7);
    test::TempFolder folder;
    TZelMime mime(DefaultClock(), folder.Path());
    mime.SetFrom(u"s@example.com");
    mime.DefaultEncodeCharSet = c.charset;
    const std::u16string body = u"first\r\n" + c.line + u"\r\nlast\r\n";
    mime.SetBodyText(body);
    mime.Compose();
    const std::string& message = mime.MessageText();
    EXPECT_LE(LongestLine(message), 998u);
    EXPECT_EQ(FieldValue(message, "Content-Transfer-Encoding:"), c.encoding);
    mime.SaveToFile(folder / "message.eml");
    JsonValue parsed = ParseWithPython(folder / "message.eml");
    EXPECT_EQ(WithoutCr(parsed["body"].string), WithoutCr(body));
    EXPECT_TRUE(SameAsciiText(WideToUtf8(parsed["charset"].string), c.charsetName))
        << WideToUtf8(parsed["charset"].string);
  }
}

TEST(WireLimits, HeaderFieldsCarryNoEightBitByte) {
  test::FallbackGuard guard;
  // Latin characters that code page 932 holds were written as its bytes.
  // The kanji are in GB2312, Big5 and KS X 1001 alike.
  const std::u16string subject = u"温度 20°C ±3 × 2 ÷ 4 §1 ¶ ´ ¨ 山田部";
  const std::u16string fromName = u"山田°";
  const std::u16string toName = u"±山田, 部";
  const std::u16string ccName = u"§ Müller";
  const struct {
    TMimeCharSet charset;
    TAttachNameEncode names;
  } cases[] = {
      {mcsUS_ASCII, aeRfc2231},   {mcsISO_2022_JP, aeRfc2231}, {mcsSHIFT_JIS, aeRfc2231},
      {mcsEUC_JP, aeRfc2231},     {mcsUTF_7, aeRfc2231},       {mcsUTF_8, aeRfc2231},
      {mcsGB2312, aeRfc2231},     {mcsBIG5, aeRfc2231},        {mcsEUC_KR, aeRfc2231},
      {mcsISO_8859_1, aeRfc2231}, {mcsUnKnown, aeRfc2231},     {mcsISO_2022_JP, aeMimeB},
      {mcsISO_2022_JP, aeJis},    {mcsISO_2022_JP, aeSjis},
  };
  for (const auto [charset, names] : cases) {
    SCOPED_TRACE(testing::Message() << "charset " << charset << ", names " << names);
    SetUnicodeEncodingSetting(ueUTF_7);
    test::TempFolder folder;
    TZelMime mime(DefaultClock(), folder.Path());
    mime.DefaultEncodeCharSet = charset;
    mime.AttachNameEncode = names;
    mime.SetFrom(fromName + u" <y@example.com>");
    mime.SetTo(u"\"" + toName + u"\" <t@example.com>");
    mime.SetCc(ccName + u" <c@example.com>");
    mime.SetSubject(subject);
    mime.SetXMailer(WideToSjis(u"Orvane ±1"));
    mime.SetBodyText(u"body\r\n");
    test::WriteFile(folder / "資料°.txt", "data\r\n");
    mime.Attachments().Add(folder / "資料°.txt");
    mime.Compose();
    // The body is ASCII and the attachment base64: every byte of the
    // message is 7-bit except a name the user asked to be raw Shift_JIS.
    std::string message = mime.MessageText();
    if (names == aeSjis) {
      const std::string raw = WideToSjis(u"資料°.txt");
      for (size_t at; (at = message.find(raw)) != std::string::npos;) message.erase(at, raw.size());
    }
    for (unsigned char b : message) ASSERT_LT(b, 0x80) << message;

    mime.SaveToFile(folder / "message.eml");
    JsonValue parsed = ParseWithPython(folder / "message.eml");
    EXPECT_EQ(parsed["subject"].string, subject);
    EXPECT_EQ(parsed["from"][0]["name"].string, fromName);
    EXPECT_EQ(parsed["to"][0]["name"].string, toName);
    EXPECT_EQ(parsed["cc"][0]["name"].string, ccName);
    ASSERT_EQ(parsed["attachments"].array.size(), 1u);
    if (names == aeMimeB || names == aeRfc2231) {
      EXPECT_EQ(parsed["attachments"][0]["filename"].string, u"資料°.txt");
    }
  }
}

// RFC 5322 section 2.1.1: a word too long for a line of 998 octets goes
// out as encoded words, which a reader joins again; a shorter one stays
// plain.
TEST(WireLimits, AHeaderWordLongerThanALineBecomesEncodedWords) {
  test::FallbackGuard guard;
  const struct {
    const char* name;
    std::u16string subject;
    bool plain;  // the subject is written as typed
  } cases[] = {
      {"900 letters", Repeat(u"a", 900), true},
      {"1200 letters", Repeat(u"abcdefghij", 120), false},
      {"after Japanese", u"見積 " + Repeat(u"x", 1500), false},
      {"between words", u"see " + Repeat(u"/path", 300) + u" now", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUnicodeEncodingSetting(ueUTF_7);
    test::TempFolder folder;
    TZelMime mime(DefaultClock(), folder.Path());
    mime.SetFrom(u"Taro <y@example.com>");
    mime.SetTo(u"\"" + c.subject + u"\" <t@example.com>");
    mime.SetSubject(c.subject);
    mime.SetBodyText(u"body\r\n");
    mime.Compose();
    const std::string message = mime.MessageText();
    EXPECT_LE(LongestLine(message), 998u);
    EXPECT_EQ(FieldValue(message, "Subject: ") == WideToSjis(c.subject), c.plain);
    mime.SaveToFile(folder / "message.eml");
    const JsonValue parsed = ParseWithPython(folder / "message.eml");
    EXPECT_EQ(WideToUtf8(parsed["subject"].string), WideToUtf8(c.subject));
    ASSERT_EQ(parsed["to"].array.size(), 1u);
    // Python shows a blank between adjacent encoded words of a name.
    auto unblanked = [](std::u16string text) {
      std::erase(text, u' ');
      return WideToUtf8(text);
    };
    EXPECT_EQ(unblanked(parsed["to"][0]["name"].string), unblanked(c.subject));
  }
}

}  // namespace
}  // namespace orvane
