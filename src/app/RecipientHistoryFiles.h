#pragma once

#include <memory>

#include "checks/RecipientHistory.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// How many of the account's last sent-log entries count as recent.
inline constexpr size_t kRecentSentLogEntries = 500;

// Whom the user wrote to before, read from the files when first asked: the
// address book's contact files and the To and Cc of the account's last
// kRecentSentLogEntries sent-log entries.
std::shared_ptr<const RecipientHistory> RecipientHistoryFiles(const IniFileUnit& settings,
                                                              const AnsiString& account);

}  // namespace orvane
