#pragma once

#include <QDialog>
#include <functional>

#include "app/OutboxList.h"

class QPushButton;
class QTableWidget;

namespace orvane {

// "送信待ち": the waiting messages and the buttons 今すぐ送信 (Enter),
// 削除 (Delete), 下書きに戻す and 閉じる (Esc). A draft taken back is
// handed to `takeBack`, and the window closes.
class TOutboxListForm : public QDialog {
 public:
  TOutboxListForm(QWidget* parent, OutboxList& list, SendWindow& sendWindow,
                  std::function<void(const OutboxDraft&)> takeBack);

  // Selects a row, as a click does.
  void SelectRow(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowRows();
  void UpdateButtons();
  // The action on the selected row, the list shown anew afterwards.
  void OnSelected(const std::function<void(std::size_t)>& action);

  OutboxList& list_;
  SendWindow& sendWindow_;
  std::function<void(const OutboxDraft&)> takeBack_;
  QTableWidget* table_ = nullptr;
  QPushButton* sendNow_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* takeBackButton_ = nullptr;
};

}  // namespace orvane
