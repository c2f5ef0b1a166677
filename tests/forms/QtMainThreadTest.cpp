#include <QMessageBox>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "FormsFixture.h"
#include "gui/QtMainThread.h"
#include "platform/Error.h"

namespace orvane::test {
namespace {

// Pumps the event loop until `until` holds, for at most ten seconds.
bool ProcessUntil(const std::function<bool()>& until) {
  for (int i = 0; i < 1000 && !until(); ++i) QTest::qWait(10);
  return until();
}

TEST(QtMainThread, RunsEachCallOnTheUserInterfaceThreadWhileItsWorkerWaits) {
  TestApplication();
  QtMainThread main;
  constexpr int kCalls = 2000;
  std::vector<int> seen[2];
  std::atomic<int> finished{0};
  bool allOnMainThread = true;
  std::vector<std::thread> workers;
  for (int w = 0; w < 2; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < kCalls; ++i) {
        int value = -1;
        main.Invoke([&] {
          allOnMainThread = allOnMainThread && QThread::currentThread() == qApp->thread();
          value = i;
          seen[w].push_back(i);
        });
        // The call has run when Invoke returns.
        if (value != i) return;
      }
      ++finished;
    });
  }
  EXPECT_TRUE(ProcessUntil([&] { return finished == 2; }));
  for (std::thread& worker : workers) worker.join();
  EXPECT_TRUE(allOnMainThread);
  for (const std::vector<int>& calls : seen) {
    ASSERT_EQ(calls.size(), static_cast<size_t>(kCalls));
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
  }
  // On the user-interface thread itself a call runs at once.
  bool ran = false;
  main.Invoke([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST(QtMainThread, ACallThatThrowsReleasesItsWorkerAndLaterCallsStillRun) {
  TestApplication();
  QtMainThread main;
  QString shown;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  answer.start(10);
  std::atomic<bool> released{false};
  std::atomic<int> later{0};
  std::thread worker([&] {
    main.Invoke([] { throw Error(u"ハンドラの失敗"); });
    released = true;
    for (int i = 0; i < 100; ++i) main.Invoke([&] { ++later; });
  });
  EXPECT_TRUE(ProcessUntil([&] { return later == 100; }));
  worker.join();
  EXPECT_TRUE(released);
  // The application's error handler showed the failure.
  EXPECT_EQ(shown, QStringLiteral("ハンドラの失敗"));
}

}  // namespace
}  // namespace orvane::test
