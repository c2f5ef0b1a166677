#include "addressbook/forms/AdBookForm.h"

#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "addressbook/EditAdrUnit.h"
#include "addressbook/forms/BookMenus.h"
#include "addressbook/forms/BookPane.h"
#include "addressbook/forms/EditAdrForm.h"
#include "addressbook/forms/GroupTreeWidget.h"
#include "addressbook/forms/MailItemModel.h"
#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"
#include "gui/QtText.h"
#include "gui/ShortcutsFirst.h"

namespace orvane {
namespace {

const QString kVCardFilter = QStringLiteral("vCard (*.vcf *.vcard)");

}  // namespace

TBookFormView::TBookFormView(QWidget* parent, const BookServices& services)
    : QDialog(parent),
      services_(services),
      form_(services.settings, services.clipboard, services.prompt, *this) {
  setObjectName(QStringLiteral("BookForm"));
  setWindowTitle(QStringLiteral("アドレス帳編集"));
  setSizeGripEnabled(true);
  RunGuarded(services_.prompt, [this] { form_.Open(); });

  pane_ = new BookPane(this, form_.Browser(), services_.prompt);
  pane_->Model()->SetDragEnabled(true);
  pane_->Tree()->EnableDrops();
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu"));
  BuildMenus(bar);

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar"));
  status->setSizeGripEnabled(false);
  auto* hints = new QLabel(status);
  count_ = new QLabel(status);
  count_->setObjectName(QStringLiteral("Count"));
  status->addWidget(hints, 1);
  status->addPermanentWidget(count_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setMenuBar(bar);
  layout->addWidget(pane_, 1);
  layout->addWidget(status);
  resize(760, 520);

  pane_->OnListChanged = [this] {
    ShowCount();
    UpdateMenus();
  };
  pane_->OnActivated = [this] {
    ContactCommand([this] { form_.EditContact(pane_->Selection()); });
  };
  connect(pane_->List()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateMenus(); });
  pane_->Tree()->OnDropGroup = [this](const WideString& group, const WideString& target) {
    if (form_.DropGroup(group, target)) pane_->RenderTree();
  };
  pane_->Tree()->OnDropContacts = [this](const WideString& target) {
    RunGuarded(services_.prompt, [&] { form_.DropContacts(pane_->Selection(), target); });
    pane_->RenderTree();
    pane_->RenderList();
  };

  pane_->RenderView();
  pane_->RenderTree();
  pane_->RenderList();
  pane_->Tree()->setFocus();
}

void TBookFormView::BuildMenus(QMenuBar* bar) {
  QMenu* groups = bar->addMenu(QStringLiteral("グループ(&G)"));
  groups->setObjectName(QStringLiteral("MenuGroup"));
  AddEntry(groups, "AddGroup", QStringLiteral("グループ追加 (&A)"), "", [this] {
    RunGuarded(services_.prompt, [this] {
      if (form_.AddGroup(pane_->Tree()->SelectedGroup())) pane_->RenderTree();
    });
  });
  renameGroup_ = AddEntry(groups, "RenameGroup", QStringLiteral("グループ名変更(&M)"), "", [this] {
    if (auto group = pane_->Tree()->SelectedGroup()) {
      RunGuarded(services_.prompt, [&] {
        if (form_.RenameGroup(*group)) pane_->RenderTree();
      });
    }
  });
  deleteGroup_ = AddEntry(groups, "DeleteGroup", QStringLiteral("グループ削除 (&D)"), "", [this] {
    if (auto group = pane_->Tree()->SelectedGroup()) {
      RunGuarded(services_.prompt, [&] {
        if (!form_.DeleteGroup(*group)) return;
        pane_->RenderTree();
        pane_->RenderList();
      });
    }
  });
  groups->addSeparator();
  AddEntry(groups, "Close", QStringLiteral("閉じる (&X)"), "Alt+F4", [this] { close(); });

  QMenu* contacts = bar->addMenu(QStringLiteral("アドレス(&A)"));
  contacts->setObjectName(QStringLiteral("MenuAddress"));
  addContact_ = AddEntry(contacts, "AddContact", QStringLiteral("アドレス追加(&M)"), "Ins",
                         [this] { ContactCommand([this] { form_.AddContact(); }); });
  QAction* edit = AddEntry(contacts, "EditContact", QStringLiteral("アドレス編集(&P)"), "", [this] {
    ContactCommand([this] { form_.EditContact(pane_->Selection()); });
  });
  edit->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
  contactEntries_ << edit;
  contactEntries_ << AddEntry(
      contacts, "CopyContact", QStringLiteral("アドレス複写(&H)"), "",
      [this] { ContactCommand([this] { form_.CopyContacts(pane_->Selection()); }); });
  contactEntries_ << AddEntry(
      contacts, "DeleteContact", QStringLiteral("アドレス削除(&X)"), "Del",
      [this] { ContactCommand([this] { form_.DeleteContacts(pane_->Selection()); }); });
  contactEntries_ << AddListEntries(contacts, pane_, form_.Browser());
  contacts->addSeparator();
  moveUp_ = AddEntry(contacts, "MoveUp", QStringLiteral("上へ移動(&U)"), "Alt+U",
                     [this] { MoveContact(true); });
  moveDown_ = AddEntry(contacts, "MoveDown", QStringLiteral("下へ移動(&D)"), "Alt+D",
                       [this] { MoveContact(false); });
  contacts->addSeparator();
  importVCard_ = AddEntry(contacts, "ImportVCard", QStringLiteral("vCardを読み込む..."), "",
                          [this] { ImportVCard(); });
  contactEntries_ << AddEntry(contacts, "ExportVCard", QStringLiteral("vCardに書き出す..."), "",
                              [this] { ExportVCard(); });

  QList<QAction*> first = AddSearchMenu(bar, pane_);
  AddViewMenu(bar, pane_, form_.Browser());
  AddHelpMenu(bar, [this] { ShowDialogHelp(this, services_.help, TBookForm::kHelpTopic); });
  first << moveUp_ << moveDown_;
  new ShortcutsFirst(this, first);
  for (QMenu* menu : {groups, contacts})
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateMenus(); });
  for (QAction* action : bar->findChildren<QAction*>()) addAction(action);
}

void TBookFormView::UpdateMenus() {
  const bool group = pane_->Tree()->SelectedGroup().has_value();
  for (QAction* action : {renameGroup_, deleteGroup_, addContact_, importVCard_})
    action->setEnabled(group);
  const ContactMenuState state = form_.ContactMenu(pane_->Selection());
  for (QAction* action : contactEntries_) action->setEnabled(state.edit);
  moveUp_->setEnabled(state.up);
  moveDown_->setEnabled(state.down);
}

void TBookFormView::ShowCount() {
  count_->setText(ToQString(form_.Browser().CountText()));
}

void TBookFormView::ContactCommand(const std::function<void()>& command) {
  const ListSelection selection = pane_->Selection();
  RunGuarded(services_.prompt, command);
  pane_->RenderList();
  // The rows that are still there stay selected.
  ListSelection kept;
  for (size_t row : selection)
    if (row < form_.Browser().Items().size()) kept.push_back(row);
  if (!kept.empty()) pane_->Select(kept, kept.front());
}

void TBookFormView::MoveContact(bool up) {
  std::optional<size_t> row;
  const ListSelection selection = pane_->Selection();
  RunGuarded(services_.prompt,
             [&] { row = up ? form_.MoveUp(selection) : form_.MoveDown(selection); });
  if (!row) return;
  pane_->RenderList();
  pane_->Select({*row}, *row);
}

void TBookFormView::ImportVCard() {
  if (!form_.Browser().CurrentGroup()) return;
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("vCardを読み込む"),
                                                    QString(), kVCardFilter);
  if (file.isEmpty()) return;
  ContactCommand([&] { form_.ImportVCard(QStringToPath(file)); });
}

void TBookFormView::ExportVCard() {
  const ListSelection selection = pane_->Selection();
  if (selection.empty()) return;
  const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("vCardに書き出す"),
                                                    QStringLiteral("address.vcf"), kVCardFilter);
  if (file.isEmpty()) return;
  RunGuarded(services_.prompt, [&] { form_.ExportVCard(selection, QStringToPath(file)); });
}

std::optional<AnsiString> TBookFormView::EditContact(const AnsiString& id) {
  TEditAdrForm editor(form_.Browser().Store(), services_.clock, services_.shell, services_.prompt);
  editor.ContactId = id;
  editor.Open();
  TEditAdrFormView view(this, editor, services_);
  view.exec();
  if (!editor.Saved) return std::nullopt;
  return editor.ContactId;
}

void TBookFormView::done(int result) {
  if (!closed_) {
    closed_ = true;
    RunGuarded(services_.prompt, [this] { form_.Close(); });
  }
  QDialog::done(result);
}

}  // namespace orvane
