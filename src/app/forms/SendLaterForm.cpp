#include "app/forms/SendLaterForm.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/SendLater.h"

namespace orvane {

namespace {

QDateTime ToQDateTime(TimePoint moment) {
  return QDateTime::fromSecsSinceEpoch(
      std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count());
}

TimePoint ToTimePoint(const QDateTime& moment) {
  return TimePoint(std::chrono::seconds(moment.toSecsSinceEpoch()));
}

}  // namespace

TSendLaterForm::TSendLaterForm(QWidget* parent, Prompt& prompt, const Clock& clock)
    : QDialog(parent), prompt_(prompt), clock_(clock) {
  setObjectName(QStringLiteral("FmSendLater"));
  setWindowTitle(QStringLiteral("後で送信"));

  auto* note =
      new QLabel(QStringLiteral("指定した日時まで送信待ちに入れ、その後に送信します。"), this);
  edit_ = new QDateTimeEdit(ToQDateTime(DefaultSendLaterTime(clock_.Now())), this);
  edit_->setObjectName(QStringLiteral("DTP_SendAt"));
  edit_->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm"));
  edit_->setCalendarPopup(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BTN_OK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BTN_Cancel"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("送信日時(&T):"), edit_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addLayout(form);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(buttons, &QDialogButtonBox::accepted, this, &TSendLaterForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TSendLaterForm::accept() {
  // The minute shown is the minute meant: seconds the edit hides count not.
  QDateTime shown = edit_->dateTime();
  shown.setTime(QTime(shown.time().hour(), shown.time().minute()));
  const TimePoint at = ToTimePoint(shown);
  if (const std::optional<WideString> refusal = SendLaterRefusal(at, clock_.Now())) {
    prompt_.ShowError(*refusal);
    edit_->setFocus();
    return;
  }
  chosen_ = at;
  QDialog::accept();
}

}  // namespace orvane
