#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SendUnit.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {

// A send window's controller over a fresh program folder, its events
// pumped on the test's thread.
class SendTest : public ::testing::Test {
 protected:
  SendTest() { clock.Set(JapanNoon()); }
  ~SendTest() override { EXPECT_TRUE(WaitForWorkers(main)); }

  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }
  // The account "work", its lines given as UTF-8.
  void WriteAccount(const std::string& lines) {
    WriteFile(home / "work.ini", WideToSjis(Utf8ToWide("[Account]\r\n" + lines)));
  }
  std::unique_ptr<TSendForm> MakeForm(const std::string& message = kMessage,
                                      std::vector<AnsiString> recipients = {"a@example.com"},
                                      int delaySeconds = 0) {
    auto form = std::make_unique<TSendForm>(SendServices{Settings(), clock, main, clients, tokens},
                                            SendJob{"work",
                                                    std::make_shared<const AnsiString>(message),
                                                    std::move(recipients),
                                                    {},
                                                    delaySeconds});
    form->OnDelivered = [this](bool success) { delivered.push_back(success); };
    return form;
  }
  // Shows the window and pumps its events until the attempt has ended and
  // every worker is gone.
  void Run(TSendForm& form) {
    form.Show();
    EXPECT_TRUE(main.PumpUntil([&] { return form.State() != SendState::Sending; },
                               std::chrono::seconds(60)));
    EXPECT_TRUE(WaitForWorkers(main));
  }
  static std::vector<std::string> LogOf(const TSendForm& form) {
    std::vector<std::string> lines;
    for (const WideString& line : form.LogLines()) lines.push_back(WideToUtf8(line));
    return lines;
  }

  static constexpr const char* kMessage =
      "From: me@example.com\r\nTo: a@example.com\r\nSubject: test\r\n\r\nbody\r\n";

  ScopedTimeZone zone{"JST-9"};
  TempFolder home;
  FixedClock clock;
  QueuedMainThread main;
  SendClients clients{kQuickPause};
  TAccessTokens tokens{clock};
  std::vector<bool> delivered;  // what OnDelivered said, in turn
};

}  // namespace orvane::test
