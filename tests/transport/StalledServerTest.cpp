// Servers that stop short: replies that trickle in, a message nobody
// reads, a QUIT nobody answers. Each must end the delivery within the
// time-out, or at once when the user cancels.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;
using std::chrono::milliseconds;
using std::chrono::seconds;

// Waits, bounded by `limit`, for `done`; the script of a server that must
// not read meanwhile.
void WaitFor(const std::atomic<bool>& done, milliseconds limit) {
  for (auto waited = milliseconds(0); waited < limit && !done; waited += milliseconds(5))
    std::this_thread::sleep_for(milliseconds(5));
}

TEST_F(SmtpClientTest, GivesAReplyThatTricklesInOneDeadline) {
  // One byte a second would keep a per-byte time-out waiting for ever.
  bool completed = false;
  ScriptedServer server([&](Peer& p) {
    p.Send("220 ");
    for (int i = 0; i < 30; ++i) {
      if (p.WaitForClose(seconds(1))) return;
      p.Send("x");
    }
    completed = true;
    p.Send("\r\n");
    p.WaitForClose(seconds(10));
  });
  smtp->SetTimeout(kTimeout);
  Deliver(server);
  EXPECT_FALSE(completed);
  EXPECT_EQ(server.Received(), "QUIT\r\n");
  EXPECT_EQ(events.Actions(), (Trace{"status QUIT", "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, WritesQuitOnceWhenItsReplyNeverComes) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 ok\r\n");
    p.Exchange("250 ok\r\n");
    p.Exchange("354 go\r\n");
    p.ReadData();
    p.Send("250 queued\r\n");
    p.WaitForClose(seconds(20));
  });
  smtp->SetTimeout(kTimeout);
  Deliver(server);
  EXPECT_TRUE(server.Received().ends_with(".\r\nQUIT\r\n")) << server.Received();
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.end() - 3, actions.end()),
            (Trace{"status QUIT", "closed ok", "destroy"}));
}

// Pumps the main thread until the worker's progress stops: it then waits
// in a write the server does not take.
bool WaitUntilTheWriteBlocks(QueuedMainThread& main, const SmtpEvents& events) {
  for (int round = 0; round < 100; ++round) {
    std::size_t before = events.Progress.size();
    main.PumpUntil([] { return false; }, milliseconds(300));
    if (before > 0 && events.Progress.size() == before) return true;
  }
  return false;
}

TEST_F(SmtpClientTest, EndsAWriteTheServerNeverTakes) {
  // What ends the delivery.
  enum Ending { kTimeOut, kCancel, kDestroy };
  struct Case {
    const char* name;
    Ending ending;
    int timeout;
    milliseconds limit;
  } cases[] = {
      {"time-out", kTimeOut, kTimeout, seconds(25)},
      {"cancel", kCancel, 0, seconds(5)},
      // Last: it leaves no component for a further case.
      {"destroy", kDestroy, 0, seconds(5)},
  };
  // Larger than any socket buffer, so that the client is still writing.
  const std::string line = std::string(998, 'x') + "\r\n";
  std::string message;
  for (int i = 0; i < 32 * 1024; ++i) message += line;
  smtp->SetMessage(message);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Progress.clear();
    events.Success = false;
    std::atomic<bool> released{false};
    ScriptedServer server([&](Peer& p) {
      Greet(p);
      p.Exchange("250 ok\r\n");
      p.Exchange("250 ok\r\n");
      p.Exchange("354 go\r\n");
      p.ReadLine();
      WaitFor(released, seconds(40));
    });
    smtp->SetTimeout(c.timeout);
    smtp->SetPort(server.Port());
    TSmtpItem* item = smtp->Send();
    ASSERT_TRUE(WaitUntilTheWriteBlocks(main, events));
    std::size_t seen = events.Trace.size();
    if (c.ending == kCancel) item->Cancel();
    if (c.ending == kDestroy) smtp.reset();
    bool ended = main.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, c.limit);
    released = true;
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WaitForWorkers(main));
    server.Join();
    EXPECT_EQ(server.Failure(), "");
    EXPECT_FALSE(events.Success);
    // The stream stopped in the middle of the message: no QUIT follows.
    EXPECT_EQ(Trace(events.Trace.begin() + seen, events.Trace.end()),
              c.ending == kDestroy ? Trace{} : (Trace{"error 6", "closed failed", "destroy"}));
  }
}

}  // namespace
}  // namespace orvane::test
