#include "app/forms/MainFormView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "addressbook/forms/AdBookForm.h"
#include "addressbook/forms/AddressForm.h"
#include "app/DefaultMailer.h"
#include "app/forms/EncodeForm.h"
#include "app/forms/LogListForm.h"
#include "app/forms/OptionForm.h"
#include "app/forms/OutboxPanel.h"
#include "app/forms/SendFormView.h"
#include "app/forms/ToolBarCustmForm.h"
#include "app/forms/VersionForm.h"
#include "checks/forms/ConfirmFormView.h"
#include "checks/forms/ConfirmSetFormView.h"
#include "checks/forms/WarningFormView.h"
#include "checks/forms/WarningSetFormView.h"
#include "extras/forms/AttachCopy.h"
#include "extras/forms/AttachForm.h"
#include "extras/forms/SigForm.h"
#include "extras/forms/XHForm.h"
#include "gui/DialogFrame.h"
#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"
#include "gui/MenuBuilder.h"
#include "gui/QtText.h"
#include "oauth/SignIn.h"
#include "settings/forms/AccountFormView.h"

namespace orvane {

namespace {

bool animationsEnabled = true;

constexpr int kClientWidth = 477;
constexpr int kClientHeight = 144;
constexpr int kOpenMilliseconds = 300;
constexpr int kCloseMilliseconds = 500;
constexpr int kHelpTopic = 1;
const QSize kToolButtonSize(23, 22);

// The documented size of a control is its least size: a larger font makes
// it larger, so that its text is never cut.
void AtLeast(QWidget* widget, int width, int height) {
  widget->setMinimumSize(width, height);
  widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QToolButton* SmallButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  AtLeast(button, 22, 21);
  return button;
}

QRect CentrePoint(const QRect& rect) {
  return QRect(rect.center(), QSize(1, 1));
}

}  // namespace

TOrvaneMainFormView::TOrvaneMainFormView(TOrvaneMainForm& form, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::WindowStaysOnTopHint),
      form_(form),
      actions_(this) {
  setObjectName(QStringLiteral("OrvaneMainForm"));
  setWindowTitle(ToQString(form_.Caption()));
  BuildControls();
  BuildMenus();
  BuildStatusBar();
  outbox_ =
      new TOutboxPanel(*this, form_, *this, *this, [this](const QString& text) { ShowHint(text); });
  ConnectActions();
  setFixedSize(WindowSize());
  form_.OnChanged = [this] { Render(); };
  form_.OnStatusMessage = [this](const WideString& text) { ShowHint(ToQString(text)); };
  form_.SetWarningDisplay(this);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          &TOrvaneMainFormView::OnApplicationStateChanged);
}

TOrvaneMainFormView::~TOrvaneMainFormView() {
  form_.OnChanged = nullptr;
  form_.OnStatusMessage = nullptr;
  form_.SetWarningDisplay(nullptr);
  WaitForSendWorkers(mainThread_);
}

void TOrvaneMainFormView::SetAnimationsEnabled(bool enabled) {
  animationsEnabled = enabled;
}

QSize TOrvaneMainFormView::WindowSize() const {
  // The client area lies below the menu bar, which Qt counts as part of the
  // window. The documented size is the least: the window grows to what its
  // controls need at the font in use.
  ensurePolished();
  const QSize documented(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  // The main window's layout leaves the status bar's panels out of its width.
  const int width = std::max(minimumSizeHint().width(), statusBar()->minimumSizeHint().width());
  return documented.expandedTo(QSize(width, sizeHint().height()));
}

void TOrvaneMainFormView::BuildControls() {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("TB"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(16, 16));
  addToolBar(toolBar_);

  auto* client = new QWidget(this);
  auto* columns = new QHBoxLayout(client);
  columns->setContentsMargins(4, 0, 4, 2);
  columns->setSpacing(6);
  auto* groups = new QVBoxLayout;
  groups->setSpacing(0);
  columns->addLayout(groups, 1);

  auto* sendGroup = new QGroupBox(QStringLiteral("送信先"), client);
  sendGroup->setObjectName(QStringLiteral("GroupSend"));
  auto* sendRow = new QHBoxLayout(sendGroup);
  sendRow->setContentsMargins(4, 0, 4, 3);
  sendRow->setSpacing(2);
  toButton_ = new QToolButton(sendGroup);
  toButton_->setObjectName(QStringLiteral("SB_To"));
  toButton_->setAutoRaise(true);
  toButton_->setCursor(Qt::PointingHandCursor);
  AtLeast(toButton_, 34, 21);
  toButton_->setContextMenuPolicy(Qt::CustomContextMenu);
  SetHint(toButton_, QStringLiteral("送信先切り替え"));
  toEdit_ = new QLineEdit(sendGroup);
  toEdit_->setObjectName(QStringLiteral("EDIT_To"));
  toEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
  SetHint(toEdit_, QStringLiteral("送信先"));
  QToolButton* inputAddress =
      SmallButton(QStringLiteral("BTN_InputToAddress"), QStringLiteral("..."), sendGroup);
  SetHint(inputAddress, ToQString(ActionInfoOf(ActionId::InputToaddress).hint));
  connect(inputAddress, &QToolButton::clicked, actions_.Action(ActionId::InputToaddress),
          &QAction::trigger);
  sendRow->addWidget(toButton_);
  sendRow->addWidget(toEdit_, 1);
  sendRow->addWidget(inputAddress);
  groups->addWidget(sendGroup);

  auto* subjectGroup = new QGroupBox(QStringLiteral("件名"), client);
  subjectGroup->setObjectName(QStringLiteral("GroupSubject"));
  auto* subjectRow = new QHBoxLayout(subjectGroup);
  subjectRow->setContentsMargins(4, 0, 4, 3);
  subjectRow->setSpacing(2);
  subjectEdit_ = new QLineEdit(subjectGroup);
  subjectEdit_->setObjectName(QStringLiteral("EDIT_Subject"));
  subjectEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
  SetHint(subjectEdit_, QStringLiteral("件名"));
  QToolButton* bodyFile =
      SmallButton(QStringLiteral("Button1"), QStringLiteral("..."), subjectGroup);
  SetHint(bodyFile, QStringLiteral("本文ファイルの指定"));
  connect(bodyFile, &QToolButton::clicked, this, [this] { Guarded([this] { ChooseBodyFile(); }); });
  subjectRow->addWidget(subjectEdit_, 1);
  subjectRow->addWidget(bodyFile);
  groups->addWidget(subjectGroup);

  auto* buttons = new QVBoxLayout;
  buttons->setContentsMargins(0, 8, 0, 0);
  auto* send = new QPushButton(QStringLiteral("送信"), client);
  send->setObjectName(QStringLiteral("BTM_Send"));
  SetHint(send, QStringLiteral("送信します"));
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), client);
  cancel->setObjectName(QStringLiteral("BTM_Cancel"));
  SetHint(cancel, ToQString(ActionInfoOf(ActionId::Exit).hint));
  connect(cancel, &QPushButton::clicked, actions_.Action(ActionId::Exit), &QAction::trigger);
  connect(send, &QPushButton::clicked, this, [this] {
    Guarded([this] {
      form_.Send(*this, this);
      outbox_->Refresh();
    });
  });
  for (QPushButton* button : {send, cancel}) {
    AtLeast(button, 75, 25);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  columns->addLayout(buttons);
  setCentralWidget(client);

  connect(toButton_, &QToolButton::clicked, this,
          [this] { Guarded([this] { form_.ToButtonClicked(); }); });
  connect(toEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Guarded([&] { form_.AddressFieldEdited(ToWide(text)); });
  });
  connect(subjectEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Guarded([&] { form_.SubjectEdited(ToWide(text)); }); });
  connect(toButton_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowPopup(sendPopup_, toButton_, at); });
  connect(toEdit_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowPopup(editToPopup_, toEdit_, at); });
  connect(subjectEdit_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowPopup(subjectPopup_, subjectEdit_, at); });
  toEdit_->setFocus();
  setAcceptDrops(true);
  toEdit_->installEventFilter(this);
  subjectEdit_->installEventFilter(this);
}

void TOrvaneMainFormView::BuildMenus() {
  auto onCommand = [this](MenuCommand command, int tag) { RunCommand(command, tag); };
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MM"));
  for (const MenuEntry& entry : MainMenuBar()) {
    QMenu* menu = bar->addMenu(QString());
    FillMenu(menu, entry, actions_, onCommand);
  }
  if (auto* item = bar->findChild<QAction*>(QLatin1String(kDefaultMailerItem)))
    item->setVisible(form_.Services().desktopMime->Available());
  if (auto* accounts = bar->findChild<QMenu*>(QStringLiteral("A1")))
    connect(accounts, &QMenu::aboutToShow, this,
            [this] { Guarded([this] { RebuildAccountList(); }); });

  auto makePopup = [&](const MenuEntry& entry) {
    auto* popup = new QMenu(this);
    FillMenu(popup, entry, actions_, onCommand);
    // A popup is a window of its own: its hints do not reach this one.
    connect(popup, &QMenu::hovered, this,
            [this](QAction* action) { ShowHint(action->statusTip()); });
    return popup;
  };
  sendPopup_ = makePopup(SendPopup());
  editToPopup_ = makePopup(EditToPopup());
  connect(editToPopup_, &QMenu::aboutToShow, this, [this] { RebuildFavourites(); });
  subjectPopup_ = makePopup(SubjectPopup());
}

void TOrvaneMainFormView::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("SB"));
  bar->setSizeGripEnabled(false);
  // The widest text each panel shows: a panel is as wide as documented, or
  // wider when the font needs it. The hints are cut to the first panel.
  static const QString kWidestTexts[kStatusPanelCount] = {QString(),
                                                          QStringLiteral("BCC"),
                                                          QStringLiteral("BCC"),
                                                          QStringLiteral("In"),
                                                          QStringLiteral("In"),
                                                          QStringLiteral("添付"),
                                                          QStringLiteral("00:00:00")};
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* panel = new QLabel(kWidestTexts[i], bar);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(
        std::max(kStatusPanelWidths[static_cast<size_t>(i)], panel->sizeHint().width()));
    panel->setSizePolicy(i == 0 ? QSizePolicy::Ignored : QSizePolicy::Fixed,
                         QSizePolicy::Preferred);
    panel->clear();
    const bool centred = i != 0 && i != 5;
    panel->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    bar->addWidget(panel, i == 0 ? 1 : 0);
    panels_[static_cast<size_t>(i)] = panel;
  }
  clockTimer_ = new QTimer(this);
  clockTimer_->setObjectName(QStringLiteral("Timer"));
  clockTimer_->setInterval(1000);
  connect(clockTimer_, &QTimer::timeout, this, [this] { form_.TickClock(); });
}

void TOrvaneMainFormView::ConnectActions() {
  for (const ActionInfo& info : MainActions()) {
    const ActionId id = info.id;
    connect(actions_.Action(id), &QAction::triggered, this, [this, id] { RunAction(id); });
    addAction(actions_.Action(id));  // shortcuts work without a menu open
  }
}

void TOrvaneMainFormView::Start() {
  form_.TickClock();
  clockTimer_->start();
  outbox_->Start();
  startError_ = form_.Create(*this);
  Render();
  ShowHint(ToQString(form_.Panel(0)));
  if (!isVisible()) show();
  toEdit_->setFocus();
  if (startError_) {
    QTimer::singleShot(0, this, [this] {
      if (startError_) ShowError(*std::exchange(startError_, std::nullopt));
    });
  }
}

void TOrvaneMainFormView::MoveTo(int left, int top) {
  move(left, top);
}

void TOrvaneMainFormView::ShowAnimated() {
  if (!animationsEnabled) {
    show();
    activateWindow();
    return;
  }
  const QRect full(geometry().topLeft(), WindowSize());
  setMinimumSize(1, 1);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setGeometry(CentrePoint(full));
  show();
  activateWindow();
  AnimateGeometry(CentrePoint(full), full, kOpenMilliseconds,
                  [this] { setFixedSize(WindowSize()); });
}

void TOrvaneMainFormView::AnimateGeometry(const QRect& from, const QRect& to, int milliseconds,
                                          const std::function<void()>& done) {
  auto* animation = new QPropertyAnimation(this, "geometry", this);
  animation->setDuration(milliseconds);
  animation->setStartValue(from);
  animation->setEndValue(to);
  animating_ = true;
  connect(animation, &QPropertyAnimation::finished, this, [this, done] {
    animating_ = false;
    done();
  });
  animation->start(QAbstractAnimation::DeleteWhenStopped);
}

TWarningChoice TOrvaneMainFormView::ShowWarnings(const std::vector<WideString>& lines) {
  TWarningFormView dialog(Context(), TWarningForm(lines));
  dialog.exec();
  return dialog.Choice();
}

void TOrvaneMainFormView::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  event->ignore();
  if (closing_) return;
  closing_ = true;
  if (auto failure = form_.Close(pos().x(), pos().y())) ShowError(*failure);
  outbox_->TellWaitingOnClose();
  auto finish = [this] {
    closed_ = true;
    close();
  };
  if (!animationsEnabled || !isVisible()) {
    // Closing again from inside this close would be refused.
    QTimer::singleShot(0, this, finish);
    return;
  }
  const QRect full = geometry();
  setMinimumSize(1, 1);
  AnimateGeometry(full, CentrePoint(full), kCloseMilliseconds, finish);
}

bool TOrvaneMainFormView::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  const bool handled = QMainWindow::event(event);
  // A control asks for more room (another font, a rebuilt toolbar): the
  // window follows unless it is growing or shrinking, which ends at the
  // size it needs.
  if (event->type() == QEvent::LayoutRequest && !animating_ && !closing_)
    setFixedSize(WindowSize());
  return handled;
}

void TOrvaneMainFormView::ShowHint(const QString& hint) {
  QLabel* panel = panels_[0];
  const int room = panel->contentsRect().width() - 2 * panel->margin();
  const QString shown = panel->fontMetrics().elidedText(hint, Qt::ElideRight, room);
  panel->setText(shown);
  // A cut text is there in full when the pointer rests on it.
  panel->setToolTip(shown == hint ? QString() : hint);
}

void TOrvaneMainFormView::Guarded(const std::function<void()>& action) {
  RunGuarded(this, action);
  // A failed action may have left a toggle or a field out of step.
  Render();
}

void TOrvaneMainFormView::RenderField(QLineEdit* field, const WideString& text) {
  const QString shown = ToQString(text);
  if (field->text() != shown) field->setText(shown);
}

void TOrvaneMainFormView::Render() {
  setWindowTitle(ToQString(form_.Caption()));
  toButton_->setText(ToQString(form_.ToButtonCaption()));
  RenderField(toEdit_, form_.AddressFieldText());
  RenderField(subjectEdit_, form_.Draft.Subject);
  for (int i = 1; i < kStatusPanelCount; ++i)
    panels_[static_cast<size_t>(i)]->setText(ToQString(form_.Panel(i)));
  actions_.Action(ActionId::PostSelf)->setChecked(form_.Draft.PostSelf);
  actions_.Action(ActionId::Dispostition)->setChecked(form_.Draft.Disposition);
  static constexpr const char* kPriorityItems[] = {"N11", "N21", "N31", "N41", "N51"};
  const auto priority = static_cast<size_t>(form_.Draft.Priority);
  if (auto* item = menuBar()->findChild<QAction*>(QLatin1String(kPriorityItems[priority])))
    item->setChecked(true);
  if (shownToolBar_ != form_.ToolBar()) RenderToolBar();
}

void TOrvaneMainFormView::RenderToolBar() {
  toolBar_->clear();
  qDeleteAll(toolBarItems_);
  toolBarItems_.clear();
  const ToolBarLayout& layout = form_.ToolBar();
  for (int code : layout.codes) {
    if (code == 0) {
      toolBarItems_.push_back(toolBar_->addSeparator());
      continue;
    }
    auto* button = new QToolButton(toolBar_);
    button->setFixedSize(kToolButtonSize);
    button->setAutoRaise(layout.flat);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (auto action = ActionOfToolBarCode(code)) button->setDefaultAction(actions_.Action(*action));
    button->setProperty("code", code);
    toolBarItems_.push_back(button);
    toolBarItems_.push_back(toolBar_->addWidget(button));
  }
  shownToolBar_ = layout;
}

void TOrvaneMainFormView::RunAction(ActionId id) {
  Guarded([&] {
    switch (id) {
      case ActionId::PostSelf:
        form_.TogglePostSelf();
        break;
      case ActionId::Dispostition:
        form_.ToggleDisposition();
        break;
      case ActionId::SetTo:
        form_.ShowList(ShownList::To);
        break;
      case ActionId::SetCc:
        form_.ShowList(ShownList::Cc);
        break;
      case ActionId::SetBcc:
        form_.ShowList(ShownList::Bcc);
        break;
      case ActionId::Exit:
        close();
        break;
      case ActionId::ReplyTo:
        AskHeaderText(form_.ReplyToInput(), &TOrvaneMainForm::SetReplyToText);
        break;
      case ActionId::InReplyTo:
        AskHeaderText(form_.InReplyToInput(), &TOrvaneMainForm::SetInReplyToText);
        break;
      case ActionId::Version: {
        TVersionForm dialog(this, form_);
        dialog.exec();
        break;
      }
      case ActionId::Warning: {
        TWarningSetFormView(Context()).exec();
        break;
      }
      case ActionId::HelpContents:
        ShowHelpTopic(this, form_.HelpBookIndex(), kHelpTopic);
        break;
      case ActionId::Readme:
        form_.OpenReadme();
        break;
      case ActionId::AttachSet:
        OpenAttachForm();
        break;
      case ActionId::Option:
        TOptionFormView(Context()).exec();
        break;
      case ActionId::Encode:
        TEncodeFormView(Context()).exec();
        break;
      case ActionId::SignSet:
        TSigFormView(Context()).exec();
        break;
      case ActionId::TempSet:
        TTemplateFormView(Context()).exec();
        break;
      case ActionId::XHeaderSet:
        TXHFormView(Context()).exec();
        break;
      case ActionId::ToolBar:
        // Whichever way the dialog closes, the toolbar is built again.
        TToolBarCustmFormView(Context()).exec();
        form_.BuildToolBar();
        break;
      case ActionId::AddressBook:
        OpenAddressBook();
        break;
      case ActionId::InputToaddress:
        InputToAddress();
        break;
      case ActionId::AcountSet:
        OpenAccountDialog();
        break;
      case ActionId::AccountAdd:
        if (form_.AddAccount()) OpenAccountDialog();
        break;
      case ActionId::AccountNameChange:
        form_.RenameAccount();
        break;
      case ActionId::AccountDelete:
        form_.DeleteAccount();
        break;
      case ActionId::FileMake:
        form_.FileMake();
        break;
    }
  });
}

DialogContext TOrvaneMainFormView::Context() {
  return DialogContext{
      this,
      form_.Settings(),
      form_.Services().prompt,
      form_.Services().clock,
      [this](QWidget* owner, int topic) { ShowHelpTopic(owner, form_.HelpBookIndex(), topic); },
      form_.AccountName};
}

void TOrvaneMainFormView::OpenAttachForm() {
  {
    TAttachFormView dialog(Context());
    dialog.exec();
  }
  form_.UpdateAttachPanel();
}

bool TOrvaneMainFormView::AttachDropped(QDropEvent* event) {
  const auto paths = DroppedFiles(event->mimeData());
  if (paths.empty()) return false;
  event->acceptProposedAction();
  // The drop is released first: the desktop waits for it, not for the copy.
  QTimer::singleShot(0, this, [this, paths] {
    Guarded([&] {
      AttachFiles(this, TAttachForm(form_.Settings()), form_.Services().prompt, paths);
      form_.UpdateAttachPanel();
    });
  });
  return true;
}

void TOrvaneMainFormView::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TOrvaneMainFormView::dropEvent(QDropEvent* event) {
  AttachDropped(event);
}

bool TOrvaneMainFormView::eventFilter(QObject* watched, QEvent* event) {
  // The fields would take a dropped file's name as text.
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFiles(drag->mimeData()).empty()) break;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop:
      if (AttachDropped(static_cast<QDropEvent*>(event))) return true;
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TOrvaneMainFormView::RunCommand(MenuCommand command, int tag) {
  Guarded([&] {
    switch (command) {
      case MenuCommand::PriorityHighest:
      case MenuCommand::PriorityHigh:
      case MenuCommand::PriorityNormal:
      case MenuCommand::PriorityLow:
      case MenuCommand::PriorityLowest:
        form_.SetPriority(static_cast<PriorityItem>(
            static_cast<int>(command) - static_cast<int>(MenuCommand::PriorityHighest)));
        return;
      case MenuCommand::OpenSentLog:
        OpenSentLog();
        return;
      case MenuCommand::MakeDefaultMailer:
        MakeDefaultMailer(*form_.Services().desktopMime, form_.Services().prompt);
        return;
      case MenuCommand::ConfirmSettings:
        TConfirmSetFormView(Context()).exec();
        return;
      case MenuCommand::SendLater:
        outbox_->SendLater();
        return;
      case MenuCommand::OpenOutbox:
        outbox_->OpenList();
        return;
      case MenuCommand::Cut:
      case MenuCommand::Copy:
      case MenuCommand::Paste:
      case MenuCommand::SelectAll:
      case MenuCommand::ClearAll:
        break;
      case MenuCommand::None:
        return;
    }
    QLineEdit* field = tag == kSubjectFieldTag ? subjectEdit_ : toEdit_;
    FieldSelection selection{
        field->hasSelectedText() ? field->selectionStart() : field->cursorPosition(),
        static_cast<int>(field->selectedText().size())};
    const FieldSelection after = form_.EditCommand(command, tag, selection);
    Render();
    if (after.length > 0)
      field->setSelection(after.start, after.length);
    else
      field->setCursorPosition(after.start);
    field->setFocus();
  });
}

void TOrvaneMainFormView::OpenSentLog() {
  SentLogList list(form_.Settings(), form_.Services().shell, form_.Services().prompt);
  TFmLogList dialog(this, list, Context().help);
  dialog.exec();
}

BookServices TOrvaneMainFormView::AddressBookServices() {
  return {form_.Settings(),         form_.Services().clock,  form_.Services().shell,
          form_.Services().clipboard, form_.Services().prompt, Context().help};
}

void TOrvaneMainFormView::OpenAddressBook() {
  TBookFormView dialog(this, AddressBookServices());
  dialog.exec();
}

void TOrvaneMainFormView::InputToAddress() {
  std::vector<TSendItem> recipients = form_.RecipientsForPicker();
  {
    TAddFormView dialog(this, AddressBookServices(), recipients);
    dialog.exec();
  }
  form_.RecipientsPicked(recipients);
}

void TOrvaneMainFormView::RebuildFavourites() {
  auto* favourites = editToPopup_->findChild<QMenu*>(QLatin1String(kFavoritesMenu));
  if (!favourites) return;
  std::optional<std::vector<FavouriteMenuItem>> items;
  if (!RunGuarded(this, [&] { items = form_.FavouriteMenu(); }) || !items) return;
  favourites->clear();
  favourites->setEnabled(true);
  for (const FavouriteMenuItem& item : *items) {
    // The name as it is: an "&" in it is no hotkey.
    QAction* entry = favourites->addAction(
        ToQString(item.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
    entry->setStatusTip(ToQString(item.hint));
    entry->setData(item.tag);
    const WideString hint = item.hint;
    connect(entry, &QAction::triggered, this,
            [this, hint] { Guarded([&] { form_.FavouriteChosen(hint); }); });
  }
  favourites->setEnabled(!items->empty());
}

void TOrvaneMainFormView::AskHeaderText(const InputBoxRequest& request,
                                        void (TOrvaneMainForm::*apply)(const WideString&)) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(this, ToQString(request.caption), ToQString(request.prompt),
                            QLineEdit::Normal, ToQString(request.text), &ok);
  if (ok) (form_.*apply)(ToWide(text));
}

TConfirmChoice TOrvaneMainFormView::ConfirmSend(TConfirmForm& form) {
  TConfirmFormView dialog(Context(), form);
  return dialog.exec() == QDialog::Accepted ? TConfirmChoice::GoOn : TConfirmChoice::Stop;
}

void TOrvaneMainFormView::ShowError(const WideString& text) {
  orvane::ShowError(this, text);
}

void TOrvaneMainFormView::ShowAttempt(TSendForm& attempt) {
  TSendFormView window(attempt, form_.Settings(), this);
  window.exec();
  QCoreApplication::processEvents();
}

void TOrvaneMainFormView::OpenAccountDialog() {
  TOAuthSignIn signIn(form_.Services().shell, mainThread_);
  TAccountForm account(form_.Settings(), form_.Services().prompt, form_.AccountName, &signIn);
  account.Show();
  TAccountFormView dialog(account, Context().help, this);
  dialog.exec();
  form_.UpdateCaption();
}

void TOrvaneMainFormView::ChooseBodyFile() {
  const QString chosen = QFileDialog::getOpenFileName(
      this, QString(), PathToQString(form_.Draft.BodyFileName), ToQtFilter(form_.BodyFileFilter()));
  if (!chosen.isEmpty()) form_.SetBodyFileName(QStringToPath(chosen));
}

void TOrvaneMainFormView::RebuildAccountList() {
  auto* list = menuBar()->findChild<QMenu*>(QLatin1String(kAccountListMenu));
  if (!list) return;
  list->clear();
  for (const WideString& name : form_.AccountMenuItems()) {
    QString caption = ToQString(name);
    // The file name as it is: an "&" in it is no hotkey.
    QAction* item =
        list->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(item, &QAction::triggered, this,
            [this, name] { Guarded([&] { form_.AccountMenuItemChosen(name); }); });
  }
}

void TOrvaneMainFormView::ShowPopup(QMenu* popup, QWidget* owner, const QPoint& at) {
  popup->popup(owner->mapToGlobal(at));
}

void TOrvaneMainFormView::ApplyTranslucency(const Translucency& translucency) {
  const unsigned generation = ++fadeGeneration_;
  if (!translucency.enabled) {
    setWindowOpacity(1.0);
    return;
  }
  for (int opacity : translucency.opacitySteps) {
    setWindowOpacity(opacity / 255.0);
    QCoreApplication::processEvents();
    // Activated again while fading: the window is opaque now and stays so.
    if (generation != fadeGeneration_) return;
  }
}

void TOrvaneMainFormView::OnApplicationStateChanged(Qt::ApplicationState state) {
  if (!form_.ActivationHandlersInstalled() || closing_) return;
  if (state == Qt::ApplicationActive) {
    ApplyTranslucency(form_.OpaqueWhenActive());
  } else if (state == Qt::ApplicationInactive) {
    Translucency fade;
    if (RunGuarded(this, [&] { fade = form_.FadeWhenInactive(); })) ApplyTranslucency(fade);
  }
}

}  // namespace orvane
