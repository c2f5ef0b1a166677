#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "mime/ZelMime.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::FixedClock;
using test::JapanNoon;
using test::ScopedTimeZone;

class ComposeTest : public ::testing::Test {
 protected:
  ScopedTimeZone tokyo{"Asia/Tokyo"};
  FixedClock clock{JapanNoon()};
  test::TempFolder folder;
  TZelMime mime{clock, folder.Path()};

  void Simple() {
    mime.SetFrom(u"sender@example.com");
    mime.SetTo(u"to@example.com");
    mime.SetSubject(u"Test");
    mime.SetBodyText(u"Hello\r\n");
  }
  std::string Text() const { return mime.MessageText(); }
};

TEST_F(ComposeTest, WritesTheFieldsInTheirOrderAndASingleTextBody) {
  Simple();
  EXPECT_EQ(mime.Compose(), mcsUS_ASCII);
  const std::regex expected(
      "Date: Sun, 5 Jan 2003 12:34:56 \\+0900\r\n"
      "From: sender@example\\.com\r\n"
      "Subject: Test\r\n"
      "To: to@example\\.com\r\n"
      "Message-Id: <20030105123456[A-Y]{6}sender@example\\.com>\r\n"
      "MIME-Version: 1\\.0\r\n"
      "Content-Type: text/plain; charset=US-ASCII\r\n"
      "Content-Transfer-Encoding:7bit\r\n"
      "\r\n"
      "Hello\r\n");
  EXPECT_TRUE(std::regex_match(Text(), expected)) << Text();
  EXPECT_TRUE(std::regex_match(mime.MessageId(),
                               std::regex("<20030105123456[A-Y]{6}sender@example\\.com>")));
  EXPECT_EQ(mime.RawBody(), "Hello\r\n");
  ASSERT_EQ(mime.Recipients().Count(), 1u);
  EXPECT_EQ(mime.Recipients()[0], "to@example.com");
}

TEST_F(ComposeTest, WritesEveryFieldInItsPlaceWithoutLeadingBlanks) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetFrom(u" me@example.com");
  mime.SetOrganization(" Org");
  mime.SetSubject(u"\t Test");
  mime.SetNewsgroups("fj.test");
  mime.SetSender(u"sender@example.com");
  mime.SetReplyTo(u"  reply@example.com");
  mime.SetTo(u"to@example.com");
  mime.SetCc(u"cc@example.com");
  mime.SetBcc(u"bcc@example.com");
  mime.SetMessageId(" <given@example.com>");
  mime.SetInReplyTo("<p@example.com>");
  mime.SetReferences("<r1@example.com>, <r2@example.com>");
  mime.SetXMailer("Mailer 1.0");
  mime.SetXNewsReader("Reader 2.0");
  mime.HeaderLines = {"X-Extra: value"};
  mime.SetBodyText(u"body");
  mime.Compose();
  EXPECT_EQ(Text(),
            "From: me@example.com\r\n"
            "Organization: Org\r\n"
            "Subject: Test\r\n"
            "Newsgroups: fj.test\r\n"
            "Sender: sender@example.com\r\n"
            "Reply-To: reply@example.com\r\n"
            "To: to@example.com\r\n"
            "Cc: cc@example.com\r\n"
            "Bcc: bcc@example.com\r\n"
            "Message-Id: <given@example.com>\r\n"
            "In-Reply-To: <p@example.com>\r\n"
            "References: <r1@example.com> <r2@example.com>\r\n"
            "MIME-Version: 1.0\r\n"
            "X-Mailer: Mailer 1.0\r\n"
            "X-NewsReader: Reader 2.0\r\n"
            "X-Extra: value\r\n"
            "Content-Type: text/plain; charset=US-ASCII\r\n"
            "Content-Transfer-Encoding:7bit\r\n"
            "\r\n"
            "body");
}

TEST_F(ComposeTest, ValuesOfBlanksAloneAreNotWritten) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  std::vector<std::string> names;
  mime.OnHeaderFieldCreate = [&](TZelMime&, const AnsiString& name, AnsiString&) {
    names.push_back(name);
  };
  mime.SetFrom(u" \t ");
  mime.SetSubject(u"   ");
  mime.SetOrganization("  ");
  mime.SetTo(u"\t");
  mime.SetMessageId("   ");
  mime.SetXMailer(" ");
  mime.SetBodyText(u"body");
  mime.Compose();
  EXPECT_EQ(Text(),
            "MIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=US-ASCII\r\n"
            "Content-Transfer-Encoding:7bit\r\n\r\nbody");
  EXPECT_EQ(names, (std::vector<std::string>{"MIME-Version:", "Content-Disposition:",
                                             "Content-Type:", "Content-Transfer-Encoding:"}));
  EXPECT_TRUE(mime.Recipients().Empty());
}

TEST_F(ComposeTest, LeavesTheDateOutWithoutSetDateField) {
  Simple();
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.Compose();
  EXPECT_TRUE(Text().starts_with("From: sender@example.com\r\n")) << Text();
}

TEST_F(ComposeTest, AJapaneseBodyAskedForAsShiftJisGoesAsIso2022Jp) {
  mime.DefaultEncodeCharSet = mcsSHIFT_JIS;
  mime.SetFrom(u"sender@example.com");
  mime.SetBodyText(u"日本語");
  EXPECT_EQ(mime.Compose(), mcsISO_2022_JP);
  EXPECT_TRUE(Text().ends_with(
      "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding:7bit\r\n\r\n"
      "\x1b$BF|K\\8l\x1b(B"))
      << Text();
}

TEST_F(ComposeTest, ABodyWithoutAJisFormFallsBackToUtf7OrUtf8) {
  // Hangul has no form in code page 932 or JIS X 0208.
  mime.DefaultEncodeCharSet = mcsISO_2022_JP;
  mime.SetBodyText(u"\uD55C");
  EXPECT_EQ(mime.Compose(), mcsUTF_7);
  EXPECT_TRUE(Text().ends_with(
      "Content-Type: text/plain; charset=UTF-7\r\nContent-Transfer-Encoding:7bit\r\n\r\n+1Vw-"))
      << Text();

  mime.Clear();
  mime.SetUnicodeEncoding(ueUTF_8);
  mime.SetBodyText(u"\uD55C");
  EXPECT_EQ(mime.Compose(), mcsUTF_8);
  EXPECT_TRUE(
      Text().ends_with("charset=UTF-8\r\nContent-Transfer-Encoding:8bit\r\n\r\n"
                       "\xED\x95\x9C"))
      << Text();
  mime.SetUnicodeEncoding(ueUTF_7);
}

TEST_F(ComposeTest, OnUseUnicodeDecidesTheFallback) {
  mime.DefaultEncodeCharSet = mcsISO_2022_JP;
  std::vector<std::pair<bool, TUnicodeEncodingType>> seen;
  mime.OnUseUnicode = [&](TZelMime&, bool& toUnicode, TUnicodeEncodingType& type) {
    seen.emplace_back(toUnicode, type);
    type = ueUTF_8;
  };
  mime.SetBodyText(u"\uD55C");
  EXPECT_EQ(mime.Compose(), mcsUTF_8);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].first);
  EXPECT_EQ(seen[0].second, ueUTF_7);

  mime.OnUseUnicode = [](TZelMime&, bool& toUnicode, TUnicodeEncodingType&) { toUnicode = false; };
  mime.Clear();
  mime.SetBodyText(u"\uD55C");
  EXPECT_EQ(mime.Compose(), mcsISO_2022_JP);  // the lossy first conversion stays
  EXPECT_TRUE(Text().ends_with("charset=ISO-2022-JP\r\nContent-Transfer-Encoding:7bit\r\n\r\n?"))
      << Text();
}

TEST_F(ComposeTest, UserEncodeTakesTheHandlersResultAsItComes) {
  mime.UserEncode = true;
  WideString handed;
  mime.OnTextEncoding = [&](TZelMime&, const WideString& text, AnsiString& encoded,
                            AnsiString& charSet, AnsiString& encoding) {
    handed = text;
    encoded = "ENCODED";
    charSet = "";
    encoding = "x-mine";
  };
  mime.SetBodyText(u"本文");
  mime.Compose();
  EXPECT_EQ(handed, u"本文");
  EXPECT_TRUE(Text().ends_with(
      "\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding:x-mine\r\n\r\nENCODED"))
      << Text();
}

TEST_F(ComposeTest, BodyLinesEndInCrLf) {
  mime.SetBodyText(u"a\nb\rc\r\nd");
  mime.Compose();
  EXPECT_EQ(mime.RawBody(), "a\r\nb\r\nc\r\nd");
}

TEST_F(ComposeTest, JapaneseValuesBecomeIso2022JpEncodedWords) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetFrom(u"送信者 <s@example.com>");
  mime.SetSubject(u"Re: テスト");
  mime.HeaderLines = {"X-Test: \x93\xfa\x96{\x8c\xea"};  // 日本語 in Shift_JIS
  mime.SetBodyText(u"x");
  mime.Compose();
  EXPECT_TRUE(
      Text().starts_with("From: =?ISO-2022-JP?B?GyRCQXc/LjxUGyhC?= <s@example.com>\r\n"
                         "Subject: Re: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n"))
      << Text();
  EXPECT_NE(Text().find("\r\nX-Test: =?ISO-2022-JP?B?GyRCRnxLXDhsGyhC?=\r\n"), std::string::npos)
      << Text();
  EXPECT_EQ(mime.Subject(), u"Re: テスト");  // read back from the header
  EXPECT_EQ(mime.From(), u"送信者 <s@example.com>");
}

TEST_F(ComposeTest, CeMessageCarriesTheFirstFieldsCharsetToTheBody) {
  const struct {
    TCharSetEncodeMode mode;
    const char* label;
  } cases[] = {{ceMessage, "charset=ISO-2022-JP"}, {ceField, "charset=US-ASCII"}};
  for (const auto& c : cases) {
    mime.Clear();
    mime.CharSetEncodeMode = c.mode;
    mime.SetFrom(u"me@example.com");
    mime.SetSubject(u"ascii");
    mime.SetBodyText(u"ascii body");
    mime.Compose();
    EXPECT_NE(Text().find(std::string("Content-Type: text/plain; ") + c.label + "\r\n"),
              std::string::npos)
        << Text();
  }
}

TEST_F(ComposeTest, CeMessageLabelsTheBodyWithACharsetItsBytesReadIn) {
  // The subject needs the UTF-7 fallback, which then reaches the body; an
  // ASCII body with "+" is written in UTF-7 too, not as plain ASCII that a
  // UTF-7 reader would misread.
  mime.CharSetEncodeMode = ceMessage;
  mime.DefaultEncodeCharSet = mcsISO_2022_JP;
  mime.SetSubject(u"한");
  mime.SetBodyText(u"a+b");
  EXPECT_EQ(mime.Compose(), mcsUTF_7);
  EXPECT_TRUE(Text().ends_with("charset=UTF-7\r\nContent-Transfer-Encoding:7bit\r\n\r\na+-b"))
      << Text();

  // A body the message's charset cannot hold keeps the charset it needed.
  mime.Clear();
  mime.SetSubject(u"テスト");
  mime.SetBodyText(u"한");
  EXPECT_EQ(mime.Compose(), mcsUTF_7);
  EXPECT_TRUE(Text().ends_with("charset=UTF-7\r\nContent-Transfer-Encoding:7bit\r\n\r\n+1Vw-"))
      << Text();
  EXPECT_EQ(mime.MessageCharSet(), mcsISO_2022_JP);
}

TEST_F(ComposeTest, AJapaneseFileNameIsAnRfc2231Parameter) {
  test::WriteFile(folder / "あいうえお.txt", "x");
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "あいうえお.txt");
  mime.Compose();
  EXPECT_NE(Text().find("\r\nContent-Type: text/plain;\r\n"
                        " name*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n"
                        " name*1*=%24%28%24%2A%1B%28B%2Etxt\r\n"
                        "Content-Disposition: attachment;\r\n"
                        " filename*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n"
                        " filename*1*=%24%28%24%2A%1B%28B%2Etxt\r\n"
                        "Content-Transfer-Encoding: Base64\r\n\r\neA==\r\n"),
            std::string::npos)
      << Text();
}

TEST_F(ComposeTest, EnvelopeRecipientsComeFromToCcAndBccWithoutRepeats) {
  mime.SetTo(u"a@x, B@x");
  mime.SetCc(u"a@x,b@x");
  mime.SetBcc(u"c@x,,d@x");
  mime.WantBcc = false;
  mime.Compose();
  std::vector<AnsiString> got(mime.Recipients().begin(), mime.Recipients().end());
  EXPECT_EQ(got, (std::vector<AnsiString>{"a@x", "B@x", "b@x", "c@x", "d@x"}));
  EXPECT_EQ(Text().find("Bcc:"), std::string::npos);
  EXPECT_EQ(mime.Recipients().IndexOf("b@x"), 2);
  EXPECT_EQ(mime.Recipients().IndexOf("A@x"), -1);

  mime.WantBcc = true;
  mime.Compose();
  EXPECT_NE(Text().find("\r\nBcc: c@x,,d@x\r\n"), std::string::npos) << Text();
  EXPECT_EQ(mime.Recipients().Count(), 5u);  // rebuilt, not grown
}

TEST_F(ComposeTest, AnElementWithoutAddressLosesNoRecipientAfterIt) {
  const struct {
    const char16_t* to;
    const char16_t* cc;
    std::vector<AnsiString> recipients;
  } cases[] = {
      {u"a@x,,b@y", u"", {"a@x", "b@y"}},
      {u",a@x", u"", {"a@x"}},
      {u"a@x, (nobody) ,b@y", u", ,c@z", {"a@x", "b@y", "c@z"}},
      {u"名前 <a@x>,,\"b, c\" <b@y>", u"", {"a@x", "b@y"}},
  };
  for (const auto& c : cases) {
    mime.Clear();
    mime.SetTo(c.to);
    mime.SetCc(c.cc);
    mime.Compose();
    EXPECT_EQ(std::vector<AnsiString>(mime.Recipients().begin(), mime.Recipients().end()),
              c.recipients)
        << WideToUtf8(c.to);
  }
}

TEST_F(ComposeTest, AFromWithoutAddressGetsNoMessageId) {
  mime.SetFrom(u"(nobody)");
  mime.SetBodyText(u"x");
  mime.Compose();
  EXPECT_EQ(Text().find("Message-Id:"), std::string::npos);
  EXPECT_EQ(mime.MessageId(), "");
}

TEST_F(ComposeTest, AGivenMessageIdIsWrittenUnchanged) {
  mime.SetFrom(u"me@x");
  mime.SetMessageId("  <given@x>");
  mime.Compose();
  EXPECT_NE(Text().find("\r\nMessage-Id: <given@x>\r\n"), std::string::npos);
}

TEST_F(ComposeTest, ADosMessageIdCarriesTheSignedDateTime) {
  mime.SetFrom(u"me@x");
  mime.MessageIdType = mtDOS;
  mime.Compose();
  // 2003-01-05 12:34:56 as a DOS date-time is 774202460.
  EXPECT_TRUE(std::regex_match(mime.MessageId(), std::regex("<774202460[A-Y]{6}me@x>")))
      << mime.MessageId();
}

TEST_F(ComposeTest, InReplyToAndReferencesAreBracketedIdLists) {
  const struct {
    const char* value;
    const char* written;  // nullptr: no field
  } cases[] = {
      {"<a@x>", "<a@x>"},
      {"a@x", "<a@x>"},
      {"  <a@x>, <b@y>", "<a@x> <b@y>"},
      {"<a@x>,, <b@y>", "<a@x> <b@y>"},
      {", <b@y>", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    mime.Clear();
    mime.SetInReplyTo(c.value);
    mime.SetReferences(c.value);
    mime.Compose();
    if (c.written) {
      EXPECT_NE(Text().find(std::string("\r\nIn-Reply-To: ") + c.written + "\r\n"),
                std::string::npos)
          << c.value << "\n"
          << Text();
      EXPECT_NE(Text().find(std::string("\r\nReferences: ") + c.written + "\r\n"),
                std::string::npos);
    } else {
      EXPECT_EQ(Text().find("In-Reply-To:"), std::string::npos) << c.value;
      EXPECT_EQ(Text().find("References:"), std::string::npos);
    }
  }
}

TEST_F(ComposeTest, ExtraHeaderLinesNeedANameWithoutSpaces) {
  mime.HeaderLines = {"X-Test: value", "X Bad: ignored",        "NoColon",      ": no name",
                      "X-Empty:",      "X-\x93\xfa: not ascii", "X-Priority: 3"};
  mime.Compose();
  EXPECT_NE(Text().find("\r\nX-Test: value\r\nX-Priority: 3\r\nContent-Type:"), std::string::npos)
      << Text();
  EXPECT_EQ(Text().find("ignored"), std::string::npos);
  EXPECT_EQ(Text().find("NoColon"), std::string::npos);
  EXPECT_EQ(Text().find("no name"), std::string::npos);
  EXPECT_EQ(Text().find("X-Empty"), std::string::npos);
  EXPECT_EQ(Text().find("not ascii"), std::string::npos);
}

TEST_F(ComposeTest, AnExtraLineReplacesAFieldOfTheSameName) {
  mime.SetSubject(u"original");
  mime.HeaderLines = {"Subject: replaced"};
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.Compose();
  EXPECT_TRUE(Text().starts_with("Subject: replaced\r\nMIME-Version: 1.0\r\n")) << Text();
}

TEST_F(ComposeTest, OnHeaderFieldCreateSeesEveryFieldAndMayChangeIt) {
  std::vector<std::string> names;
  mime.OnHeaderFieldCreate = [&](TZelMime&, const AnsiString& name, AnsiString& param) {
    names.push_back(name + (param.empty() ? "" : "="));
    if (name == "Subject:") param = "changed";
    if (name == "X-Mailer:") param.clear();
  };
  mime.SetFrom(u"me@x");
  mime.SetSubject(u"original");
  mime.SetXMailer("Mailer 1.0");
  mime.Compose();
  EXPECT_EQ(names, (std::vector<std::string>{"Date:=", "From:=", "Subject:=", "Message-Id:=",
                                             "MIME-Version:=", "X-Mailer:=", "Content-Disposition:",
                                             "Content-Type:", "Content-Transfer-Encoding:"}));
  EXPECT_NE(Text().find("\r\nSubject: changed\r\n"), std::string::npos);
  EXPECT_EQ(Text().find("X-Mailer"), std::string::npos);
}

TEST_F(ComposeTest, ComposingAgainReplacesFieldsInPlaceAndKeepsTheOthers) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetFrom(u"me@x");
  mime.SetSubject(u"first");
  mime.SetOrganization("Org");
  mime.Compose();
  AnsiString firstId = mime.MessageId();
  mime.SetSubject(u"second");
  mime.SetOrganization("");
  mime.SetBodyText(u"body");
  mime.Compose();
  EXPECT_EQ(Text(), "From: me@x\r\nOrganization: Org\r\nSubject: second\r\nMessage-Id: " + firstId +
                        "\r\nMIME-Version: 1.0\r\n"
                        "Content-Type: text/plain; charset=US-ASCII\r\n"
                        "Content-Transfer-Encoding:7bit\r\n\r\nbody");
}

TEST_F(ComposeTest, SetHeaderFieldBeforeComposeStaysFirst) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetHeaderField(" X-First ", "1");
  mime.SetHeaderField("", "ignored");
  mime.SetSubject(u"s");
  mime.Compose();
  EXPECT_TRUE(Text().starts_with("X-First: 1\r\nSubject: s\r\nMIME-Version: 1.0\r\n")) << Text();
}

TEST_F(ComposeTest, SetHeaderFieldAfterComposeRebuildsTheMessage) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetSubject(u"s");
  mime.SetBodyText(u"body");
  mime.Compose();
  mime.SetHeaderField("References:", "<a@x>\r\n\t<b@x>");
  EXPECT_NE(Text().find("\r\nReferences: <a@x>\r\n\t<b@x>\r\n\r\nbody"), std::string::npos)
      << Text();
  EXPECT_EQ(mime.RawBody(), "body");
  EXPECT_EQ(mime.References(), "<a@x> <b@x>");  // unfolded
  mime.SetHeaderField("Subject", "");
  EXPECT_EQ(Text().find("Subject:"), std::string::npos);
}

TEST_F(ComposeTest, AValueWithLineBreaksStaysOneField) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetHeaderField("X-Note", "a\r\nBcc: evil@x\nbody");
  EXPECT_EQ(Text(), "X-Note: a\r\n Bcc: evil@x\r\n body\r\n\r\n");
  EXPECT_EQ(mime.RawBody(), "");
  mime.SetMessageId("<id@x>\r\nBcc: evil@x");
  mime.SetSubject(u"s\r\nBcc: evil@x");
  mime.Compose();
  EXPECT_NE(Text().find("Message-Id: <id@x>\r\n Bcc: evil@x\r\n"), std::string::npos) << Text();
  EXPECT_NE(Text().find("Subject: s\r\n Bcc: evil@x\r\n"), std::string::npos) << Text();
  EXPECT_EQ(Text().find("\r\nBcc:"), std::string::npos);
}

TEST_F(ComposeTest, GettersReadTheHeaderOnceThereIsOne) {
  mime.SetSubject(u"assigned");
  EXPECT_EQ(mime.Subject(), u"assigned");
  mime.SetMessageText("Subject: from header\r\nTo: a@x\r\n\r\nbody");
  EXPECT_EQ(mime.Subject(), u"from header");
  mime.SetSubject(u"assigned again");
  EXPECT_EQ(mime.Subject(), u"from header");
  EXPECT_EQ(mime.From(), u"");  // missing from a non-empty header
  EXPECT_EQ(mime.To(), u"a@x");
  EXPECT_EQ(mime.BodyText(), u"body");  // RawBody before any Decode
}

TEST_F(ComposeTest, WhatTheGettersReadIsWhatComposeWrites) {
  mime.Option.Exclude(TMimeOption::SetDateField);
  mime.SetMessageText(
      "Message-ID: <old@x>\r\nFrom: =?ISO-2022-JP?B?GyRCQXc/LjxUGyhC?= <s@x>\r\n"
      "Sender: s@x\r\n\r\nbody");
  EXPECT_EQ(mime.Sender(), u"");  // only Decode reads it
  EXPECT_EQ(mime.From(), u"送信者 <s@x>");
  EXPECT_EQ(mime.MessageId(), "<old@x>");
  mime.Compose();
  // Without the read values Compose would generate a new Message-ID and
  // leave From as it was.
  EXPECT_TRUE(
      Text().starts_with("Message-Id: <old@x>\r\n"
                         "From: =?ISO-2022-JP?B?GyRCQXc/LjxUGyhC?= <s@x>\r\n"))
      << Text();
  mime.Decode();
  EXPECT_EQ(mime.Sender(), u"s@x");
}

TEST_F(ComposeTest, SetMessageTextSplitsAtTheFirstEmptyLine) {
  mime.SetMessageText("A: 1\r\nB: 2\r\n\r\nbody\r\n\r\nmore");
  EXPECT_EQ(mime.Header().Text, "\r\nA: 1\r\nB: 2\r\n");
  EXPECT_EQ(mime.RawBody(), "body\r\n\r\nmore");
  mime.SetMessageText("A: 1\r\nB: 2");
  EXPECT_EQ(mime.Header().Text, "A: 1\r\nB: 2");
  EXPECT_EQ(mime.RawBody(), "");
}

TEST_F(ComposeTest, DateReadsTheHeaderOrNowWithNoTimeToNow) {
  mime.SetMessageText("Date: Sun, 5 Jan 2003 12:34:56 +0900\r\n\r\n");
  EXPECT_EQ(mime.Date(), JapanNoon());
  mime.SetMessageText("Date: garbage\r\n\r\n");
  EXPECT_EQ(mime.Date(), JapanNoon());  // the clock's now
  mime.Option.Exclude(TMimeOption::NoTimeToNow);
  EXPECT_EQ(mime.Date(), std::nullopt);
}

TEST_F(ComposeTest, SavesAndLoadsMessageFilesByteForByte) {
  Simple();
  mime.Compose();
  mime.SaveToFile(folder / "m.eml");
  EXPECT_EQ(test::ReadFile(folder / "m.eml"), Text());
  TZelMime other(clock, folder.Path());
  other.LoadFromFile(folder / "m.eml");
  EXPECT_EQ(other.MessageText(), Text());
  EXPECT_EQ(other.Subject(), u"Test");
  EXPECT_THROW(other.LoadFromFile(folder / "missing.eml"), FileError);
  EXPECT_THROW(other.SaveToFile(folder / "no/such/dir/m.eml"), FileError);
}

TEST_F(ComposeTest, ClearEmptiesEverything) {
  Simple();
  mime.HeaderLines = {"X-A: 1"};
  mime.Compose();
  mime.Clear();
  EXPECT_EQ(mime.MessageText(), "");
  EXPECT_EQ(mime.Header().Text, "");
  EXPECT_EQ(mime.RootPart(), nullptr);
  EXPECT_TRUE(mime.Recipients().Empty());
  EXPECT_TRUE(mime.HeaderLines.empty());
  EXPECT_EQ(mime.Subject(), u"");
  EXPECT_EQ(mime.MessageId(), "");
}

TEST(ZelMimeSettings, HaveTheirDefaults) {
  SetUnicodeEncodingSetting(ueUTF_8);
  TZelMime mime(DefaultClock(), {});
  EXPECT_EQ(mime.UnicodeEncoding(), ueUTF_7);  // creating a component resets it
  EXPECT_EQ(mime.AttachNameEncode, aeRfc2231);
  EXPECT_EQ(mime.MessageIdType, mtYMDHNS);
  EXPECT_EQ(mime.MessageType, tsPlain);
  EXPECT_EQ(mime.DefaultEncodeCharSet, mcsUS_ASCII);
  EXPECT_EQ(mime.CharSetEncodeMode, ceField);
  EXPECT_TRUE(mime.WantBcc);
  EXPECT_FALSE(mime.MimeSorted);
  EXPECT_FALSE(mime.UserEncode);
  EXPECT_TRUE(mime.AttachDir.empty());
  EXPECT_FALSE(mime.Option.Has(TMimeOption::AllHeaderDecode));
  for (TMimeOption o :
       {TMimeOption::AttachDecode, TMimeOption::MultiPartDecode, TMimeOption::SetDateField,
        TMimeOption::ZeroByteFile, TMimeOption::CidReplace, TMimeOption::TextPartUUEncodeScan,
        TMimeOption::MakeSubDir, TMimeOption::NoTimeToNow})
    EXPECT_TRUE(mime.Option.Has(o));
  EXPECT_EQ(mime.Partials.PartialSize, 16384);
  EXPECT_EQ(mime.Partials.SubjectFormat(), "[%d/%d]");
  EXPECT_THROW(mime.Partials.SetSubjectFormat("[%d\x81\x40%d]"), Error);
  EXPECT_EQ(mime.Partials.SubjectFormat(), "[%d/%d]");
  mime.Partials.SetSubjectFormat("(%d of %d)");
  EXPECT_EQ(mime.Partials.SubjectFormat(), "(%d of %d)");
}

}  // namespace
}  // namespace orvane
