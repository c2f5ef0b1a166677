#include "ChecksScene.h"
#include "checks/ConfirmSetUnit.h"
#include "checks/ConfirmUnit.h"
#include "checks/WarningShowUnit.h"
#include "checks/WarningUnit.h"
#include "settings/ProfileText.h"
#include "support/ScriptedWarnings.h"

namespace orvane::test {
namespace {

TEST(CheckWarnings, ShowsTheDialogOnlyWhenALineWasCollected) {
  struct Row {
    const char* name;
    bool ccRuleOn;
    bool writeSettings;
    TWarningChoice choice;
    bool goOn;
    size_t dialogs;
  } rows[] = {
      {"no settings file", false, false, TWarningChoice::Stop, true, 0},
      {"every rule off", false, true, TWarningChoice::Stop, true, 0},
      {"a line, go on", true, true, TWarningChoice::GoOn, true, 1},
      {"a line, stop", true, true, TWarningChoice::Stop, false, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ChecksScene scene;
    scene.draft.ToText.clear();
    scene.draft.CcText = u"c@example.jp";
    if (row.writeSettings)
      for (const TWarningRuleInfo& info : kWarningRules)
        scene.settings.Write(info.key, row.ccRuleOn && info.rule == TWarningRule::Cc);
    ScriptedWarnings display(row.choice);
    EXPECT_EQ(CheckWarnings(scene.settings, scene.draft, scene.Compose(), display), row.goOn);
    ASSERT_EQ(display.shown.size(), row.dialogs);
    if (row.dialogs) {
      EXPECT_EQ(U8(display.shown[0]),
                std::vector<std::string>{"[注意01] Ccアドレスが指定されています"});
    }
  }
}

TEST(WarningDialog, SortsLinesInTheOrderOfTheirShiftJisCodes) {
  const TWarningForm form(
      {u"[注意09] 携帯アドレスです b@docomo.ne.jp", u"[注意01] Ccアドレスが指定されています",
       u"[警告13] 本文に設定値以上に長い行があります", u"[情報01] アカウント: home",
       u"[注意09] 携帯アドレスです a@docomo.ne.jp",
       u"[警告01] Toアドレス(送信先)が指定されていません"});
  EXPECT_EQ(U8(form.Lines()), (std::vector<std::string>{
                                  "[警告01] Toアドレス(送信先)が指定されていません",
                                  "[警告13] 本文に設定値以上に長い行があります",
                                  "[情報01] アカウント: home",
                                  "[注意01] Ccアドレスが指定されています",
                                  "[注意09] 携帯アドレスです a@docomo.ne.jp",
                                  "[注意09] 携帯アドレスです b@docomo.ne.jp",
                              }));
}

TEST(WarningDialog, SeverityAndHelpTopicOfALine) {
  struct Row {
    std::u16string line;
    std::optional<TSeverity> severity;
    int topic;
  } rows[] = {
      {u"[警告08] 添付ファイルは警戒されやすい形式です a.exe", TSeverity::Warning, 108},
      {u"[警告13] 本文に設定値以上に長い行があります", TSeverity::Warning, 113},
      {u"[注意07] 署名がありません", TSeverity::Caution, 207},
      {u"[注意12] 機種依存文字が含まれています ①", TSeverity::Caution, 212},
      {u"[情報02] SMTP認証を試みます", TSeverity::Information, 302},
      {u"[警告16] 社外の複数の宛先が To/Cc に入っています", TSeverity::Warning, 116},
      {u"[警告17] メールがサーバーの受け付ける大きさを超えています", TSeverity::Warning, 117},
      {u"[警告18] 未知", TSeverity::Warning, 100},
      {u"[警告ab] 未知", TSeverity::Warning, 100},
      {u"[情", TSeverity::Information, 300},
      {u"警告01", std::nullopt, 0},
      {u"", std::nullopt, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(WideToUtf8(row.line));
    EXPECT_EQ(TWarningForm::SeverityOf(row.line), row.severity);
    EXPECT_EQ(TWarningForm::HelpTopicOf(row.line), row.topic);
  }
}

TEST(WarningSettingsDialog, TabsHoldTheRulesOfTheirSeverityInTheirOrder) {
  auto keysOf = [](TSeverity tab) {
    std::vector<std::string> names;
    for (TWarningRule rule : TWarningSetForm::Rows(tab)) names.push_back(RuleInfo(rule).key.key);
    return names;
  };
  EXPECT_EQ(keysOf(TSeverity::Warning),
            (std::vector<std::string>{"TO", "Subject", "Body", "Reply", "AttachExtension",
                                      "MailAddressVal", "AttachTotal", "RcptList", "LineLength",
                                      "Dispostition", "LookAlike", "BccLeak", "SizeLimit"}));
  EXPECT_EQ(keysOf(TSeverity::Caution),
            (std::vector<std::string>{"CC", "BCC", "Attach", "Send", "InReply", "XHeader",
                                      "Signature", "MailingList", "Mobile", "Priority",
                                      "AttachReminder", "DependChar"}));
  EXPECT_EQ(keysOf(TSeverity::Information),
            (std::vector<std::string>{"Account", "SMTPAuth", "BeforeSmtp"}));
}

TEST(WarningSettingsDialog, OkWritesEverySwitchAndKeepsTheRestOfTheFile) {
  ChecksScene scene;
  WriteFile(scene.home / "orvane.ini",
            "; mine\r\n[Option]\r\nFileSave=1\r\n[Warning]\r\nSubject=1\r\nMobile=7\r\nCC=x\r\n");
  TWarningSetForm form(scene.settings);
  EXPECT_TRUE(form.Ticked(TWarningRule::Subject));
  EXPECT_TRUE(form.Ticked(TWarningRule::Mobile));
  EXPECT_FALSE(form.Ticked(TWarningRule::Cc));
  EXPECT_FALSE(form.Ticked(TWarningRule::To));
  form.SetTicked(TWarningRule::Subject, false);
  form.SetTicked(TWarningRule::DependChar, true);
  form.Save();

  const ProfileText saved(ReadFile(scene.home / "orvane.ini"));
  EXPECT_EQ(saved.Find("Option", "FileSave"), "1");
  std::vector<std::string> written;
  for (const auto& [key, value] : saved.SectionKeys("Warning"))
    written.push_back(key + "=" + value);
  EXPECT_EQ(written, (std::vector<std::string>{"Subject=0",
                                               "Mobile=1",
                                               "CC=0",
                                               "TO=0",
                                               "Body=0",
                                               "Reply=0",
                                               "AttachExtension=0",
                                               "MailAddressVal=0",
                                               "AttachTotal=0",
                                               "RcptList=0",
                                               "LineLength=0",
                                               "Dispostition=0",
                                               "LookAlike=0",
                                               "BccLeak=0",
                                               "SizeLimit=1",
                                               "BCC=0",
                                               "Attach=0",
                                               "Send=0",
                                               "InReply=0",
                                               "XHeader=0",
                                               "Signature=0",
                                               "MailingList=0",
                                               "Priority=0",
                                               "AttachReminder=0",
                                               "DependChar=1",
                                               "Account=0",
                                               "SMTPAuth=0",
                                               "BeforeSmtp=0"}));
}

TEST(WarningSettingsDialog, OkWithoutChangesKeepsEveryValueAndCreatesAMissingFile) {
  ChecksScene scene;
  TWarningSetForm(scene.settings).Save();
  const ProfileText created(ReadFile(scene.home / "orvane.ini"));
  EXPECT_EQ(created.SectionKeys("Warning").size(), kWarningRuleCount);
  for (const TWarningRuleInfo& info : kWarningRules) scene.settings.Write(info.key, true);
  TWarningSetForm again(scene.settings);
  again.Save();
  for (const TWarningRuleInfo& info : kWarningRules)
    EXPECT_TRUE(scene.settings.Read(info.key)) << info.key.key;
}

TEST(WarningHelp, TheHelpBookHoldsEveryTopicTheDialogsOpen) {
  const std::string book = ReadFile(std::filesystem::path(ORVANE_SOURCE_DIR) / "resources" /
                                    "Orvane.hlp" / "index.html");
  std::vector<int> topics = {TWarningForm::kHelpTopic, TWarningSetForm::kHelpTopic,
                             TConfirmForm::kHelpTopic, TConfirmSetForm::kHelpTopic};
  for (const TWarningRuleInfo& info : kWarningRules)
    topics.push_back(TWarningForm::HelpTopicOf(info.message));
  for (int topic : topics) {
    EXPECT_GE(topic % 100, topic < 100 ? 0 : 1) << topic;
    EXPECT_NE(book.find("<a name=\"" + std::to_string(topic) + "\"></a>"), std::string::npos)
        << topic;
  }
}

}  // namespace
}  // namespace orvane::test
