#include <gtest/gtest.h>

#include <limits>

#include "oauth/AccessTokens.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

TEST(AccessTokenExpiry, ALifetimeCountsForADayAtMostAndNoneForNothing) {
  const TimePoint now = TimePoint{} + 1000h;
  struct Case {
    std::optional<long long> expiresIn;
    std::chrono::seconds life;
  } cases[] = {
      {3600, 3600s}, {5'000'000'000, 24h}, {std::numeric_limits<long long>::max(), 24h}, {0, 0s},
      {-5, 0s},      {std::nullopt, 0s}};
  for (const Case& c : cases)
    EXPECT_EQ(AccessTokenExpiry(now, c.expiresIn) - now, c.life) << c.expiresIn.value_or(-1);
}

}  // namespace
}  // namespace orvane
