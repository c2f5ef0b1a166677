#include "app/RecipientHistoryFiles.h"

#include "addressbook/AdBookStore.h"
#include "app/AddressInput.h"
#include "app/MailAddUnit.h"
#include "app/SentLog.h"
#include "platform/CodePage.h"

namespace orvane {

namespace {

class HistoryFiles final : public RecipientHistory {
 public:
  HistoryFiles(const IniFileUnit& settings, AnsiString account)
      : settings_(settings), account_(std::move(account)) {}

  std::vector<WideString> BookAddresses() const override {
    return AdBookStore(settings_.AddressFolder()).ContactAddresses();
  }

  std::vector<WideString> RecentAddresses() const override {
    std::vector<WideString> addresses;
    if (account_.empty()) return addresses;
    const std::vector<SentLogEntry> entries =
        ReadSentLogEntries(SentLogIndexPath(settings_, account_));
    const size_t first =
        entries.size() > kRecentSentLogEntries ? entries.size() - kRecentSentLogEntries : 0;
    for (size_t i = first; i < entries.size(); ++i)
      for (const AnsiString* list : {&entries[i].to, &entries[i].cc})
        for (const WideString& entry : SplitRecipientEntries(SjisToWide(*list)))
          if (WideString address = ExtractAddress(entry, true, true); !address.empty())
            addresses.push_back(std::move(address));
    return addresses;
  }

 private:
  IniFileUnit settings_;
  AnsiString account_;
};

}  // namespace

std::shared_ptr<const RecipientHistory> RecipientHistoryFiles(const IniFileUnit& settings,
                                                              const AnsiString& account) {
  return std::make_shared<HistoryFiles>(settings, account);
}

}  // namespace orvane
