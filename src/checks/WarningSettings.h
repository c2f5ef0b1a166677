#pragma once

#include <array>
#include <vector>

#include "checks/WarningRules.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The rules' switches (section Warning) and parameters (section WOption),
// read afresh for every evaluation so that a change made by hand or by the
// settings dialog counts at the next send.
struct TWarningSettings {
  std::array<bool, kWarningRuleCount> on{};
  int lineLength = keys::kLineLength.defaultValue;
  int attachTotalSize = keys::kAttachTotalSize.defaultValue;  // KiB
  // The built-in entries followed by those of the WOption lists.
  std::vector<WideString> extensions;
  std::vector<WideString> mobileDomains;
  std::vector<WideString> mailingListDomains;
  std::vector<WideString> attachWords;

  bool On(TWarningRule rule) const { return on[static_cast<size_t>(rule)]; }
  // Whether a rule that is on reads the message body.
  bool ReadsBody() const {
    return On(TWarningRule::Body) || On(TWarningRule::LineLength) ||
           On(TWarningRule::AttachReminder) || On(TWarningRule::DependChar);
  }
};

// A switch that is not a number is off; a LineLength or AttachTotalSize that
// is not a number, or a negative AttachTotalSize, is the default.
TWarningSettings ReadWarningSettings(const IniFileUnit& settings);

}  // namespace orvane
