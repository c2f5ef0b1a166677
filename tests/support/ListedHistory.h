#pragma once

#include <vector>

#include "checks/RecipientHistory.h"

namespace orvane::test {

// Whom the user wrote to before, as the test lists it; counts how often it
// was asked.
class ListedHistory final : public RecipientHistory {
 public:
  ListedHistory(std::vector<WideString> book, std::vector<WideString> recent)
      : book_(std::move(book)), recent_(std::move(recent)) {}
  std::vector<WideString> BookAddresses() const override {
    ++reads;
    return book_;
  }
  std::vector<WideString> RecentAddresses() const override {
    ++reads;
    return recent_;
  }
  mutable int reads = 0;

 private:
  std::vector<WideString> book_;
  std::vector<WideString> recent_;
};

}  // namespace orvane::test
