#pragma once

#include "checks/CheckWarnings.h"

namespace orvane {

// The pre-send rules' lines on standard error. With strict, a [警告] line
// stops the send; otherwise the send goes on after them.
class StderrWarnings final : public WarningDisplay {
 public:
  explicit StderrWarnings(bool strict) : strict_(strict) {}
  TWarningChoice ShowWarnings(const std::vector<WideString>& lines) override;

 private:
  bool strict_;
};

}  // namespace orvane
