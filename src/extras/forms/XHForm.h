#pragma once

#include <QDialog>
#include <vector>

#include "extras/XHead.h"
#include "gui/DialogContext.h"

class QCheckBox;
class QTableWidget;
class QTableWidgetItem;

namespace orvane {

// "拡張ヘッダフィールド": a grid of "フィールド" and "値" with buttons to add
// and delete rows; the close button checks and stores the rows.
class TXHFormView : public QDialog {
 public:
  explicit TXHFormView(const DialogContext& context);

  // The window's close box and Escape: changed rows ask first.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowRows(const std::vector<HeaderRow>& rows);
  std::vector<HeaderRow> Rows() const;
  void AddRow();
  void DeleteRows();
  void NameEdited(QTableWidgetItem* item);
  void Closed(const HeaderClose& result);

  TXHForm form_;
  Prompt& prompt_;
  HelpOpener help_;
  QTableWidget* grid_;
  QCheckBox* deliveryNotice_;
  // The names as last accepted, to put back a refused one.
  std::vector<WideString> names_;
  bool loaded_ = false;
};

}  // namespace orvane
