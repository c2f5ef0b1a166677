#include "addressbook/forms/AddressForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "addressbook/forms/BookMenus.h"
#include "addressbook/forms/BookPane.h"
#include "addressbook/forms/GroupTreeWidget.h"
#include "addressbook/forms/SendListForm.h"
#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"
#include "gui/QtText.h"
#include "gui/ShortcutsFirst.h"
#include "gui/StringGrid.h"
#include "gui/WindowPlacement.h"

namespace orvane {
namespace {

WindowGeometry SendListPlace(const IniFileUnit& settings, const QWidget* near) {
  const QRect area = AvailableScreenArea(near);
  return TSendListForm::ReadGeometry(settings, area.right() + 1, area.bottom() + 1);
}

}  // namespace

TAddFormView::TAddFormView(QWidget* parent, const BookServices& services,
                           std::vector<TSendItem>& sendList)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      services_(services),
      form_(services.settings, services.clipboard, sendList) {
  setObjectName(QStringLiteral("AddForm"));
  setWindowTitle(QStringLiteral("アドレス帳"));
  setSizeGripEnabled(true);
  RunGuarded(services_.prompt, [this] { form_.Open(); });

  pane_ = new BookPane(this, form_.Browser(), services_.prompt);
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu"));
  BuildMenus(bar);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("BTN_OK"));
  ok->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar"));
  status->setSizeGripEnabled(false);
  count_ = new QLabel(status);
  count_->setObjectName(QStringLiteral("Count"));
  status->addWidget(new QLabel(status), 1);
  status->addPermanentWidget(count_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setMenuBar(bar);
  layout->addWidget(pane_, 1);
  layout->addWidget(buttons);
  layout->addWidget(status);
  resize(700, 480);

  pane_->OnListChanged = [this] {
    count_->setText(ToQString(form_.Browser().CountText()));
    UpdateMenus();
  };
  pane_->OnActivated = [this] { AddSelected(); };
  connect(pane_->List()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateMenus(); });

  sendList_ =
      new TSendListFormView(this, form_.SendList(), SendListPlace(services_.settings, this));

  pane_->RenderView();
  pane_->RenderTree();
  pane_->RenderList();
  pane_->Tree()->setFocus();
}

TAddFormView::~TAddFormView() = default;

void TAddFormView::BuildMenus(QMenuBar* bar) {
  QMenu* contacts = bar->addMenu(QStringLiteral("アドレス(&A)"));
  contacts->setObjectName(QStringLiteral("MenuAddress"));
  add_ = AddEntry(contacts, "AddToSendList", QStringLiteral("送信リストに追加(&M)"), "Ins",
                  [this] { AddSelected(); });
  // Enter adds as well as Insert.
  add_->setShortcuts(
      {QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  remove_ = AddEntry(contacts, "RemoveFromSendList", QStringLiteral("送信リストから除外(&X)"),
                     "Del", [this] { RemoveCurrent(); });
  clipboard_ = AddListEntries(contacts, pane_, form_.Browser());
  connect(contacts, &QMenu::aboutToShow, this, [this] { UpdateMenus(); });

  const QList<QAction*> first = AddSearchMenu(bar, pane_);
  AddViewMenu(bar, pane_, form_.Browser());
  AddHelpMenu(bar, [this] { ShowDialogHelp(this, services_.help, TAddForm::kHelpTopic); });
  new ShortcutsFirst(this, first);
  for (QAction* action : bar->findChildren<QAction*>()) addAction(action);
}

void TAddFormView::UpdateMenus() {
  const PickerMenuState state = form_.Menu(pane_->Selection());
  add_->setEnabled(state.add);
  for (QAction* action : clipboard_) action->setEnabled(state.add);
  remove_->setEnabled(state.remove);
}

void TAddFormView::AddSelected() {
  form_.AddToSendList(pane_->Selection());
  sendList_->Refresh();
  UpdateMenus();
}

void TAddFormView::RemoveCurrent() {
  sendList_->Grid()->setFocus();
  // Grid row r is the send list's row r + 1, below its header.
  form_.RemoveFromSendList(sendList_->Grid()->CurrentRow() + 1);
  sendList_->Refresh();
  UpdateMenus();
}

void TAddFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  sendList_->show();
}

void TAddFormView::done(int result) {
  if (!closed_) {
    closed_ = true;
    RunGuarded(services_.prompt, [this] { form_.Close(sendList_->Geometry()); });
    sendList_->Release();
  }
  QDialog::done(result);
}

}  // namespace orvane
