#include "platform/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace orvane {
namespace {

TEST(QueuedMainThread, InvokeRunsOnTheOwnerAndWaits) {
  QueuedMainThread main;
  std::atomic<bool> returned{false};
  std::thread::id ranOn;
  std::thread worker([&] {
    main.Invoke([&] { ranOn = std::this_thread::get_id(); });
    returned = true;
  });
  EXPECT_TRUE(main.PumpUntil([&] { return returned.load(); }, std::chrono::seconds(10)));
  worker.join();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(QueuedMainThread, InvokeOnTheOwnerRunsAtOnceAndPostWaitsForThePump) {
  QueuedMainThread main;
  int ran = 0;
  main.Invoke([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  main.Post([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  main.PumpPending();
  EXPECT_EQ(ran, 2);
  EXPECT_FALSE(main.PumpUntil([] { return false; }, std::chrono::milliseconds(10)));
}

TEST(QueuedMainThread, AHandlerThatThrowsStillReleasesTheWorker) {
  QueuedMainThread main;
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    main.Invoke([] { throw std::runtime_error("handler failed"); });
    returned = true;
  });
  bool thrown = false;
  for (int i = 0; i < 5000 && !returned; ++i) {
    try {
      main.PumpUntil([&] { return returned.load(); }, std::chrono::milliseconds(2));
    } catch (const std::runtime_error&) {
      thrown = true;
    }
  }
  worker.join();
  EXPECT_TRUE(thrown);
  EXPECT_TRUE(returned);
}

}  // namespace
}  // namespace orvane
