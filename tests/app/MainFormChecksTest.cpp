#include <gtest/gtest.h>

#include <functional>

#include "MainFormFixture.h"
#include "support/ScriptedWarnings.h"

namespace orvane::test {
namespace {

// The main window's file-output command hands its draft and the composed
// message to the checks, as the Send command does.
class MainFormChecks : public MainFormTest {
 protected:
  std::unique_ptr<TOrvaneMainForm> Start() { return StartDraft("資料を添付します。\n"); }
};

TEST_F(MainFormChecks, TheDraftAndTheComposedMessageReachTheRules) {
  struct Row {
    const char* name;
    TWarningRule rule;
    std::function<void(TOrvaneMainForm&)> change;
    std::vector<WideString> lines;
  } rows[] = {
      {"Cc",
       TWarningRule::Cc,
       [](auto& f) { f.Draft.CcText = u"c@example.jp"; },
       {u"[注意01] Ccアドレスが指定されています"}},
      {"Reply-To",
       TWarningRule::Reply,
       [](auto& f) { f.SetReplyToText(u"r@example.jp"); },
       {u"[警告04] Reply-Toフィールドが設定されています"}},
      {"normal priority", TWarningRule::Priority, [](auto&) {}, {}},
      {"low priority",
       TWarningRule::Priority,
       [](auto& f) { f.SetPriority(PriorityItem::Low); },
       {u"[注意10] 優先度が設定されています "}},
      {"read receipt",
       TWarningRule::Dispostition,
       [](auto& f) { f.ToggleDisposition(); },
       {u"[警告14] 開封確認メッセージを要求しています"}},
      {"sent before",
       TWarningRule::Send,
       [](auto& f) { f.SendSucceeded = true; },
       {u"[注意04] すでに送信が完了しいてます"}},
      {"account", TWarningRule::Account, [](auto&) {}, {u"[情報01] アカウント: NewAccount"}},
      {"subject",
       TWarningRule::Subject,
       [](auto& f) { f.SubjectEdited(u""); },
       {u"[警告02] 件名がありません"}},
      {"the body file", TWarningRule::Body, [](auto&) {}, {}},
      {"no body file",
       TWarningRule::Body,
       [](auto& f) { f.Draft.BodyFileName = f.Settings().ProgramFolder() / "missing.txt"; },
       {u"[警告03] 本文がありません"}},
      {"添付 above a signature whose macro expands to nothing",
       TWarningRule::AttachReminder,
       [](auto& f) {
         f.Settings().WriteAccountBlock(f.AccountName, "Signature", WideToSjis(u"--\r\n%name%"));
       },
       {u"[注意11] 本文に添付の記述がありますが、ファイルが添付されていません"}},
      {"添付 in the signature only",
       TWarningRule::AttachReminder,
       [](auto& f) {
         f.Settings().WriteAccountBlock(f.AccountName, "Signature",
                                        WideToSjis(u"--\r\n添付ファイルはお気軽に"));
         WriteFile(f.Draft.BodyFileName, "明日伺います。\n");
       },
       {}},
      {"vendor character in the subject, ISO-2022-JP",
       TWarningRule::DependChar,
       [](auto& f) {
         f.Settings().Write(keys::kEncodeCharset, 1);
         f.SubjectEdited(u"見積①");
       },
       {u"[注意12] 機種依存文字が含まれています ① → (1)"}},
      {"vendor character with UTF-8",
       TWarningRule::DependChar,
       [](auto& f) {
         f.Settings().Write(keys::kEncodeCharset, 5);
         f.SubjectEdited(u"見積①");
       },
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto form = Start();
    Settings().Write(RuleInfo(row.rule).key, true);
    row.change(*form);
    ScriptedWarnings display;
    form->SetWarningDisplay(&display);
    EXPECT_TRUE(form->FileMake()) << "the checks let it go on";
    EXPECT_EQ(display.shown, row.lines.empty() ? std::vector<std::vector<WideString>>{}
                                               : std::vector<std::vector<WideString>>{row.lines});
    Settings().Write(RuleInfo(row.rule).key, false);
    Settings().Write(keys::kEncodeCharset, 0);
    Settings().EraseAccountSection(form->AccountName, "Signature");
  }
}

}  // namespace
}  // namespace orvane::test
