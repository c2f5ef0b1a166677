#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <functional>

namespace orvane::test {

// What the send window and its log window showed once the close button
// could be pressed.
struct SendWindowSeen {
  bool opened = false;
  bool closeEnabled = false;
  QString caption;
  QString status;
  QString logCaption;
  QStringList log;
  QString waiting;  // the status line during the send delay, when there was one
};

// Plays the user while the Send command runs its modal windows: answers the
// warning dialog with 続行 or 中止, hands the confirmation 送信前の確認 to
// `confirm`, presses 取消 in the send delay when told to, notes and accepts
// message boxes, and waits in the send window until its close button is
// enabled, notes what it shows and presses the button (again, as long as
// the window stays open). A window that never gets there is closed after
// the time limit, so that a failing test does not hang. One driver at a
// time: a second one alive would answer the same windows.
class SendWindowDriver {
 public:
  explicit SendWindowDriver(bool goOnAtWarnings = true,
                            std::chrono::seconds limit = std::chrono::seconds(60))
      : goOn_(goOnAtWarnings), deadline_(std::chrono::steady_clock::now() + limit) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  SendWindowSeen seen;
  int warnings = 0;      // how often the warning dialog came up
  QStringList messages;  // the message boxes' texts
  int closePresses = 0;
  // Runs before each press of the close button.
  std::function<void()> beforeClose;
  // Answers the confirmation; it must end the window.
  std::function<void(QDialog*)> confirm;
  bool cancelInDelay = false;

 private:
  template <typename T>
  static T* Child(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
  }

  // Presses a button from the event loop, not from inside this timer's
  // handler: a message box the press opens must find the timer free to
  // answer it.
  void Press(QAbstractButton* button) {
    pressing_ = true;
    QTimer::singleShot(0, button, [this, button] {
      pressing_ = false;
      button->click();
    });
  }

  void Poll() {
    if (pressing_) return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      messages << box->text();
      box->accept();
      return;
    }
    if (dialog->objectName() == QLatin1String("WarningForm")) {
      ++warnings;
      Press(Child<QAbstractButton>(dialog, goOn_ ? "Button1" : "Button2"));
      return;
    }
    if (dialog->objectName() == QLatin1String("ConfirmForm") && confirm) {
      pressing_ = true;
      QTimer::singleShot(0, dialog, [this, dialog] {
        pressing_ = false;
        confirm(dialog);
      });
      return;
    }
    if (dialog->objectName() != QLatin1String("SendForm")) return;
    seen.opened = true;
    if (auto* cancel = Child<QAbstractButton>(dialog, "BTN_Cancel"); cancel->isVisible()) {
      seen.waiting = Child<QLabel>(dialog, "Label1")->text();
      if (cancelInDelay) Press(cancel);
      return;
    }
    auto* close = Child<QAbstractButton>(dialog, "Button1");
    if (!close->isEnabled()) {
      if (std::chrono::steady_clock::now() > deadline_) dialog->done(QDialog::Rejected);
      return;
    }
    seen.closeEnabled = true;
    seen.caption = dialog->windowTitle();
    seen.status = Child<QLabel>(dialog, "Label1")->text();
    if (auto* log = Child<QWidget>(dialog, "LogForm")) {
      seen.logCaption = log->windowTitle();
      auto* list = Child<QListWidget>(log, "LB");
      seen.log.clear();
      for (int i = 0; i < list->count(); ++i) seen.log << list->item(i)->text();
    }
    if (beforeClose) beforeClose();
    ++closePresses;
    Press(close);
  }

  bool goOn_;
  bool pressing_ = false;
  std::chrono::steady_clock::time_point deadline_;
  QTimer timer_;
};

}  // namespace orvane::test
