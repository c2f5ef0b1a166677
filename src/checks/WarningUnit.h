#pragma once

#include <array>
#include <vector>

#include "checks/WarningRules.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// A tab of the warning settings dialog: a label that focuses its check list,
// and one row per rule of its severity.
struct TWarningTab {
  const char16_t* caption;
  const char16_t* label;
  const char* listName;
  TSeverity severity;
};

inline constexpr std::array<TWarningTab, 3> kWarningTabs{{
    {u"警告", u"次のような場合 [警告] を表示します (&C)", "CLB", TSeverity::Warning},
    {u"注意", u"次のような場合 [注意] を表示します (&C)", "CLB2", TSeverity::Caution},
    {u"情報", u"次のような場合 [情報] を表示します (&C)", "CLB3", TSeverity::Information},
}};

// The controller of the warning settings dialog "警告設定" (TWarningSetForm):
// one tick per rule, read from section Warning when the dialog opens and
// written back only by "OK".
class TWarningSetForm {
 public:
  static constexpr int kHelpTopic = 25;

  // Reads every switch; a missing file leaves every row unticked.
  explicit TWarningSetForm(const IniFileUnit& settings);

  // The rules of a tab's list, in the order of its rows.
  static std::vector<TWarningRule> Rows(TSeverity tab);

  bool Ticked(TWarningRule rule) const { return ticked_[static_cast<size_t>(rule)]; }
  void SetTicked(TWarningRule rule, bool ticked) { ticked_[static_cast<size_t>(rule)] = ticked; }

  // "OK": writes every switch as "1" or "0", tab by tab in row order, in
  // one write of the file (creating it and its section when needed). Throws
  // FileError when the file cannot be written; the file stays as it was.
  void Save() const;

 private:
  const IniFileUnit& settings_;
  std::array<bool, kWarningRuleCount> ticked_{};
};

}  // namespace orvane
