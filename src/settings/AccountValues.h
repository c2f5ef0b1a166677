#pragma once

#include <utility>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "settings/ProfileText.h"

namespace orvane {

// Keys of section Account with the texts to store.
using AccountWrites = std::vector<std::pair<AccountText, AnsiString>>;

// Section Account of one account file as it is when read: read once, so
// that what a dialog shows comes from one state of the file. A missing
// file reads as an empty one.
class AccountValues {
 public:
  AccountValues(const IniFileUnit& settings, const AnsiString& account);

  bool Has(const AccountText& key) const;
  // The stored text, or the key's declared default.
  AnsiString Text(const AccountText& key) const;
  WideString Wide(const AccountText& key) const;
  // An account boolean; throws ConvertError for other text.
  bool Bool(const AccountText& key) const;
  // Whether the file holds none of the keys: the settings they make up were
  // never saved.
  bool HasNone(const AccountWrites& keys) const;

 private:
  ProfileText file_;
};

}  // namespace orvane
