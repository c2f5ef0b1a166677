#include "settings/AccountValues.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace orvane {

AccountValues::AccountValues(const IniFileUnit& settings, const AnsiString& account)
    : file_(settings.AccountFile(account).Load()) {}

bool AccountValues::Has(const AccountText& key) const {
  return file_.Find(keys::kAccountSection, key.key).has_value();
}

AnsiString AccountValues::Text(const AccountText& key) const {
  return file_.Find(keys::kAccountSection, key.key, ValueLengthOf(key)).value_or(key.defaultValue);
}

WideString AccountValues::Wide(const AccountText& key) const {
  return SjisToWide(Text(key));
}

bool AccountValues::Bool(const AccountText& key) const {
  return AccountBoolFromText(Text(key));
}

bool AccountValues::HasNone(const AccountWrites& keys) const {
  return std::none_of(keys.begin(), keys.end(),
                      [this](const auto& write) { return Has(write.first); });
}

}  // namespace orvane
