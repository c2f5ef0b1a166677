#pragma once

#include <QDialog>
#include <optional>

#include "addressbook/AdBook.h"
#include "addressbook/forms/BookServices.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace orvane {

class BookPane;

// The address book editor "アドレス帳編集" on screen: the group tree, the
// contact list with its search buttons and the preview, the menus of
// groups, contacts, search, view and help, and "登録: %d 件" in the status
// bar. It opens the contact editor for the controller.
class TBookFormView : public QDialog, public ContactEditor {
 public:
  TBookFormView(QWidget* parent, const BookServices& services);

  TBookForm& Form() { return form_; }
  BookPane* Pane() const { return pane_; }

  // ContactEditor: the contact editor, modal.
  std::optional<AnsiString> EditContact(const AnsiString& id) override;

  void done(int result) override;

 private:
  void BuildMenus(QMenuBar* bar);
  void UpdateMenus();
  void ShowCount();
  // Runs a contact command, then shows the group again with the rows
  // selected that the command leaves selected.
  void ContactCommand(const std::function<void()>& command);
  void MoveContact(bool up);
  void ImportVCard();
  void ExportVCard();

  BookServices services_;
  TBookForm form_;
  BookPane* pane_ = nullptr;
  QLabel* count_ = nullptr;
  QAction* renameGroup_ = nullptr;
  QAction* deleteGroup_ = nullptr;
  QAction* addContact_ = nullptr;
  QAction* importVCard_ = nullptr;
  QList<QAction*> contactEntries_;
  QAction* moveUp_ = nullptr;
  QAction* moveDown_ = nullptr;
  bool closed_ = false;
};

}  // namespace orvane
