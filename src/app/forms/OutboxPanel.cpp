#include "app/forms/OutboxPanel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>

#include "app/OutboxList.h"
#include "app/SendLater.h"
#include "app/forms/OutboxListForm.h"
#include "app/forms/SendLaterForm.h"
#include "gui/ErrorHandler.h"
#include "gui/QtText.h"
#include "platform/Path.h"

namespace orvane {

namespace {

constexpr int kCheckMilliseconds = 60 * 1000;
// A flush still running when the window goes is given this long to end:
// killed, it would leave its message to be tried once more.
constexpr int kFlushEndMilliseconds = 30 * 1000;

}  // namespace

TOutboxPanel::TOutboxPanel(QMainWindow& window, TOrvaneMainForm& form, SendWindow& sendWindow,
                           ConfirmDisplay& confirm, std::function<void(const QString&)> showHint)
    : QObject(&window),
      window_(window),
      form_(form),
      sendWindow_(sendWindow),
      confirm_(confirm),
      showHint_(std::move(showHint)),
      watch_(form.Settings(), form.Services().clock, form.Services().prompt),
      program_(PathToQString(ExecutableFolder() / "orvane-send")) {
  setObjectName(QStringLiteral("Outbox"));
  count_ = new QLabel(window.statusBar());
  count_->setObjectName(QStringLiteral("OutboxCount"));
  count_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  count_->setAlignment(Qt::AlignCenter);
  // The last panel of the bar: its text keeps clear of the window's edge.
  count_->setContentsMargins(4, 0, 6, 0);
  count_->hide();
  window.statusBar()->addPermanentWidget(count_);
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("OutboxTimer"));
  timer_->setInterval(kCheckMilliseconds);
  connect(timer_, &QTimer::timeout, this, [this] { CheckDue(); });
}

TOutboxPanel::~TOutboxPanel() {
  if (Flushing()) flush_->waitForFinished(kFlushEndMilliseconds);
}

void TOutboxPanel::Start() {
  Refresh();
  timer_->start();
}

void TOutboxPanel::Refresh() {
  QString text;
  RunGuarded(&window_, [&] { text = ToQString(watch_.CountText()); });
  if (text == count_->text() && count_->isHidden() == text.isEmpty()) return;
  // As wide as the widest count it may show, in the font the status bar
  // gives it, so that the window need not grow with each digit.
  count_->ensurePolished();
  count_->setText(QStringLiteral("送信待ち 999 通"));
  count_->setMinimumWidth(count_->sizeHint().width());
  count_->setText(text);
  count_->setVisible(!text.isEmpty());
  // The window is as wide as its status bar needs: it measures itself anew.
  QCoreApplication::postEvent(&window_, new QEvent(QEvent::LayoutRequest));
}

void TOutboxPanel::SendLater() {
  TSendLaterForm dialog(&window_, form_.Services().prompt, form_.Services().clock);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  const SendOutcome outcome = form_.Send(sendWindow_, &confirm_, dialog.Chosen());
  Refresh();
  const WideString notice = QueuedNotice(outcome, form_.Services().clock.Now());
  if (!notice.empty()) showHint_(ToQString(notice));
}

void TOutboxPanel::OpenList() {
  OutboxList list(SendSequenceServices{form_.Settings(), form_.Services().clock,
                                       *form_.Services().sendClients, form_.AccessTokens()},
                  form_.Services().prompt);
  {
    TOutboxListForm dialog(&window_, list, sendWindow_, [this](const OutboxDraft& draft) {
      RestoreDraft(draft, form_.Draft);
      form_.ShowDraftState();
    });
    dialog.exec();
  }
  Refresh();
  RunGuarded(&window_, [this] { watch_.TellGivenUp(); });
}

void TOutboxPanel::TellWaitingOnClose() {
  RunGuarded(&window_, [this] { watch_.TellWaitingOnClose(); });
}

bool TOutboxPanel::Flushing() const {
  return flush_ && flush_->state() != QProcess::NotRunning;
}

void TOutboxPanel::CheckDue() {
  Refresh();
  if (Flushing()) return;
  bool due = false;
  RunGuarded(&window_, [&] { due = watch_.HasDue(); });
  if (!due) return;
  delete flush_;
  flush_ = new QProcess(this);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ORVANE_HOME"),
                     PathToQString(form_.Settings().ProgramFolder()));
  flush_->setProcessEnvironment(environment);
  flush_->setStandardOutputFile(QProcess::nullDevice());
  flush_->setStandardErrorFile(QProcess::nullDevice());
  connect(flush_, &QProcess::finished, this, [this] { FlushEnded(); });
  connect(flush_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) FlushEnded();
  });
  flush_->start(program_, {QStringLiteral("--flush-due")});
}

void TOutboxPanel::FlushEnded() {
  Refresh();
  RunGuarded(&window_, [this] { watch_.TellGivenUp(); });
}

}  // namespace orvane
