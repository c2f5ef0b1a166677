#include "checks/WarningUnit.h"

namespace orvane {

TWarningSetForm::TWarningSetForm(const IniFileUnit& settings) : settings_(settings) {
  for (const TWarningRuleInfo& info : kWarningRules) SetTicked(info.rule, settings_.Read(info.key));
}

std::vector<TWarningRule> TWarningSetForm::Rows(TSeverity tab) {
  std::vector<TWarningRule> rows;
  for (const TWarningRuleInfo& info : kWarningRules)
    if (info.severity == tab) rows.push_back(info.rule);
  return rows;
}

void TWarningSetForm::Save() const {
  settings_.GeneralFile().Update([this](ProfileText& profile) {
    for (const TWarningTab& tab : kWarningTabs) {
      for (TWarningRule rule : Rows(tab.severity)) {
        const GeneralBool& key = RuleInfo(rule).key;
        profile.Set(key.section, key.key, Ticked(rule) ? "1" : "0");
      }
    }
  });
}

}  // namespace orvane
