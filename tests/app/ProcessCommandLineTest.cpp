#include <gtest/gtest.h>
#include <unistd.h>

#include "MainFormFixture.h"
#include "app/MailtoUri.h"
#include "app/MainForm.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

class ProcessCommandLine : public MainFormTest {
 protected:
  std::unique_ptr<TOrvaneMainForm> Run(const std::vector<std::string>& args) {
    auto form = MakeForm(args);
    form->AccountName = form->FindDefaultAccount();
    form->ProcessCommandLine();
    return form;
  }

  std::string Subject(const TOrvaneMainForm& form) const { return WideToUtf8(form.Draft.Subject); }

  TempFolder mail;
};

TEST_F(ProcessCommandLine, AnExistingBodyFileGivesTheSubject) {
  WriteFile(mail / "note.txt", "body");
  auto form = Run({(mail / "note.txt").native()});
  EXPECT_EQ(form->Draft.BodyFileName, mail / "note.txt");
  EXPECT_EQ(Subject(*form), "note");
  EXPECT_TRUE(form->Draft.ToText.empty());
  EXPECT_TRUE(shell.openedFiles.empty());
}

TEST_F(ProcessCommandLine, TheFirstPlainArgumentIsTheBodyFileEvenAsKeyValue) {
  WriteFile(mail / "note.txt", "body");
  auto form = Run({"/x", "subject=Hello", (mail / "note.txt").native()});
  EXPECT_EQ(form->Draft.BodyFileName, fs::path("subject=Hello"));
  EXPECT_EQ(Subject(*form), "Hello");
}

TEST_F(ProcessCommandLine, FileKeyNamesTheBodyFile) {
  WriteFile(mail / "日本語 メモ.txt", "body");
  auto form = Run({"-x", "file=\"" + (mail / "日本語 メモ.txt").native() + "\""});
  EXPECT_EQ(form->Draft.BodyFileName, mail / "日本語 メモ.txt");
  EXPECT_EQ(Subject(*form), "日本語 メモ");
}

TEST_F(ProcessCommandLine, RecipientAndHeaderKeys) {
  struct Case {
    std::vector<std::string> args;
    std::string to, replyTo, inReplyTo;
  } cases[] = {
      {{"mailto:taro@example.jp"}, "taro@example.jp", "", ""},
      {{"mailto=taro@example.jp"}, "taro@example.jp", "", ""},
      {{"mailto:taro@example.jp?subject=x"}, "taro@example.jp", "", ""},
      {{"MAILTO=花子 <hanako@example.jp>", "replyto=r@example.jp", "InReplyTo=<id@example.jp>"},
       "花子 <hanako@example.jp>",
       "r@example.jp",
       "<id@example.jp>"},
  };
  for (const auto& c : cases) {
    auto form = Run(c.args);
    EXPECT_EQ(WideToUtf8(form->Draft.ToText), c.to) << c.args[0];
    EXPECT_EQ(WideToUtf8(form->Draft.ReplyToText), c.replyTo) << c.args[0];
    EXPECT_EQ(WideToUtf8(form->Draft.InReplyToText), c.inReplyTo) << c.args[0];
  }
}

TEST_F(ProcessCommandLine, SubjectKeyOverridesTheBodyFileName) {
  WriteFile(mail / "note.txt", "body");
  EXPECT_EQ(Subject(*Run({(mail / "note.txt").native(), "Subject=Hi"})), "Hi");
  EXPECT_EQ(Subject(*Run({(mail / "note.txt").native(), "subject="})), "");
}

TEST_F(ProcessCommandLine, AccountKeyNeedsTheAccountFile) {
  WriteFile(home / "home.ini", "[Account]\r\nName=Taro\r\n");
  EXPECT_EQ(Run({"account=work"})->AccountName, "home");
  WriteFile(home / "work.ini", "[Account]\r\nName=Work\r\n");
  auto form = Run({"account=work"});
  EXPECT_EQ(form->AccountName, "work");
  EXPECT_EQ(WideToUtf8(form->Caption()), "Orvane - Work <> [work]");
}

TEST_F(ProcessCommandLine, NumberedBodyFileTakesTheFirstFreeNumber) {
  WriteFile(mail / "memo0.txt", "");
  WriteFile(mail / "memo1.txt", "");
  auto form = Run({(mail / "memo.txt").native(), "/O"});
  EXPECT_EQ(form->Draft.BodyFileName, mail / "memo2.txt");
  EXPECT_TRUE(fs::exists(mail / "memo2.txt"));
  EXPECT_EQ(fs::file_size(mail / "memo2.txt"), 0u);
  EXPECT_EQ(Subject(*form), "memo2");
  EXPECT_EQ(shell.openedFiles, std::vector<fs::path>{mail / "memo2.txt"});
}

TEST_F(ProcessCommandLine, NumberedBodyFileWithoutANameIsZeroInTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(mail.Path());
  auto form = Run({"/o"});
  fs::current_path(before);
  EXPECT_EQ(form->Draft.BodyFileName, fs::path("0"));
  EXPECT_TRUE(fs::exists(mail / "0"));
  EXPECT_EQ(shell.openedFiles, std::vector<fs::path>{"0"});
}

TEST_F(ProcessCommandLine, PlusOCreatesAMissingBodyFileAndOpensIt) {
  auto form = Run({(mail / "new.txt").native(), "+o"});
  EXPECT_TRUE(FileExists(mail / "new.txt"));
  EXPECT_EQ(fs::file_size(mail / "new.txt"), 0u);
  EXPECT_EQ(shell.openedFiles, std::vector<fs::path>{mail / "new.txt"});
  EXPECT_EQ(Subject(*form), "new");

  WriteFile(mail / "kept.txt", "keep me");
  Run({(mail / "kept.txt").native(), "+o"});
  EXPECT_EQ(ReadFile(mail / "kept.txt"), "keep me");
}

TEST_F(ProcessCommandLine, MinusOOpensOnlyAnExistingBodyFile) {
  Run({(mail / "missing.txt").native(), "-o"});
  EXPECT_TRUE(shell.openedFiles.empty());
  EXPECT_FALSE(fs::exists(mail / "missing.txt"));
  WriteFile(mail / "there.txt", "");
  Run({(mail / "there.txt").native(), "-O"});
  EXPECT_EQ(shell.openedFiles, std::vector<fs::path>{mail / "there.txt"});
}

TEST_F(ProcessCommandLine, OnlySlashRStartsTheReplyMode) {
  WriteFile(mail / "saved.eml", "Subject: x\r\n\r\n");
  int replies = 0;
  for (const char* key : {"-r", "+r", "/r", "/R"}) {
    auto form = MakeForm({(mail / "saved.eml").native(), key});
    form->OnReplyFromFile = [&] { ++replies; };
    form->ProcessCommandLine();
  }
  EXPECT_EQ(replies, 2);

  auto form = MakeForm({(mail / "missing.eml").native(), "/r"});
  form->OnReplyFromFile = [&] { ++replies; };
  form->ProcessCommandLine();
  EXPECT_EQ(replies, 2);
}

TEST_F(ProcessCommandLine, ReplyModeSeesEarlierStepsAndLaterStepsOverrideIt) {
  WriteFile(mail / "saved.eml", "");
  auto form = MakeForm({(mail / "saved.eml").native(), "/r", "subject=mine", "mailto=to@x.jp"});
  form->OnReplyFromFile = [&] {
    EXPECT_EQ(WideToUtf8(form->Draft.Subject), "mine");
    form->Draft.ToText = u"from-reply@x.jp";
    form->Draft.ReferencesText = u"<ref@x.jp>";
  };
  form->ProcessCommandLine();
  EXPECT_EQ(WideToUtf8(form->Draft.ToText), "to@x.jp");
  EXPECT_EQ(WideToUtf8(form->Draft.ReferencesText), "<ref@x.jp>");
}

// A link fills the draft; its body becomes the next numbered body file in
// the program folder; keys beside it win; a refused link leaves the draft
// empty and is told once the window is up.
TEST_F(ProcessCommandLine, AMailtoLinkFillsTheDraftAndKeysBesideItWin) {
  WriteFile(home / "mailto0.txt", "older link");
  WriteFile(home / "home.ini", "[Account]\r\nName=Taro\r\n");
  WriteFile(home / "work.ini", "[Account]\r\nName=Work\r\n");
  // To | Cc | subject | account | body file: its text | status panel | refused
  auto described = [&](const TOrvaneMainForm& form) {
    const fs::path& body = form.Draft.BodyFileName;
    std::string file = body.empty() ? "" : body.lexically_relative(home.Path()).native() + ":";
    if (!body.empty()) file += ReadFile(body);
    return WideToUtf8(form.Draft.ToText) + "|" + WideToUtf8(form.Draft.CcText) + "|" +
           Subject(form) + "|" + form.AccountName + "|" + file + "|" + WideToUtf8(form.Panel(0)) +
           "|" + (createError ? "refused" : "");
  };
  struct Case {
    std::vector<std::string> args;
    std::string draft;
  } cases[] = {
      {{"Mailto:taro@example.jp?cc=jiro@example.jp&subject=%E8%A6%8B%E7%A9%8D&body=a%0Ab"
        "&attach=/etc/passwd&from=boss@example.jp"},
       "taro@example.jp|jiro@example.jp|見積|home|mailto1.txt:a\r\nb\r\n|"
       "mailto: の項目を無視しました: attach, from|"},
      {{"-x", "mailto:taro@example.jp?subject=link&body=x", "subject=mine", "account=work",
        "mailto=hanako@example.jp"},
       "hanako@example.jp||mine|work|mailto1.txt:x\r\n||"},
      {{"mailto:taro@example.jp"}, "taro@example.jp|||home|||"},
      {{"mailto:?body=" + std::string(kMaxMailtoBytes, 'x'), "account=work"}, "|||work|||refused"},
  };
  for (const auto& c : cases) {
    auto form = StartForm(c.args);
    EXPECT_EQ(described(*form), c.draft) << c.args[0].substr(0, 80);
    if (fs::exists(home / "mailto1.txt")) {
      EXPECT_EQ(fs::status(home / "mailto1.txt").permissions(),
                fs::perms::owner_read | fs::perms::owner_write);
    }
    fs::remove(home / "mailto1.txt");
  }
  EXPECT_EQ(ReadFile(home / "mailto0.txt"), "older link");
  EXPECT_TRUE(shell.openedFiles.empty());
}

TEST_F(ProcessCommandLine, AFileThatCannotBeCreatedSkipsTheRemainingSteps) {
  struct Case {
    std::vector<std::string> args;
  } cases[] = {
      {{(mail / "no-such-folder" / "memo.txt").native(), "/o", "subject=never"}},
      {{(mail / "no-such-folder" / "memo.txt").native(), "+o", "mailto=never@x.jp"}},
  };
  for (const auto& c : cases) {
    shell.openedFiles.clear();
    auto form = MakeForm(c.args);
    EXPECT_THROW(form->ProcessCommandLine(), FileError) << c.args[0];
    EXPECT_TRUE(form->Draft.Subject.empty());
    EXPECT_TRUE(form->Draft.ToText.empty());
    EXPECT_TRUE(shell.openedFiles.empty());
  }
}

}  // namespace
}  // namespace orvane::test
