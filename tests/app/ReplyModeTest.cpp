#include <gtest/gtest.h>

#include <cstdlib>

#include "MainFormFixture.h"
#include "app/AccountFiles.h"
#include "app/ComposeMessage.h"
#include "app/ReplyMode.h"
#include "platform/Error.h"
#include "support/PythonParser.h"
#include "support/SystemPython.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

std::string U8(const WideString& text) {
  return WideToUtf8(text);
}

// The saved messages of tests/app/saved_messages.py, written by Python's
// email package into a folder of their own.
class SavedMessages {
 public:
  SavedMessages() {
    const std::string command = SystemPython() +
                                " '" ORVANE_SOURCE_DIR "/tests/app/saved_messages.py' '" +
                                folder_.Path().native() + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("saved_messages.py failed");
  }
  fs::path operator/(const char* name) const { return folder_ / name; }

 private:
  TempFolder folder_;
};

class ReplyMode : public MainFormTest {
 protected:
  void SetUp() override {
    const IniFileUnit settings = Settings();
    settings.WriteAccountString("home", "Name", WideToSjis(u"花子"));
    settings.WriteAccountString("home", "Address", "hanako@example.jp");
    settings.WriteAccountBlock("home", "Template", "%fname%/%faddress%/%subject%/%messageid%");
  }

  // The draft as it stood before the reply.
  static MessageDraft Preset() {
    MessageDraft draft;
    draft.ToText = u"mailto@example.jp";
    draft.CcText = u"keep@example.jp";
    draft.InReplyToText = u"<preset@example.jp>";
    draft.Subject = u"saved";
    return draft;
  }

  void Reply(const fs::path& file, MessageDraft& draft) {
    TZelMime message(clock, home.Path());
    ReplyFromFile(file, "home", message, draft, {Settings(), clock, prompt, clipboard});
  }

  SavedMessages saved;
};

TEST_F(ReplyMode, AnswersMessagesOtherProgramsWrote) {
  std::string chain;
  for (int i = 1; i <= 16; ++i)
    chain += (i > 1 ? "\t" : "") + std::string("<r") + (i < 10 ? "0" : "") + std::to_string(i) +
             ".thread@example.jp>\r\n";
  chain += "\t<m4.refs@example.jp>\r\n\t<parent.thread@example.jp>\r\n";

  struct Case {
    const char* file;
    std::vector<PromptAnswer> answers;  // to the Cc question
    std::string to, cc, subject, inReplyTo, references, clipboard;
  } cases[] = {
      {"utf8.eml",
       {},
       "山田 太郎 <taro@example.jp>",
       "keep@example.jp",
       "Re: 見積のお願い",
       "<m1.utf8@example.jp>",
       "<m1.utf8@example.jp>\r\n",
       "山田 太郎/taro@example.jp/[ml:0123] Re: Re: 見積のお願い/<m1.utf8@example.jp>"},
      // Reply-To wins over From; an encoded name with a comma stays one name.
      {"jis.eml",
       {PromptAnswer::Yes},
       "営業部 <sales@example.jp>",
       "\"佐藤, 次郎\" <jiro@example.jp>, 鈴木 花子 <suzuki@example.jp>",
       "Re: 打ち合わせの日程",
       "<m2.jis@example.jp>",
       "<m2.jis@example.jp>\r\n",
       "山田 太郎/taro@example.jp/RE: 打ち合わせの日程/<m2.jis@example.jp>"},
      {"jis.eml",
       {PromptAnswer::No},
       "営業部 <sales@example.jp>",
       "keep@example.jp",
       "Re: 打ち合わせの日程",
       "<m2.jis@example.jp>",
       "<m2.jis@example.jp>\r\n",
       "山田 太郎/taro@example.jp/RE: 打ち合わせの日程/<m2.jis@example.jp>"},
      {"comma.eml",
       {PromptAnswer::Yes},
       "\"山田, 太郎\" <taro.yamada@example.jp>",
       "\"Suzuki, Hanako\" <suzuki@example.jp>, \"佐藤, 次郎\" <jiro@example.jp>",
       "Re: Hello",
       "<m3.comma@example.jp>",
       "<m3.comma@example.jp>\r\n",
       "Yamada, Taro/taro@example.jp/Hello/<m3.comma@example.jp>"},
      {"refs20.eml",
       {},
       "taro@example.jp",
       "keep@example.jp",
       "Re: 長いスレッド",
       "<m4.refs@example.jp>",
       chain,
       "/taro@example.jp/Re: 長いスレッド/<m4.refs@example.jp>"},
      // Without a Message-ID the In-Reply-To stays.
      {"noid.eml",
       {},
       "taro@example.jp",
       "keep@example.jp",
       "Re: IDなし",
       "<preset@example.jp>",
       "<parent@example.jp>\r\n",
       "/taro@example.jp/IDなし/"},
      // Not a message: no header values, the template still expanded.
      {"memo.txt",
       {},
       "mailto@example.jp",
       "keep@example.jp",
       "saved",
       "<preset@example.jp>",
       "",
       "///"},
  };
  for (const Case& c : cases) {
    prompt.shown.clear();
    prompt.answers.assign(c.answers.begin(), c.answers.end());
    MessageDraft draft = Preset();
    Reply(saved / c.file, draft);
    EXPECT_EQ(U8(draft.ToText), c.to) << c.file;
    EXPECT_EQ(U8(draft.CcText), c.cc) << c.file;
    EXPECT_EQ(U8(draft.Subject), c.subject) << c.file;
    EXPECT_EQ(U8(draft.InReplyToText), c.inReplyTo) << c.file;
    EXPECT_EQ(U8(draft.ReferencesText), c.references) << c.file;
    EXPECT_EQ(U8(clipboard.text), c.clipboard) << c.file;
    EXPECT_TRUE(draft.BccText.empty() && draft.ReplyToText.empty()) << c.file;
    const std::vector<WideString> questions(c.answers.size(), kKeepCcQuestion);
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Question), questions) << c.file;
  }
}

TEST_F(ReplyMode, AnAccountWithoutTemplateEmptiesTheClipboard) {
  Settings().EraseAccountSection("home", "Template");
  clipboard.text = u"what was there";
  MessageDraft draft = Preset();
  Reply(saved / "utf8.eml", draft);
  EXPECT_EQ(clipboard.writes, 1);
  EXPECT_TRUE(clipboard.text.empty());
}

TEST_F(ReplyMode, AFileThatCannotBeReadChangesNothing) {
  fs::create_directories(home / "folder.eml");
  MessageDraft draft = Preset();
  EXPECT_THROW(Reply(home / "folder.eml", draft), FileError);
  EXPECT_EQ(U8(draft.ToText), "mailto@example.jp");
  EXPECT_EQ(U8(draft.Subject), "saved");
  EXPECT_EQ(clipboard.writes, 0);
}

// From the command line to the composed answer, read back by Python: the
// recipients whose names hold a comma stay one recipient each.
TEST_F(ReplyMode, TheCommandLineAnswerComposesToTheMessagesRecipients) {
  prompt.answers = {PromptAnswer::Yes};
  auto form = MakeForm({(saved / "comma.eml").native(), "subject=mine", "/r"});
  form->AccountName = FindDefaultAccount(Settings());
  form->ProcessCommandLine();
  EXPECT_EQ(U8(form->Draft.Subject), "Re: Hello");
  EXPECT_EQ(U8(clipboard.text), "Yamada, Taro/taro@example.jp/Hello/<m3.comma@example.jp>");

  form->Draft.BodyFileName.clear();
  ComposeMessage(form->Draft, {}, {Settings(), clock, form->AccountName, u""}, form->MIME);
  WriteFile(home / "answer.eml", form->MIME.MessageText());
  const JsonValue parsed = ParseWithPython(home / "answer.eml");
  EXPECT_EQ(U8(parsed["subject"].string), "Re: Hello");
  ASSERT_EQ(parsed["to"].array.size(), 1u);
  // A quoted name is encoded without its quotes (RFC 2047 section 5), so
  // Python reads the name alone.
  EXPECT_EQ(U8(parsed["to"][0]["name"].string), "山田, 太郎");
  EXPECT_EQ(U8(parsed["to"][0]["address"].string), "taro.yamada@example.jp");
  ASSERT_EQ(parsed["cc"].array.size(), 2u);
  EXPECT_EQ(U8(parsed["cc"][0]["name"].string), "Suzuki, Hanako");
  EXPECT_EQ(U8(parsed["cc"][1]["name"].string), "佐藤, 次郎");
  EXPECT_EQ(U8(parsed["cc"][1]["address"].string), "jiro@example.jp");
  EXPECT_NE(form->MIME.MessageText().find("\r\nIn-Reply-To: <m3.comma@example.jp>\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace orvane::test
