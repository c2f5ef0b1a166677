#pragma once

#include <QDialog>
#include <vector>

#include "addressbook/Address.h"
#include "addressbook/forms/BookServices.h"

class QAction;
class QLabel;
class QMenuBar;

namespace orvane {

class BookPane;
class TSendListFormView;

// The recipient picker "アドレス帳" on screen, on top of other windows: the
// address book read-only, its contacts added to the send list, whose window
// it shows beside itself while it is open. The caller's list holds the
// recipients before and after.
class TAddFormView : public QDialog {
 public:
  TAddFormView(QWidget* parent, const BookServices& services, std::vector<TSendItem>& sendList);
  ~TAddFormView() override;

  TAddForm& Form() { return form_; }
  BookPane* Pane() const { return pane_; }
  TSendListFormView* SendListWindow() const { return sendList_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus(QMenuBar* bar);
  void UpdateMenus();
  void AddSelected();
  void RemoveCurrent();

  BookServices services_;
  TAddForm form_;
  BookPane* pane_ = nullptr;
  TSendListFormView* sendList_ = nullptr;
  QLabel* count_ = nullptr;
  QAction* add_ = nullptr;
  QAction* remove_ = nullptr;
  QList<QAction*> clipboard_;
  bool closed_ = false;
};

}  // namespace orvane
