#pragma once

#include <QMainWindow>
#include <array>
#include <optional>
#include <vector>

#include "addressbook/forms/BookServices.h"
#include "app/MainForm.h"
#include "gui/ActionSet.h"
#include "gui/DialogContext.h"
#include "gui/QtMainThread.h"
#include "platform/Types.h"

class QLabel;
class QLineEdit;
class QTimer;
class QToolBar;
class QToolButton;

namespace orvane {

class TOutboxPanel;

// The main window on screen: lays out the controls, renders what the
// controller says and forwards what the user does to it.
class TOrvaneMainFormView : public QMainWindow,
                            public MainFormWindow,
                            public WarningDisplay,
                            public ConfirmDisplay,
                            public SendWindow {
 public:
  explicit TOrvaneMainFormView(TOrvaneMainForm& form, QWidget* parent = nullptr);
  ~TOrvaneMainFormView() override;

  // Runs the creation steps; the window opens also when one fails, and the
  // failure is shown once the window is up.
  void Start();

  // The opening and closing animations; off for tests and screenshots.
  static void SetAnimationsEnabled(bool enabled);

  const ActionSet& Actions() const { return actions_; }

  // MainFormWindow
  void MoveTo(int left, int top) override;
  void ShowAnimated() override;

  // WarningDisplay: the warning dialog, owned by this window.
  TWarningChoice ShowWarnings(const std::vector<WideString>& lines) override;

  // ConfirmDisplay: the window 送信前の確認, owned by this window.
  TConfirmChoice ConfirmSend(TConfirmForm& form) override;

  // SendWindow: the send window with its log window, modal over this one.
  MainThread& EventThread() override { return mainThread_; }
  void ShowError(const WideString& text) override;
  void ShowAttempt(TSendForm& attempt) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  void BuildControls();
  void BuildMenus();
  void BuildStatusBar();
  void ConnectActions();
  void Render();
  void RenderToolBar();
  // The first status panel shows a hint, cut to its width; the whole of a
  // cut one is its tooltip.
  void ShowHint(const QString& hint);
  void RenderField(QLineEdit* field, const WideString& text);
  void RunAction(ActionId id);
  // What the dialogs opened from here work with.
  DialogContext Context();
  void OpenAttachForm();
  // Files dropped on the window are attached as if dropped on the
  // attachment dialog.
  bool AttachDropped(QDropEvent* event);
  void RunCommand(MenuCommand command, int tag);
  void Guarded(const std::function<void()>& action);
  void ApplyTranslucency(const Translucency& translucency);
  void OnApplicationStateChanged(Qt::ApplicationState state);
  void RebuildAccountList();
  void ChooseBodyFile();
  void OpenSentLog();
  void OpenAddressBook();
  void InputToAddress();
  void RebuildFavourites();
  BookServices AddressBookServices();
  void OpenAccountDialog();
  void AskHeaderText(const InputBoxRequest& request,
                     void (TOrvaneMainForm::*apply)(const WideString&));
  void ShowPopup(QMenu* popup, QWidget* owner, const QPoint& at);
  void AnimateGeometry(const QRect& from, const QRect& to, int milliseconds,
                       const std::function<void()>& done);
  QSize WindowSize() const;

  TOrvaneMainForm& form_;
  ActionSet actions_;
  // The clients' events come to this thread through it.
  QtMainThread mainThread_;
  QToolBar* toolBar_ = nullptr;
  QToolButton* toButton_ = nullptr;
  QLineEdit* toEdit_ = nullptr;
  QLineEdit* subjectEdit_ = nullptr;
  std::array<QLabel*, kStatusPanelCount> panels_{};
  QMenu* sendPopup_ = nullptr;
  QMenu* editToPopup_ = nullptr;
  QMenu* subjectPopup_ = nullptr;
  QTimer* clockTimer_ = nullptr;
  TOutboxPanel* outbox_ = nullptr;
  std::optional<ToolBarLayout> shownToolBar_;
  std::vector<QObject*> toolBarItems_;
  std::optional<WideString> startError_;
  unsigned fadeGeneration_ = 0;
  bool animating_ = false;
  bool closing_ = false;
  bool closed_ = false;
};

}  // namespace orvane
