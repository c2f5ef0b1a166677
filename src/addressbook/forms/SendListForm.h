#pragma once

#include <QWidget>
#include <array>

#include "addressbook/SendListUnit.h"

class QLabel;

namespace orvane {

class TStringGrid;

// The send list window "送信先のリスト": a small window that stays on top
// beside the picker, with the grid of the chosen recipients (the kind a
// drop-down list, name and address typed in place) and the counts by kind
// in its status bar. The user cannot close it: it goes with the picker.
class TSendListFormView : public QWidget {
 public:
  TSendListFormView(QWidget* picker, TSendListForm& form, const WindowGeometry& geometry);

  // RefreshSendList: the grid and the counts from the list.
  void Refresh();
  TStringGrid* Grid() const { return grid_; }
  WindowGeometry Geometry() const;
  // The picker releases the window: it closes now.
  void Release();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TSendListForm& form_;
  TStringGrid* grid_ = nullptr;
  std::array<QLabel*, 4> panels_{};
  bool released_ = false;
};

}  // namespace orvane
