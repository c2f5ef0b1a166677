#pragma once

#include <vector>

#include "checks/CheckWarnings.h"

namespace orvane::test {

// Answers the warning dialog with a scripted choice and keeps the lines of
// every showing.
class ScriptedWarnings final : public WarningDisplay {
 public:
  explicit ScriptedWarnings(TWarningChoice choice = TWarningChoice::GoOn) : choice(choice) {}
  TWarningChoice ShowWarnings(const std::vector<WideString>& lines) override {
    shown.push_back(lines);
    return choice;
  }
  TWarningChoice choice;
  std::vector<std::vector<WideString>> shown;
};

}  // namespace orvane::test
