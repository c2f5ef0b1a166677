// What the main window tells of its outbox: the count, the messages given
// up (told once) and what waits when it closes.
#include <gtest/gtest.h>

#include "app/OutboxQueue.h"
#include "app/OutboxWatch.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

OutboxMessage Waiting(const char* subject) {
  return {
      "taro", "", {"hanako@example.jp"}, std::string("Subject: ") + subject + "\r\n\r\nbody\r\n"};
}

TEST(OutboxWatch, TellsTheCountTheGivenUpOnceAndWhatWaitsAtClosing) {
  TempFolder home;
  const IniFileUnit settings(home.Path());
  const FixedClock clock(FromUtcDateTime(2026, 12, 10, 9, 0, 0));
  ScriptedPrompt prompt;
  const OutboxWatch watch(settings, clock, prompt);
  const Outbox outbox = ProgramOutbox(settings);

  EXPECT_EQ(watch.CountText(), u"");
  watch.TellWaitingOnClose();
  watch.TellGivenUp();
  EXPECT_TRUE(prompt.shown.empty());

  outbox.Add(Waiting("first"), clock);
  const std::string refused = outbox.Add(Waiting("=?UTF-8?B?5pel56iL?="), clock).id;
  EXPECT_EQ(watch.CountText(), u"送信待ち 2 通");
  outbox.Take(refused)->GiveUp(u"550 5.1.1 No such user");
  EXPECT_EQ(watch.CountText(), u"送信待ち 1 通");

  watch.TellGivenUp();
  watch.TellGivenUp();
  const auto warnings = prompt.Texts(ScriptedPrompt::Shown::Warning);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(u"件名: 日程\n宛先: hanako@example.jp\n理由: 550 5.1.1 No such user"),
            WideString::npos);

  watch.TellWaitingOnClose();
  const auto notes = prompt.Texts(ScriptedPrompt::Shown::Information);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].substr(0, 17), u"送信待ちのメールが 1 通あります");
}

}  // namespace
}  // namespace orvane::test
