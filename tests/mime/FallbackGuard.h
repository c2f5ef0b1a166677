#pragma once

#include "mime/CharSet.h"

namespace orvane::test {

// Restores the process-wide Unicode fallback after a test changed it.
class FallbackGuard {
 public:
  FallbackGuard() : saved_(UnicodeEncodingSetting()) {}
  ~FallbackGuard() { SetUnicodeEncodingSetting(saved_); }
  FallbackGuard(const FallbackGuard&) = delete;
  FallbackGuard& operator=(const FallbackGuard&) = delete;

 private:
  TUnicodeEncodingType saved_;
};

}  // namespace orvane::test
