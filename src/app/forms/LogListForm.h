#pragma once

#include <QDialog>

#include "app/LogListUnit.h"
#include "gui/HelpWindow.h"

class QListWidget;
class QTableWidget;

namespace orvane {

// "送信ログ": the accounts that have sent on the left, the entries of the
// one clicked on the right; "表示" opens the selected entry's log file,
// "OK" closes, the help button opens topic 30.
class TFmLogList : public QDialog {
 public:
  TFmLogList(QWidget* parent, SentLogList& list, HelpOpener openHelp);

  // Selects the account of that row and shows its entries, as a click does.
  void ShowAccount(int row);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowRows();
  void ShowSelectedLog();

  SentLogList& list_;
  QListWidget* accounts_ = nullptr;
  QTableWidget* entries_ = nullptr;
};

}  // namespace orvane
