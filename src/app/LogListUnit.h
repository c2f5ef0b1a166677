#pragma once

#include <filesystem>
#include <vector>

#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// One row of the report list: 送信時刻, 送信先, 件名, ログファイル名.
struct SentLogRow {
  WideString dateTime;
  WideString to;
  WideString subject;
  WideString fileName;
  bool operator==(const SentLogRow&) const = default;
};

// The sent-log viewer's model: the accounts that have sent (one index file
// each in "SendedLog") and the entries of the account clicked. Nothing is
// kept between clicks: the index is read again each time.
class SentLogList {
 public:
  static constexpr int kHelpTopic = 30;

  // Creates "SendedLog" when it is missing (FileError when it cannot be
  // made) and lists the names of its ".dat" files without the extension,
  // in directory-listing order.
  SentLogList(const IniFileUnit& settings, Shell& shell, Prompt& prompt);

  const std::vector<WideString>& Accounts() const { return accounts_; }
  const std::vector<SentLogRow>& Rows() const { return rows_; }

  // An account of the list clicked: its entries, or, when its index file
  // is gone, no rows and "ログファイルが見つかりません".
  void AccountClicked(int account);
  // "表示": opens the row's log file with the shell, or says that it is
  // missing; a row outside the list (none selected) does nothing.
  void ShowLog(int row) const;

 private:
  std::filesystem::path folder_;
  Shell& shell_;
  Prompt& prompt_;
  std::vector<std::filesystem::path> indexFiles_;
  std::vector<WideString> accounts_;
  std::vector<SentLogRow> rows_;
};

}  // namespace orvane
