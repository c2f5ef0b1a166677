// The confirmation before a send: which lines need a tick, what marks them,
// when 送信 can be pressed, and the move of outside addresses into Bcc.

#include <gtest/gtest.h>

#include <memory>

#include "checks/ConfirmSetUnit.h"
#include "checks/ConfirmUnit.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/ListedHistory.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

using K = TRecipientKind;
using Lines = std::vector<std::string>;

// A line as the window shows it: its box, its kind, its address (or file
// name and size) and its marks.
std::string Described(const TConfirmLine& line) {
  static const char* kinds[] = {"To", "Cc", "Bcc"};
  std::string text = line.ticked ? "[x] " : "[ ] ";
  if (!line.tickable) text = "[=] ";
  if (line.attachment)
    return text + "添付 " + WideToUtf8(line.name) + " " + WideToUtf8(line.address);
  text += kinds[static_cast<int>(line.kind)] + std::string(" ") + WideToUtf8(line.address);
  if (line.outside) text += " 社外";
  if (line.firstTime) text += " 初";
  if (line.lookAlike) text += " 似たドメイン: " + WideToUtf8(*line.lookAlike);
  return text;
}

TEST(ConfirmForm, LinesTicksAndTheMoveToBcc) {
  const std::vector<TRecipient> mixed = {
      {K::To, u"", u"b@example.co.jp"},  {K::To, u"新", u"new@one.jp"},
      {K::Cc, u"", u"known@one.jp"},     {K::Bcc, u"鈴木", u"suzuki@orvane-shoji.jp"},
      {K::Bcc, u"", u"x@examp1e.co.jp"},
  };
  const Lines mixedLines = {
      "[ ] To new@one.jp 社外 初",
      "[ ] Cc known@one.jp 社外",
      "[ ] Bcc suzuki@orvane-shoji.jp 社外",
      "[ ] Bcc x@examp1e.co.jp 社外 初 似たドメイン: example.co.jp",
      "[=] To b@example.co.jp",
      "[ ] 添付 見積書.pdf 2.0 KB",
  };
  Lines recipientsTicked = mixedLines;
  for (size_t i = 0; i < 4; ++i) recipientsTicked[i].replace(0, 3, "[x]");
  Lines allTicked = recipientsTicked;
  allTicked.back().replace(0, 3, "[x]");
  const std::vector<TRecipient> one = {{K::To, u"", u"a@one.jp"}},
                                internal = {{K::To, u"", u"b@sales.example.co.jp"}},
                                leaking = {one[0],
                                           {K::To, u"", u"c@example.co.jp"},
                                           {K::Cc, u"", u"b@two.jp"}};
  const Lines oneLine = {"[ ] To a@one.jp 社外 初"};
  const Lines internalLines = {"[=] To b@sales.example.co.jp"};
  const Lines withFiles = {internalLines[0], "[x] 添付 memo.txt 512 バイト",
                           "[x] 添付 図面.dwg 3.0 MB"};
  const Lines moved = {"[x] Bcc a@one.jp 社外 初", "[ ] Bcc b@two.jp 社外 初",
                       "[=] To c@example.co.jp"};
  const std::vector<TAttachedFile> no, pdf = {{u"見積書.pdf", 2048}},
                                       files = {{u"memo.txt", 512}, {u"図面.dwg", 3 * 1024 * 1024}};
  const std::vector<size_t> none, recipients = {0, 1, 2, 3}, all = {0, 1, 2, 3, 4, 5},
                                  twice = {0, 0}, attachments = {1, 2}, first = {0};
  enum Confirm { kOff, kOn, kEvenInternal };  // Enabled and SkipWhenInternal
  struct Row {
    const char* name;
    std::vector<TRecipient> recipients;
    std::vector<TAttachedFile> attachments;
    Confirm confirm;
    std::vector<size_t> toggles;      // lines toggled, in order
    bool moveToBcc, needed, offered;  // offered: the move to Bcc, before any move
    Lines lines;
    bool sendEnabled;
  } rows[] = {
      {"nothing ticked", mixed, pdf, kOn, none, false, true, false, mixedLines, false},
      {"every recipient, not the attachment", mixed, pdf, kOn, recipients, false, true, false,
       recipientsTicked, false},
      {"every line, an internal one in vain", mixed, pdf, kOn, all, false, true, false, allTicked,
       true},
      {"a tick taken back", one, no, kOn, twice, false, true, false, oneLine, false},
      {"internal only: skipped", internal, no, kOn, none, false, false, false, internalLines, true},
      {"internal only, SkipWhenInternal off", internal, no, kEvenInternal, none, false, true, false,
       internalLines, true},
      {"internal with attachments", internal, files, kOn, attachments, false, true, false,
       withFiles, true},
      {"the confirmation off", mixed, pdf, kOff, none, false, false, false, mixedLines, false},
      {"moved to Bcc, ticks kept", leaking, no, kOn, first, true, true, true, moved, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TConfirmSettings settings;
    settings.enabled = row.confirm != kOff;
    settings.skipWhenInternal = row.confirm != kEvenInternal;
    settings.internal = TInternalDomains({u"example.co.jp"}, true);
    auto history =
        std::make_shared<ListedHistory>(std::vector<WideString>{u"suzuki@orvane-shoji.jp"},
                                        std::vector<WideString>{u"Known@one.jp"});
    TConfirmForm form(
        {"home", u"太郎 <taro@example.co.jp>", u"件名", row.recipients, row.attachments}, settings,
        history);
    EXPECT_EQ(form.Needed(), row.needed);
    EXPECT_EQ(form.MoveToBccOffered(), row.offered);
    for (size_t line : row.toggles) form.Toggle(line);
    if (row.moveToBcc) form.MoveOutsideToBcc();
    Lines lines;
    for (const TConfirmLine& line : form.Lines()) lines.push_back(Described(line));
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(form.SendEnabled(), row.sendEnabled);
    EXPECT_EQ(form.RecipientsMoved(), row.moveToBcc);
    EXPECT_FALSE(row.moveToBcc && form.MoveToBccOffered());
  }
}

// "OK" of the settings dialog writes every key, or, for a domain list that
// cannot be stored or cannot be domains, nothing at all.
TEST(ConfirmSettingsDialog, OkWritesEveryKeyOrNothing) {
  struct Row {
    std::u16string domains;
    const char* error;  // the start of the message, or null
    std::u16string blockDomains = u"example.net";
  } rows[] = {
      {u"example.co.jp, @example.com 例え.jp", nullptr},
      {u"", nullptr},
      {u"example.co.jp, taro@example.co.jp", "社内のドメインとして使えない書き方です: taro@"},
      {u"example..jp", "社内のドメインとして使えない書き方です: example..jp"},
      {u"<example.jp>", "社内のドメインとして使えない書き方です: <example.jp>"},
      {u"한국.kr", "設定ファイルに保存できない文字を含んでいます"},
      {u"", "送信を禁止するドメインとして使えない書き方です: a@b", u"a@b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(WideToUtf8(row.domains));
    TempFolder home;
    const IniFileUnit settings(home.Path());
    const std::string before = "[Option]\r\nFileSave=1\r\n[Confirm]\r\nDelaySeconds=99\r\n";
    WriteFile(home / "orvane.ini", before);
    TConfirmSetForm form(settings);
    EXPECT_EQ(form.delaySeconds, 60);
    EXPECT_FALSE(form.enabled);
    form.enabled = true;
    form.internalDomains = row.domains;
    form.subDomains = false;
    form.bccLeakLimit = 3;
    form.delaySeconds = 5;
    form.blockDomains = row.blockDomains;
    form.blockWords = u"極秘, \"社外 秘\"";
    if (row.error) {
      try {
        form.Save();
        ADD_FAILURE() << "saved";
      } catch (const Error& error) {
        EXPECT_TRUE(WideToUtf8(error.Message()).starts_with(row.error))
            << WideToUtf8(error.Message());
      }
      EXPECT_EQ(ReadFile(home / "orvane.ini"), before);
      continue;
    }
    form.Save();
    const TConfirmSetForm again(settings);
    EXPECT_TRUE(again.enabled);
    EXPECT_EQ(again.internalDomains, row.domains);
    EXPECT_FALSE(again.subDomains);
    EXPECT_TRUE(again.skipWhenInternal);
    EXPECT_EQ(again.bccLeakLimit, 3);
    EXPECT_EQ(again.delaySeconds, 5);
    EXPECT_EQ(again.blockDomains, row.blockDomains);
    EXPECT_EQ(again.blockWords, u"極秘, \"社外 秘\"");
    EXPECT_EQ(settings.Read(keys::kFileSave), true);
  }
}

}  // namespace
}  // namespace orvane::test
