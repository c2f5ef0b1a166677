#include "app/forms/SendFormView.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "app/LogUnit.h"
#include "app/forms/LogFormView.h"
#include "gui/ErrorHandler.h"
#include "gui/QtText.h"
#include "gui/WindowPlacement.h"

namespace orvane {

namespace {

constexpr int kStatusWidth = 320;
// Often enough that the countdown never lags a second behind the clock.
constexpr int kTickMilliseconds = 200;

LogWindowGeometry ScreenArea() {
  const QRect area = AvailableScreenArea();
  return LogWindowGeometry{area.left(), area.top(), area.width(), area.height()};
}

// The status line shows the first line of a multi-line reply; the log
// keeps all of it.
QString FirstLine(const WideString& text) {
  const QString shown = ToQString(text);
  return shown.left(shown.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
}

}  // namespace

TSendFormView::TSendFormView(TSendForm& form, const IniFileUnit& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), form_(form) {
  setObjectName(QStringLiteral("SendForm"));
  setModal(true);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Label1"));
  status_->setWordWrap(true);
  status_->setFixedWidth(kStatusWidth);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setRange(0, 100);
  progress_->setValue(0);
  close_ = new QPushButton(QStringLiteral("閉じる"), this);
  close_->setObjectName(QStringLiteral("Button1"));
  close_->setAutoDefault(false);
  cancel_ = new QPushButton(QStringLiteral("取消"), this);
  cancel_->setObjectName(QStringLiteral("BTN_Cancel"));
  cancel_->setAutoDefault(false);
  cancel_->hide();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cancel_);
  buttons->addWidget(close_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  log_ = new TLogFormView(LogWindowPlacement(settings, ScreenArea()), this);
  form_.OnChanged = [this] { Render(); };
  form_.OnLogLine = [this](const WideString& line) { log_->AddLine(line); };
  form_.OnProgress = [this] { RenderProgress(); };
  connect(close_, &QPushButton::clicked, this, [this] { CloseClicked(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { CancelClicked(); });
  countdown_ = new QTimer(this);
  countdown_->setInterval(kTickMilliseconds);
  connect(countdown_, &QTimer::timeout, this, [this] {
    // The delay over, the attempt starts from here; when it cannot start,
    // there is nothing to record.
    if (!RunGuarded(this, [this] { form_.Tick(); })) done(QDialog::Rejected);
  });
  Render();
}

TSendFormView::~TSendFormView() {
  form_.OnChanged = nullptr;
  form_.OnLogLine = nullptr;
  form_.OnProgress = nullptr;
}

void TSendFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  CentreOnScreen(this);
  log_->show();
  // Once the window is up, so that what goes wrong shows over it.
  QTimer::singleShot(0, this, [this] { Start(); });
}

void TSendFormView::closeEvent(QCloseEvent* event) {
  event->ignore();
}

void TSendFormView::Start() {
  if (RunGuarded(this, [this] { form_.Show(); })) return;
  // The attempt never started: nothing to record.
  done(QDialog::Rejected);
}

void TSendFormView::Render() {
  setWindowTitle(ToQString(form_.Caption()));
  const bool waiting = form_.State() == SendState::Waiting;
  if (waiting && !countdown_->isActive()) {
    countdown_->start();
    cancel_->show();
    cancel_->setFocus();
  } else if (!waiting && countdown_->isActive()) {
    countdown_->stop();
    cancel_->hide();
  }
  status_->setText(FirstLine(form_.Status()));
  const bool closable = form_.CloseEnabled();
  if (closable && !close_->isEnabled()) {
    // The attempt has ended: Enter closes the window without a mouse.
    close_->setEnabled(true);
    close_->setDefault(true);
    close_->setFocus();
  }
  close_->setEnabled(closable);
}

void TSendFormView::RenderProgress() {
  std::int64_t max = form_.ProgressMax();
  std::int64_t position = form_.ProgressPosition();
  // A bar counts in int: a message beyond 2 GB is shown in kilobytes.
  while (max > INT_MAX) max /= 1024, position /= 1024;
  if (progress_->maximum() != max) progress_->setMaximum(static_cast<int>(max));
  progress_->setValue(static_cast<int>(position));
}

void TSendFormView::reject() {
  if (form_.State() == SendState::Waiting)
    CancelClicked();
  else if (close_->isEnabled())
    CloseClicked();
}

void TSendFormView::CancelClicked() {
  form_.Cancel();
  CloseClicked();
}

void TSendFormView::CloseClicked() {
  if (RunGuarded(this, [this] { form_.Close(log_->Geometry()); })) done(QDialog::Accepted);
}

}  // namespace orvane
