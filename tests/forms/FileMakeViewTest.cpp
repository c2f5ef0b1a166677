#include <QAction>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <ctime>
#include <filesystem>

#include "FormsFixture.h"
#include "mime/TransferEncoding.h"
#include "settings/IniFileUnit.h"
#include "support/PythonParser.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// Today's date as the signature's "ggge年m月d日" gives it in the 令和 era.
std::u16string ReiwaToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string date = "令和" + std::to_string(local.tm_year + 1900 - 2018) + "年" +
                           std::to_string(local.tm_mon + 1) + "月" + std::to_string(local.tm_mday) +
                           "日";
  return Utf8ToWide(date);
}

// Text typed through the input method, as Japanese arrives: one commit.
void Type(QLineEdit* field, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(field, &commit);
}

std::u16string Lf(std::u16string text) {
  std::erase(text, u'\r');
  return text;
}

// The decoded values of every field of that name, in order.
std::vector<std::u16string> Fields(const JsonValue& parsed, std::u16string_view name) {
  std::vector<std::u16string> values;
  for (const JsonValue& field : parsed["headers"].array)
    if (field[0].string == name) values.push_back(field[1].string);
  return values;
}

std::vector<std::pair<std::u16string, std::u16string>> Mailboxes(const JsonValue& list) {
  std::vector<std::pair<std::u16string, std::u16string>> boxes;
  for (const JsonValue& each : list.array)
    boxes.emplace_back(each["name"].string, each["address"].string);
  return boxes;
}

// A user's program folder: an account whose name holds a comma, with a
// signature of macros and an extended header line, written as Shift_JIS the
// way the settings file keeps it.
class FileMakeView : public MainWindowTest {
 protected:
  FileMakeView() {
    WriteFile(home / "work.ini", WideToSjis(u"[Account]\r\n"
                                            u"Name=山田, 太郎\r\n"
                                            u"Address=taro@example.jp\r\n"
                                            u"[Signature]\r\n"
                                            u"DateTime1=ggge年m月d日\r\n"
                                            u"LineCount=3\r\n"
                                            u"Line1=\"-- \"\r\n"
                                            u"Line2=\"%name% <%address%>\"\r\n"
                                            u"Line3=\"%datetime1%\"\r\n"
                                            u"[XHeader]\r\n"
                                            u"LineCount=1\r\n"
                                            u"Line1=\"X-Department=営業部 第二課\"\r\n"));
    WriteFile(home / "body.txt", "鈴木様\nお見積りをお送りします。\nご確認ください。\n");
  }

  // Opens the window on the body file and subject, and fills in the rest
  // of the draft as a user does: typing the recipients, ticking the menu
  // items.
  void OpenDraft() {
    Open({"file=" + (home / "body.txt").native(), "subject=お見積りの件 (第2版)"});
    Type(Find<QLineEdit>("EDIT_To"),
         QStringLiteral("\"鈴木, 花子\" <hanako@example.jp>, 佐藤 次郎 <jiro@example.jp>"));
    Find<QToolButton>("SB_To")->click();
    Type(Find<QLineEdit>("EDIT_To"), QStringLiteral("\"経理部, 共有\" <keiri@example.jp>"));
    for (const char* item : {"N11", "ActionDispostition", "ActionPostSelf"})
      MenuAction(item)->trigger();
    WriteFile(home / "AttachFiles" / "見積書.pdf", kPdf);
    WriteFile(home / "AttachFiles" / "price list.csv", kCsv);
  }

  QAction* MenuAction(const char* name) const {
    auto* action = view->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }

  // 設定 > ファイル作成, as the user chooses it.
  void ChooseFileMake() {
    MenuAction("ActionFileMake")->trigger();
    QApplication::processEvents();
  }

  static inline const std::string kPdf = std::string("%PDF-1.4\n") + '\0' + "\x01\xff\r\n%%EOF";
  static inline const std::string kCsv = "品目,単価\r\nA,100\r\n";
  fs::path messageFile = home / "お見積りの件 (第2版).eml";
};

TEST_F(FileMakeView, WritesTheWholeDraftAsPythonReadsIt) {
  OpenDraft();
  ChooseFileMake();
  EXPECT_EQ(prompt.shown, std::vector<ScriptedPrompt::Shown>{});
  ASSERT_TRUE(fs::exists(messageFile));

  const JsonValue parsed = ParseWithPython(messageFile);
  EXPECT_EQ(parsed["header_defects"].array.size(), 0u);
  EXPECT_EQ(parsed["subject"].string, u"お見積りの件 (第2版)");
  using Boxes = std::vector<std::pair<std::u16string, std::u16string>>;
  EXPECT_EQ(Mailboxes(parsed["from"]), (Boxes{{u"山田, 太郎", u"taro@example.jp"}}));
  EXPECT_EQ(Mailboxes(parsed["to"]),
            (Boxes{{u"鈴木, 花子", u"hanako@example.jp"}, {u"佐藤 次郎", u"jiro@example.jp"}}));
  EXPECT_EQ(Mailboxes(parsed["cc"]), (Boxes{{u"経理部, 共有", u"keiri@example.jp"}}));
  EXPECT_EQ(Mailboxes(parsed["bcc"]), (Boxes{{u"", u"taro@example.jp"}}));
  EXPECT_EQ(Fields(parsed, u"X-Department"), std::vector<std::u16string>{u"営業部 第二課"});
  EXPECT_EQ(Mailboxes(parsed["read_receipt_to"]), (Boxes{{u"山田, 太郎", u"taro@example.jp"}}));
  EXPECT_EQ(Fields(parsed, u"Priority"), std::vector<std::u16string>{u"urgent"});
  EXPECT_EQ(Fields(parsed, u"X-Priority"), std::vector<std::u16string>{u"1"});
  EXPECT_EQ(Fields(parsed, u"X-MSMail-Priority"), std::vector<std::u16string>{u"High"});
  EXPECT_EQ(Fields(parsed, u"X-Mailer"),
            std::vector<std::u16string>{u"Orvane " + form->VersionText});
  EXPECT_EQ(Lf(parsed["body"].string),
            u"鈴木様\nお見積りをお送りします。\nご確認ください。\n"
            u"-- \n山田, 太郎 <taro@example.jp>\n" +
                ReiwaToday() + u"\n");

  struct Attachment {
    std::u16string name;
    std::string bytes;
  } attachments[] = {{u"price list.csv", kCsv}, {u"見積書.pdf", kPdf}};
  ASSERT_EQ(parsed["attachments"].array.size(), std::size(attachments));
  for (size_t i = 0; i < std::size(attachments); ++i) {
    SCOPED_TRACE(WideToUtf8(attachments[i].name));
    EXPECT_EQ(parsed["attachments"][i]["filename"].string, attachments[i].name);
    EXPECT_EQ(WideToUtf8(parsed["attachments"][i]["data"].string),
              Base64Encode(attachments[i].bytes));
  }
}

TEST_F(FileMakeView, TheWarningDialogDecidesWhetherTheFileIsWritten) {
  struct Row {
    const char* name;
    bool ruleOn;
    const char* button;  // the warning dialog's button pressed, if it opens
    bool written;
  } rows[] = {
      {"no rule on", false, nullptr, true},
      {"続行", true, "Button1", true},
      {"中止", true, "Button2", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IniFileUnit(home.Path()).Write(keys::kWarnDispostition, row.ruleOn);
    OpenDraft();
    bool dialogShown = false;
    if (row.button)
      OnNextModal([&](QWidget* dialog) {
        dialogShown = dialog->objectName() == QStringLiteral("WarningForm");
        if (auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(row.button)))
          button->click();
      });
    ChooseFileMake();
    EXPECT_EQ(dialogShown, row.button != nullptr);
    EXPECT_EQ(fs::exists(messageFile), row.written);
      EXPECT_EQ(prompt.shown, std::vector<ScriptedPrompt::Shown>{});
    fs::remove(messageFile);
    view.reset();
    form.reset();
  }
}

TEST_F(FileMakeView, AFileThatCannotBeCreatedIsReported) {
  OpenDraft();
  fs::create_directory(messageFile);
  ChooseFileMake();
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error),
            std::vector<WideString>{u"ファイル " + Utf8ToWide(messageFile.native()) +
                                    u" を作成できません"});
  EXPECT_TRUE(fs::is_directory(messageFile));
}

TEST_F(FileMakeView, AFolderThatIsGoneIsToldInTheStatusBar) {
  IniFileUnit(home.Path()).WriteGeneralString("Option", "PATH", (home / "gone/").native());
  OpenDraft();
  ChooseFileMake();
  EXPECT_TRUE(fs::exists(messageFile));
  const auto* panel = Find<QLabel>("Panel0");
  EXPECT_TRUE(panel->text().startsWith(QStringLiteral("プログラムのフォルダに作成しました")))
      << panel->text().toStdString();
  EXPECT_EQ(panel->toolTip(), QStringLiteral("プログラムのフォルダに作成しました (保存するフォルダ ") +
                                  QString::fromStdString((home / "gone/").native()) +
                                  QStringLiteral(" が見つかりません)"));
}

}  // namespace
}  // namespace orvane::test
