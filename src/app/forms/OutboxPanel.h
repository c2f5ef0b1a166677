#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/MainForm.h"
#include "app/OutboxWatch.h"

class QLabel;
class QMainWindow;
class QProcess;
class QTimer;

namespace orvane {

// The main window's part of the outbox: the count on the right of its
// status bar, 後で送信..., the list 送信待ち..., and the background
// sending: once a minute (the first a minute after Start) a due message
// starts orvane-send --flush-due beside this program, over the same
// program folder, unless one of ours still runs.
class TOutboxPanel : public QObject {
 public:
  TOutboxPanel(QMainWindow& window, TOrvaneMainForm& form, SendWindow& sendWindow,
               ConfirmDisplay& confirm, std::function<void(const QString&)> showHint);
  ~TOutboxPanel() override;

  void Start();
  // The count, after anything that may have changed it.
  void Refresh();
  void SendLater();
  void OpenList();
  void TellWaitingOnClose();

  // The timer's check, which a test may call at once.
  void CheckDue();
  bool Flushing() const;
  // The sender program to run; tests name the one they built.
  void SetSenderProgram(const QString& program) { program_ = program; }

 private:
  void FlushEnded();

  QMainWindow& window_;
  TOrvaneMainForm& form_;
  SendWindow& sendWindow_;
  ConfirmDisplay& confirm_;
  std::function<void(const QString&)> showHint_;
  OutboxWatch watch_;
  QLabel* count_ = nullptr;
  QTimer* timer_ = nullptr;
  QProcess* flush_ = nullptr;
  QString program_;
};

}  // namespace orvane
