#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "mime/TransferEncoding.h"
#include "mime/ZelMime.h"
#include "platform/CodePage.h"
#include "support/PythonParser.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::JsonValue;
using test::ParseWithPython;
namespace fs = std::filesystem;

std::u16string Lf(std::u16string text) {
  for (size_t at; (at = text.find(u"\r\n")) != std::u16string::npos;) text.erase(at, 1);
  return text;
}

struct Address {
  std::u16string name, address;
};

struct Attachment {
  std::u16string fileName;
  std::string bytes;
};

struct Case {
  std::string name;
  std::function<void(TZelMime&, const fs::path& folder)> setUp;
  std::u16string subject;
  std::vector<Address> from, to;
  std::u16string body;
  std::vector<Attachment> attachments;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

class IndependentParser : public ::testing::TestWithParam<Case> {};

TEST_P(IndependentParser, ReadsBackWhatWasComposed) {
  const Case& c = GetParam();
  test::TempFolder folder;
  TZelMime mime(DefaultClock(), folder.Path());
  mime.SetFrom(u"Sender <sender@example.com>");
  mime.SetTo(u"to@example.com");
  c.setUp(mime, folder.Path());
  mime.Compose();
  mime.SaveToFile(folder / "message.eml");
  JsonValue parsed = ParseWithPython(folder / "message.eml");
  SCOPED_TRACE(mime.MessageText());

  EXPECT_EQ(parsed["subject"].string, c.subject);
  auto checkAddresses = [](const JsonValue& got, const std::vector<Address>& expected) {
    ASSERT_EQ(got.array.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(got[i]["name"].string, expected[i].name);
      EXPECT_EQ(got[i]["address"].string, expected[i].address);
    }
  };
  checkAddresses(parsed["from"], c.from.empty()
                                     ? std::vector<Address>{{u"Sender", u"sender@example.com"}}
                                     : c.from);
  checkAddresses(parsed["to"],
                 c.to.empty() ? std::vector<Address>{{u"", u"to@example.com"}} : c.to);
  EXPECT_EQ(Lf(parsed["body"].string), Lf(c.body));
  const JsonValue& attachments = parsed["attachments"];
  ASSERT_EQ(attachments.array.size(), c.attachments.size());
  for (size_t i = 0; i < c.attachments.size(); ++i) {
    const JsonValue& a = attachments[i];
    EXPECT_EQ(a["filename"].string, c.attachments[i].fileName);
    std::u16string data = a["data"].string;
    EXPECT_EQ(Base64Decode(std::string(data.begin(), data.end())), c.attachments[i].bytes);
  }
}

Case Text(std::string name, TMimeCharSet charset, std::u16string text) {
  return {name,
          [=](TZelMime& m, const fs::path&) {
            m.DefaultEncodeCharSet = charset;
            m.SetSubject(text);
            m.SetBodyText(text + u"\r\n");
          },
          text,
          {},
          {},
          text + u"\r\n",
          {}};
}

const std::u16string kJapanese = u"会議の件について";
const std::u16string kThirty = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ";

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      Text("Ascii", mcsUS_ASCII, u"Hello world"),
      {"JapaneseSubjectBodyAndNames",
       [](TZelMime& m, const fs::path&) {
         m.DefaultEncodeCharSet = mcsISO_2022_JP;
         m.SetFrom(u"送信者 <s@example.com>");
         m.SetTo(u"受信者 太郎 <t@example.com>, plain@example.com");
         m.SetSubject(kJapanese);
         m.SetBodyText(u"本文です。\r\n二行目\r\n");
       },
       kJapanese,
       {{u"送信者", u"s@example.com"}},
       {{u"受信者 太郎", u"t@example.com"}, {u"", u"plain@example.com"}},
       u"本文です。\r\n二行目\r\n",
       {}},
      // A quoted display name is encoded without its quotes, so an
      // independent parser reads the name alone.
      {"QuotedJapaneseDisplayName",
       [](TZelMime& m, const fs::path&) { m.SetFrom(u"\"山田 太郎\" <y@example.com>"); },
       u"",
       {{u"山田 太郎", u"y@example.com"}},
       {},
       u"",
       {}},
      Text("ThirtyCharacterSubject", mcsUS_ASCII, kThirty),
      Text("MixedSubject", mcsUS_ASCII, u"Re: 会議 meeting 資料 (draft)"),
  };
  const struct {
    const char* name;
    TMimeCharSet charset;
    std::u16string text;
  } charsets[] = {
      {"US_ASCII", mcsUS_ASCII, kJapanese},
      {"ISO_2022_JP", mcsISO_2022_JP, kJapanese},
      {"SHIFT_JIS", mcsSHIFT_JIS, kJapanese},
      {"EUC_JP", mcsEUC_JP, kJapanese},
      {"UTF_7", mcsUTF_7, kJapanese},
      {"UTF_8", mcsUTF_8, kJapanese + u" \U0001F600"},
      {"GB2312", mcsGB2312, u"中文测试"},
      {"GB2312HZ", mcsGB2312HZ, u"中文测试 ~ tilde"},
      {"GBK", mcsGBK, u"中文測試"},
      {"BIG5", mcsBIG5, u"中文測試"},
      {"KSC5601", mcsKSC5601, u"한국어 시험"},
      {"EUC_KR", mcsEUC_KR, u"한국어 시험"},
      {"ISO_2022_KR", mcsISO_2022_KR, u"한국어 시험"},
      {"ISO_8859_1", mcsISO_8859_1, u"café crème"},
      {"ISO_8859_2", mcsISO_8859_2, u"Zażółć gęślą"},
      {"ISO_8859_3", mcsISO_8859_3, u"Ħal Għargħur"},
      {"ISO_8859_4", mcsISO_8859_4, u"ķēķis"},
      {"ISO_8859_5", mcsISO_8859_5, u"Привет мир"},
      {"ISO_8859_6", mcsISO_8859_6, u"مرحبا"},
      {"ISO_8859_7", mcsISO_8859_7, u"Γειά σου"},
      {"ISO_8859_8", mcsISO_8859_8, u"שלום"},
      {"ISO_8859_9", mcsISO_8859_9, u"Günaydın"},
      {"ISO_8859_10", mcsISO_8859_10, u"Þórður"},
      {"UnKnown", mcsUnKnown, kJapanese},
  };
  for (const auto& c : charsets)
    cases.push_back(Text(std::string("Charset_") + c.name, c.charset, c.text));

  for (auto [name, mode] :
       {std::pair{"ceLine", ceLine}, {"ceField", ceField}, {"ceMessage", ceMessage}}) {
    cases.push_back({std::string("Mode_") + name,
                     [mode](TZelMime& m, const fs::path&) {
                       m.CharSetEncodeMode = mode;
                       m.SetFrom(u"送信者 <s@example.com>");
                       m.SetSubject(u"한국어 と 日本語");
                       m.SetBodyText(u"本文 a+b ~\r\n");
                     },
                     u"한국어 と 日本語",
                     {{u"送信者", u"s@example.com"}},
                     {},
                     u"本文 a+b ~\r\n",
                     {}});
  }
  for (auto [name, encode] : {std::pair{"aeMimeB", aeMimeB}, {"aeRfc2231", aeRfc2231}}) {
    cases.push_back(
        {std::string("JapaneseAttachmentName_") + name,
         [encode](TZelMime& m, const fs::path& folder) {
           m.AttachNameEncode = encode;
           m.SetBodyText(u"添付します。\r\n");
           test::WriteFile(folder / "報告書 2024年度.pdf", AllBytes());
           test::WriteFile(folder / std::string(50, 'n').append(".txt"), "text\r\n");
           m.Attachments().Add(folder / "報告書 2024年度.pdf");
           m.Attachments().Add(folder / std::string(50, 'n').append(".txt"));
         },
         u"",
         {},
         {},
         u"添付します。\r\n",
         {{u"報告書 2024年度.pdf", AllBytes()}, {std::u16string(50, u'n') + u".txt", "text\r\n"}}});
  }
  for (auto [name, type] : {std::pair{"Utf7Fallback", ueUTF_7}, {"Utf8Fallback", ueUTF_8}}) {
    cases.push_back({name,
                     [type](TZelMime& m, const fs::path&) {
                       m.SetUnicodeEncoding(type);
                       m.DefaultEncodeCharSet = mcsISO_2022_JP;
                       m.SetFrom(u"김철수 <k@example.com>");
                       m.SetSubject(u"한국어 テスト");
                       m.SetBodyText(u"한국어 テスト +1\r\n");
                     },
                     u"한국어 テスト",
                     {{u"김철수", u"k@example.com"}},
                     {},
                     u"한국어 テスト +1\r\n",
                     {}});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Messages, IndependentParser, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(IndependentParserEml, AnEnclosedMessageReadsAsAMessage) {
  test::TempFolder folder;
  TZelMime mime(DefaultClock(), folder.Path());
  mime.SetFrom(u"me@example.com");
  mime.SetBodyText(u"転送します。\r\n");
  test::WriteFile(folder / "転送.eml",
                  "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n"
                  "Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\n\x1b$B$\"\x1b(B\r\n");
  mime.Attachments().Add(folder / "転送.eml");
  mime.Compose();
  mime.SaveToFile(folder / "message.eml");
  JsonValue parsed = ParseWithPython(folder / "message.eml");
  EXPECT_EQ(Lf(parsed["body"].string), u"転送します。\n");
  ASSERT_EQ(parsed["attachments"].array.size(), 1u);
  const JsonValue& enclosed = parsed["attachments"][0];
  EXPECT_EQ(enclosed["type"].string, u"message/rfc822");
  EXPECT_TRUE(enclosed["filename"].IsNull());  // written without a file name
  EXPECT_EQ(enclosed["message"]["subject"].string, u"テスト");
  EXPECT_EQ(Lf(enclosed["message"]["body"].string), u"あ\n");
}

}  // namespace
}  // namespace orvane
