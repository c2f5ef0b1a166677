#pragma once

#include <QDialog>

#include "app/SendUnit.h"
#include "settings/IniFileUnit.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orvane {

class TLogFormView;

// The send window "送信中..." on screen, with its communication log window:
// renders what the controller says. It cannot be closed while the attempt
// runs; its close button records the attempt and closes it. During a send
// delay a timer ticks the countdown, and "取消" (or Escape) takes the send
// back, records it and closes the window.
class TSendFormView : public QDialog {
 public:
  TSendFormView(TSendForm& form, const IniFileUnit& settings, QWidget* parent = nullptr);
  ~TSendFormView() override;

  TLogFormView& LogWindow() const { return *log_; }

  // Escape does what the close button does, once it can be pressed.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Start();
  void Render();
  void RenderProgress();
  void CloseClicked();
  void CancelClicked();

  TSendForm& form_;
  TLogFormView* log_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTimer* countdown_ = nullptr;
  bool started_ = false;
};

}  // namespace orvane
