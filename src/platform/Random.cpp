#include "platform/Random.h"

#include <mutex>
#include <random>

namespace orvane {

int RandomBelow(int bound) {
  static std::mutex lock;
  static std::mt19937 generator{std::random_device{}()};
  std::lock_guard guard(lock);
  return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

}  // namespace orvane
