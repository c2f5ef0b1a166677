#include <gtest/gtest.h>

#include <functional>

#include "app/ComposeMessage.h"
#include "app/ReferenceUnit.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/Fakes.h"
#include "support/PythonParser.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

// A program folder with the account "work" and a draft to compose from it
// into a component set up as the main window's.
class ComposeTest : public ::testing::Test {
 protected:
  ComposeTest() : clock(JapanNoon()), mime(clock, home.Path()) {
    SetUpMessageComponent(mime);
    settings.Write(kAccount, keys::kName, "Taro");
    settings.Write(kAccount, keys::kAddress, "taro@example.jp");
    draft.ToText = u"hanako@example.jp";
  }

  // The expanded signature, as ComposeMessage returns it.
  WideString Compose() {
    return ComposeMessage(draft, settings.AttachFilePaths(),
                          {settings, clock, kAccount, u"Version 3.2.6"}, mime);
  }

  // Composes and hands the message to Python's email package.
  JsonValue ComposeAndParse() {
    Compose();
    mime.SaveToFile(home / "message.eml");
    return ParseWithPython(home / "message.eml");
  }

  // The decoded values of every field of that name, in order.
  static std::vector<std::u16string> Fields(const JsonValue& parsed, std::u16string_view name) {
    std::vector<std::u16string> values;
    for (const JsonValue& field : parsed["headers"].array)
      if (field[0].string == name) values.push_back(field[1].string);
    return values;
  }

  static inline const AnsiString kAccount = "work";
  ScopedTimeZone zone{"JST-9"};
  TempFolder home;
  IniFileUnit settings{home.Path()};
  FixedClock clock;
  TZelMime mime{DefaultClock(), home.Path()};
  MessageDraft draft;
};

namespace fs = std::filesystem;

std::string U8(std::u16string_view text) {
  return WideToUtf8(text);
}

std::u16string Lf(std::u16string text) {
  std::erase(text, u'\r');
  return text;
}

struct Mailbox {
  std::u16string name, address;
  bool operator==(const Mailbox&) const = default;
};

std::vector<Mailbox> Mailboxes(const JsonValue& list) {
  std::vector<Mailbox> boxes;
  for (const JsonValue& each : list.array)
    boxes.push_back({each["name"].string, each["address"].string});
  return boxes;
}

void PrintTo(const Mailbox& box, std::ostream* os) {
  *os << U8(box.name) << " <" << U8(box.address) << ">";
}

std::vector<AnsiString> RecipientsOf(const TZelMime& mime) {
  return {mime.Recipients().begin(), mime.Recipients().end()};
}

TEST_F(ComposeTest, DraftFieldsBecomeHeaderFields) {
  struct Case {
    const char* name;
    std::function<void(MessageDraft&)> setUp;
    std::vector<std::pair<std::u16string, std::u16string>> fields;  // name, decoded value
    std::vector<std::u16string> absent;
  } cases[] = {
      {"plain",
       [](MessageDraft&) {},
       {{u"From", u"Taro <taro@example.jp>"},
        {u"To", u"hanako@example.jp"},
        {u"MIME-Version", u"1.0"},
        {u"X-Mailer", u"Orvane Version 3.2.6"},
        {u"Date", u"Sun, 05 Jan 2003 12:34:56 +0900"}},
       {u"Subject", u"Cc", u"Bcc", u"Reply-To", u"In-Reply-To", u"References", u"Priority",
        u"X-Priority", u"X-MSMail-Priority", u"Disposition-Notification-To"}},
      {"every list and the reply fields",
       [](MessageDraft& d) {
         d.Subject = u"見積のお願い";
         d.CcText = u"\"鈴木, 一郎\" <suzuki@example.jp>, sato@example.jp";
         d.BccText = u"boss@example.jp";
         d.ReplyToText = u"reply@example.jp";
         d.InReplyToText = u"<parent@example.jp>";
       },
       {{u"Subject", u"見積のお願い"},
        {u"Bcc", u"boss@example.jp"},
        {u"Reply-To", u"reply@example.jp"},
        {u"In-Reply-To", u"<parent@example.jp>"}},
       {u"References"}},
      {"references of a reply",
       [](MessageDraft& d) {
         d.ReferencesText =
             BuildReferences(u"<a@example.jp> <b@example.jp>", u"<c@example.jp>", u"");
       },
       {{u"References", u"<a@example.jp>\t<b@example.jp>\t<c@example.jp>"}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    draft = MessageDraft{};
    draft.ToText = u"hanako@example.jp";
    c.setUp(draft);
    const JsonValue parsed = ComposeAndParse();
    SCOPED_TRACE(mime.MessageText());
    EXPECT_TRUE(parsed["header_defects"].array.empty());
    for (const auto& [name, value] : c.fields)
      EXPECT_EQ(Fields(parsed, name), std::vector<std::u16string>{value}) << U8(name);
    for (const std::u16string& name : c.absent)
      EXPECT_TRUE(Fields(parsed, name).empty()) << U8(name);
  }
}

TEST_F(ComposeTest, ReferencesAreFoldedOneIdentifierPerLine) {
  draft.ReferencesText = BuildReferences(u"<a@example.jp> <b@example.jp>", u"<c@example.jp>", u"");
  Compose();
  EXPECT_NE(mime.MessageText().find(
                "References: <a@example.jp>\r\n\t<b@example.jp>\r\n\t<c@example.jp>\r\n"),
            AnsiString::npos)
      << mime.MessageText();
}

TEST_F(ComposeTest, RecipientListsKeepDisplayNames) {
  draft.ToText = u"\"Yamada, Taro\" <yamada@example.jp>, 김철수 <kim@example.kr>";
  draft.CcText = u"Suzuki (営業) <suzuki@example.jp>";
  const JsonValue parsed = ComposeAndParse();
  SCOPED_TRACE(mime.MessageText());
  EXPECT_EQ(Mailboxes(parsed["to"]), (std::vector<Mailbox>{{u"Yamada, Taro", u"yamada@example.jp"},
                                                           {u"김철수", u"kim@example.kr"}}));
  EXPECT_EQ(Mailboxes(parsed["cc"]), (std::vector<Mailbox>{{u"Suzuki", u"suzuki@example.jp"}}));
}

TEST_F(ComposeTest, SendToSelfAddsTheSenderAsBcc) {
  struct Case {
    std::u16string bcc;
    bool postSelf;
    std::vector<Mailbox> bccField;
    std::vector<AnsiString> recipients;
  } cases[] = {
      {u"", true, {{u"", u"taro@example.jp"}}, {"hanako@example.jp", "taro@example.jp"}},
      {u"jiro@example.jp",
       true,
       {{u"", u"jiro@example.jp"}, {u"", u"taro@example.jp"}},
       {"hanako@example.jp", "jiro@example.jp", "taro@example.jp"}},
      {u"jiro@example.jp",
       false,
       {{u"", u"jiro@example.jp"}},
       {"hanako@example.jp", "jiro@example.jp"}},
      {u"", false, {}, {"hanako@example.jp"}},
      {u"hanako@example.jp", false, {{u"", u"hanako@example.jp"}}, {"hanako@example.jp"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.bcc) + (c.postSelf ? " + self" : ""));
    draft.BccText = c.bcc;
    draft.PostSelf = c.postSelf;
    const JsonValue parsed = ComposeAndParse();
    EXPECT_EQ(Mailboxes(parsed["bcc"]), c.bccField);
    EXPECT_EQ(RecipientsOf(mime), c.recipients);
  }
}

TEST_F(ComposeTest, PriorityLines) {
  struct Case {
    PriorityItem item;
    std::vector<std::u16string> priority, xPriority, msMail;
  } cases[] = {
      {PriorityItem::Highest, {u"urgent"}, {u"1"}, {u"High"}},
      {PriorityItem::High, {u"urgent"}, {u"2"}, {u"High"}},
      {PriorityItem::Normal, {}, {}, {}},
      {PriorityItem::Low, {u"non-urgent"}, {u"4"}, {u"Low"}},
      {PriorityItem::Lowest, {u"non-urgent"}, {u"5"}, {u"Low"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.item));
    draft.Priority = c.item;
    const JsonValue parsed = ComposeAndParse();
    EXPECT_EQ(Fields(parsed, u"Priority"), c.priority);
    EXPECT_EQ(Fields(parsed, u"X-Priority"), c.xPriority);
    EXPECT_EQ(Fields(parsed, u"X-MSMail-Priority"), c.msMail);
  }
}

// The read-receipt address is one mailbox, whatever the account's name
// holds; the From line and it quote the name alike.
TEST_F(ComposeTest, ReadReceiptRequestNamesTheSender) {
  struct Case {
    const char16_t* accountName;
    const char16_t* field;
  } cases[] = {
      {u"Taro", u"Taro <taro@example.jp>"},
      {u"Yamada, Taro", u"\"Yamada, Taro\" <taro@example.jp>"},
      {u"T. Yamada", u"\"T. Yamada\" <taro@example.jp>"},
      {u"山田 太郎", u"山田 太郎 <taro@example.jp>"},
      // Encoded words carry the name; quotes would be read as part of it.
      {u"山田, 太郎", u"山田, 太郎 <taro@example.jp>"},
      {u"Taro, 山田", u"Taro, 山田 <taro@example.jp>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.accountName));
    settings.Write(kAccount, keys::kName, WideToSjis(c.accountName));
    draft.Disposition = true;
    const JsonValue parsed = ComposeAndParse();
    // Folding may leave two blanks before "<", one to a reader of addresses
    // (RFC 5322 section 3.2.2).
    std::vector<std::u16string> fields = Fields(parsed, u"Disposition-Notification-To");
    for (std::u16string& field : fields)
      if (auto at = field.find(u"  <"); at != std::u16string::npos) field.erase(at, 1);
    EXPECT_EQ(fields, std::vector<std::u16string>{c.field});
    EXPECT_EQ(Mailboxes(parsed["read_receipt_to"]),
              (std::vector<Mailbox>{{c.accountName, u"taro@example.jp"}}));
    EXPECT_EQ(Mailboxes(parsed["from"]),
              (std::vector<Mailbox>{{c.accountName, u"taro@example.jp"}}));
  }
  draft.Disposition = false;
  EXPECT_TRUE(Fields(ComposeAndParse(), u"Disposition-Notification-To").empty());
}

// Extended header lines come first, then the read-receipt request, then
// the priority lines; a line that names no plain field is left out.
TEST_F(ComposeTest, ExtendedHeaderLines) {
  settings.WriteAccountBlock(
      kAccount, keys::kXHeaderSection,
      WideToSjis(u"X-Test=日本語の値\r\nX-Org=Orvane\r\nBad Name=x\r\nNoEquals\r\n"));
  draft.Disposition = true;
  draft.Priority = PriorityItem::Lowest;
  const JsonValue parsed = ComposeAndParse();
  EXPECT_EQ(Fields(parsed, u"X-Test"), std::vector<std::u16string>{u"日本語の値"});
  std::vector<std::u16string> names;
  for (const JsonValue& field : parsed["headers"].array)
    if (field[0].string.starts_with(u"X-") ||
        field[0].string.find(u"Priority") != std::u16string::npos ||
        field[0].string.starts_with(u"Disposition"))
      names.push_back(field[0].string);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"X-Mailer", u"X-Test", u"X-Org",
                                                u"Disposition-Notification-To", u"Priority",
                                                u"X-Priority", u"X-MSMail-Priority"}));
  EXPECT_EQ(mime.MessageText().find("Bad Name"), AnsiString::npos);
  EXPECT_EQ(mime.MessageText().find("NoEquals"), AnsiString::npos);
}

TEST_F(ComposeTest, AttachmentsAreThePlainFilesOfTheAttachmentFolder) {
  const fs::path folder = settings.AttachFolder();
  std::string binary;
  for (int i = 0; i < 1000; ++i) binary += static_cast<char>(i * 7);
  WriteFile(folder / "見積書.xlsx", binary);
  WriteFile(folder / "résumé.txt", "Shift_JIS cannot hold this name");
  WriteFile(folder / ".hidden", "hidden");
  WriteFile(folder / "sub" / "inner.txt", "in a subfolder");
  draft.Subject = u"添付";
  const JsonValue parsed = ComposeAndParse();
  SCOPED_TRACE(mime.MessageText().substr(0, 2000));
  const JsonValue& attachments = parsed["attachments"];
  ASSERT_EQ(attachments.array.size(), 2u);
  EXPECT_EQ(attachments[0]["filename"].string, u"résumé.txt");
  EXPECT_EQ(attachments[0]["data"].string, u"U2hpZnRfSklTIGNhbm5vdCBob2xkIHRoaXMgbmFtZQ==");
  EXPECT_EQ(attachments[1]["filename"].string, u"見積書.xlsx");
  EXPECT_EQ(attachments[1]["data"].string.size(), 1336u);
  EXPECT_EQ(Lf(parsed["body"].string), u"");
}

TEST_F(ComposeTest, EncodeSettingChoosesTheCharset) {
  struct Case {
    const char* setting;  // nullptr: no setting
    const char16_t* subject;
    const char* charset;  // of the body, as Python reads it
    const char* subjectWord;
  } cases[] = {
      {nullptr, u"Hello", "us-ascii", "Subject: Hello"},
      {"0", u"Hello", "us-ascii", "Subject: Hello"},
      {"0", u"見積", "iso-2022-jp", "Subject: =?ISO-2022-JP?B?"},
      {"1", u"見積", "iso-2022-jp", "Subject: =?ISO-2022-JP?B?"},
      {"2", u"見積", "iso-2022-jp", "Subject: =?ISO-2022-JP?B?"},
      {"3", u"見積", "iso-2022-jp", "Subject: =?ISO-2022-JP?B?"},
      {"4", u"見積", "utf-7", "Subject: =?UTF-7?B?"},
      {"5", u"見積", "utf-8", "Subject: =?UTF-8?B?"},
      // Another value leaves the component's setting.
      {"9", u"見積", "iso-2022-jp", "Subject: =?ISO-2022-JP?B?"},
      {"x", u"Hello", "us-ascii", "Subject: Hello"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting ? c.setting : "none");
    TempFolder fresh;
    IniFileUnit freshSettings(fresh.Path());
    freshSettings.Write(kAccount, keys::kName, "Taro");
    freshSettings.Write(kAccount, keys::kAddress, "taro@example.jp");
    if (c.setting) freshSettings.WriteGeneralString("Encode", "Encode", c.setting);
    WriteFile(fresh / "body.txt", WideToUtf8(c.subject));
    draft.BodyFileName = fresh / "body.txt";
    draft.Subject = c.subject;
    TZelMime fresher(clock, fresh.Path());
    SetUpMessageComponent(fresher);
    ComposeMessage(draft, freshSettings.AttachFilePaths(),
                   {freshSettings, clock, kAccount, u"Version 3.2.6"}, fresher);
    fresher.SaveToFile(fresh / "message.eml");
    const JsonValue parsed = ParseWithPython(fresh / "message.eml");
    EXPECT_EQ(U8(parsed["charset"].string), c.charset);
    EXPECT_EQ(parsed["subject"].string, c.subject);
    EXPECT_EQ(Lf(parsed["body"].string), c.subject + std::u16string(u"\n"));
    EXPECT_NE(fresher.MessageText().find(c.subjectWord), AnsiString::npos) << fresher.MessageText();
  }
}

TEST_F(ComposeTest, AttachSettingChoosesHowNamesAreWritten) {
  struct Case {
    const char* setting;
    std::string nameParameter;
  } cases[] = {
      {nullptr, "name=\"=?ISO-2022-JP?B?"},     {"0", "name=\"=?ISO-2022-JP?B?"},
      {"1", "name*0*=iso-2022-jp''"},           {"2", "name=\"\x1b$B"},
      {"3", "name=\"" + WideToSjis(u"見積書")}, {"7", "name*0*=iso-2022-jp''"},
  };
  WriteFile(settings.AttachFolder() / "見積書.txt", "data");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting ? c.setting : "none");
    if (c.setting) settings.WriteGeneralString("Encode", "Attach", c.setting);
    TZelMime fresh(clock, home.Path());
    SetUpMessageComponent(fresh);
    ComposeMessage(draft, settings.AttachFilePaths(), {settings, clock, kAccount, u"Version 3.2.6"},
                   fresh);
    EXPECT_NE(fresh.MessageText().find(c.nameParameter), AnsiString::npos) << fresh.MessageText();
  }
}

TEST_F(ComposeTest, BodyFileIsReadAsTheUserWroteIt) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string body;  // with LF line ends, as Python reads it
  } cases[] = {
      {"UTF-8, LF", "見積\n二行目\n", u"見積\n二行目\n"},
      {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF見積\r\n二行目", u"見積\n二行目\n"},
      {"UTF-8, CR", "a\rb\r\rc", u"a\nb\n\nc\n"},
      {"UTF-16LE", std::string("\xFF\xFE\x8B\x89\x4D\x7A\x0D\x00\x0A\x00x\x00", 12), u"見積\nx\n"},
      {"UTF-16BE", std::string("\xFE\xFF\x89\x8B\x7A\x4D\x00\x0A", 8), u"見積\n"},
      // Second bytes that are ASCII backslashes.
      {"Shift_JIS", WideToSjis(u"ソフト表示\r\n見積"), u"ソフト表示\n見積\n"},
      {"outside Shift_JIS", "café ☕ 𠮷\n", u"café ☕ 𠮷\n"},
      {"empty", "", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(home / "body.txt", c.bytes);
    draft.BodyFileName = home / "body.txt";
    const JsonValue parsed = ComposeAndParse();
    EXPECT_EQ(U8(Lf(parsed["body"].string)), U8(c.body));
  }
}

TEST_F(ComposeTest, SignatureFollowsTheBody) {
  settings.WriteAccountBlock(kAccount, keys::kSignatureSection, WideToSjis(u"--\r\n山田 太郎\r\n"));
  struct Case {
    const char* name;
    const char* bodyFile;  // nullptr: no file
    std::u16string body;
  } cases[] = {
      {"body and signature", "本文\n", u"本文\n--\n山田 太郎\n"},
      {"no line break at the end", "本文", u"本文\n--\n山田 太郎\n"},
      {"missing body file", nullptr, u"--\n山田 太郎\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(home / "body.txt");
    if (c.bodyFile) WriteFile(home / "body.txt", c.bodyFile);
    draft.BodyFileName = home / "body.txt";
    const JsonValue parsed = ComposeAndParse();
    EXPECT_EQ(U8(Lf(parsed["body"].string)), U8(c.body));
  }
}

// The signature's macros are expanded with the account's sender and the
// clock's date in the signature's own formats.
TEST_F(ComposeTest, SignatureMacrosAreExpanded) {
  settings.Write(kAccount, keys::kName, WideToSjis(u"山田 太郎"));
  settings.WriteAccountBlock(kAccount, keys::kSignatureSection,
                             WideToSjis(u"%NAME% <%address%>\r\n%datetime1%\r\n%subject%"),
                             {{keys::kDateTimeKeys[0], WideToSjis(u"ggge年m月d日")}});
  struct Case {
    TimePoint now;
    std::u16string body;
  } cases[] = {
      {JapanNoon(), u"山田 太郎 <taro@example.jp>\n平成15年1月5日\n元メールの件名\n"},
      {FromUtcDateTime(2024, 6, 1, 3, 0, 0),
       u"山田 太郎 <taro@example.jp>\n令和6年6月1日\n元メールの件名\n"},
  };
  for (const auto& c : cases) {
    clock.Set(c.now);
    EXPECT_EQ(U8(Lf(ComposeAndParse()["body"].string)), U8(c.body));
  }
  EXPECT_EQ(U8(Compose()), "山田 太郎 <taro@example.jp>\r\n令和6年6月1日\r\n元メールの件名");
}

// The draft's texts reach the message as typed, also characters that
// Shift_JIS lacks.
TEST_F(ComposeTest, UnicodeTextsAreNotLostToShiftJis) {
  draft.Subject = u"𠮷野家 — Café";
  draft.ToText = u"김철수 <kim@example.kr>";
  const JsonValue parsed = ComposeAndParse();
  EXPECT_EQ(parsed["subject"].string, u"𠮷野家 — Café");
  EXPECT_EQ(Mailboxes(parsed["to"]), (std::vector<Mailbox>{{u"김철수", u"kim@example.kr"}}));
}

// A line break pasted into a one-line field reads as a blank; it never
// starts a field of its own nor hides in an encoded word.
TEST_F(ComposeTest, LineBreaksInOneLineFieldsBecomeBlanks) {
  struct Case {
    const char* name;
    std::function<void(MessageDraft&)> setUp;
    const char16_t* field;
    std::u16string decoded;
  } cases[] = {
      {"subject", [](MessageDraft& d) { d.Subject = u"一行目\r\nBcc: x@example.jp"; }, u"Subject",
       u"一行目  Bcc: x@example.jp"},
      {"name in To", [](MessageDraft& d) { d.ToText = u"\"山田\r\n太郎\" <hanako@example.jp>"; },
       u"To", u"山田 太郎 <hanako@example.jp>"},
      {"name in Cc", [](MessageDraft& d) { d.CcText = u"\"鈴木\n一郎\" <s@example.jp>"; }, u"Cc",
       u"鈴木 一郎 <s@example.jp>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    draft = MessageDraft{};
    draft.ToText = u"hanako@example.jp";
    c.setUp(draft);
    const JsonValue parsed = ComposeAndParse();
    SCOPED_TRACE(mime.MessageText());
    EXPECT_TRUE(parsed["header_defects"].array.empty());
    EXPECT_EQ(U8(Fields(parsed, c.field).at(0)), U8(c.decoded));
    EXPECT_TRUE(Fields(parsed, u"Bcc").empty());
  }
}

TEST_F(ComposeTest, NothingOfAnEarlierMessageSurvives) {
  mime.SetMessageText("X-Old: kept?\r\nSubject: old\r\n\r\nold body\r\n");
  draft.CcText = u"cc@example.jp";
  draft.Disposition = true;
  Compose();
  draft.CcText.clear();
  draft.Disposition = false;
  const JsonValue parsed = ComposeAndParse();
  EXPECT_TRUE(Fields(parsed, u"X-Old").empty());
  EXPECT_TRUE(Fields(parsed, u"Cc").empty());
  EXPECT_TRUE(Fields(parsed, u"Disposition-Notification-To").empty());
  EXPECT_EQ(RecipientsOf(mime), std::vector<AnsiString>{"hanako@example.jp"});
}

TEST_F(ComposeTest, ABrokenSignatureBlockStopsTheComposition) {
  settings.WriteAccountValue(kAccount, keys::kSignatureSection, "LineCount", "many");
  EXPECT_THROW(Compose(), ConvertError);
}

}  // namespace
}  // namespace orvane::test
