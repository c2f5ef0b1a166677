#pragma once

#include <vector>

#include "platform/Types.h"

namespace orvane {

// Whom the user has written to before. The application reads it from the
// address book and the sent log; the checks ask only when a rule or the
// confirmation needs it.
class RecipientHistory {
 public:
  virtual ~RecipientHistory() = default;
  // The address of every contact of the address book.
  virtual std::vector<WideString> BookAddresses() const = 0;
  // The To and Cc addresses of the account's recent sent-log entries.
  virtual std::vector<WideString> RecentAddresses() const = 0;
};

}  // namespace orvane
