#include "app/forms/OutboxListForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/ErrorHandler.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr int kOutboxColumnCount = 6;
constexpr int kOutboxColumnWidth = 80;
constexpr int kReplyColumnWidth = 240;
constexpr int kWidestTable = 1000;

}  // namespace

TOutboxListForm::TOutboxListForm(QWidget* parent, OutboxList& list, SendWindow& sendWindow,
                                 std::function<void(const OutboxDraft&)> takeBack)
    : QDialog(parent), list_(list), sendWindow_(sendWindow), takeBack_(std::move(takeBack)) {
  setObjectName(QStringLiteral("FmOutbox"));
  setWindowTitle(QStringLiteral("送信待ち"));

  table_ = new QTableWidget(0, kOutboxColumnCount, this);
  table_->setObjectName(QStringLiteral("LV_Outbox"));
  table_->setHorizontalHeaderLabels({QStringLiteral("宛先"), QStringLiteral("件名"),
                                     QStringLiteral("作成日時"), QStringLiteral("試行"),
                                     QStringLiteral("次の送信"), QStringLiteral("最後の応答")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  table_->installEventFilter(this);

  sendNow_ = new QPushButton(QStringLiteral("今すぐ送信"), this);
  sendNow_->setObjectName(QStringLiteral("BTN_SendNow"));
  delete_ = new QPushButton(QStringLiteral("削除"), this);
  delete_->setObjectName(QStringLiteral("BTN_Delete"));
  takeBackButton_ = new QPushButton(QStringLiteral("下書きに戻す"), this);
  takeBackButton_->setObjectName(QStringLiteral("BTN_TakeBack"));
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("BTN_Close"));
  // Enter means 今すぐ送信 wherever the focus is, never a second button.
  for (QPushButton* button : {sendNow_, delete_, takeBackButton_, close})
    button->setAutoDefault(false);
  sendNow_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(sendNow_);
  buttons->addWidget(delete_);
  buttons->addWidget(takeBackButton_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);

  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(sendNow_, &QPushButton::clicked, this,
          [this] { OnSelected([this](std::size_t row) { list_.SendNow(row, sendWindow_); }); });
  connect(delete_, &QPushButton::clicked, this,
          [this] { OnSelected([this](std::size_t row) { list_.Delete(row); }); });
  connect(takeBackButton_, &QPushButton::clicked, this, [this] {
    OnSelected([this](std::size_t row) {
      if (std::optional<OutboxDraft> draft = list_.TakeBack(row)) {
        takeBack_(*draft);
        accept();
      }
    });
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  ShowRows();
}

void TOutboxListForm::SelectRow(int row) {
  table_->selectRow(row);
  table_->setFocus();
}

bool TOutboxListForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        sendNow_->click();
        return true;
      case Qt::Key_Delete:
        delete_->click();
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TOutboxListForm::OnSelected(const std::function<void(std::size_t)>& action) {
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  if (selected.isEmpty()) return;
  const auto row = static_cast<std::size_t>(selected.front()->row());
  RunGuarded(this, [&] { action(row); });
  ShowRows();
  if (!list_.Rows().empty()) SelectRow(static_cast<int>(std::min(row, list_.Rows().size() - 1)));
}

void TOutboxListForm::ShowRows() {
  const std::vector<OutboxListRow>& rows = list_.Rows();
  table_->clearContents();
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const OutboxListRow& row = rows[static_cast<size_t>(r)];
    const WideString* fields[] = {&row.recipients, &row.subject, &row.created,
                                  &row.attempts,   &row.next,    &row.lastReply};
    for (int column = 0; column < kOutboxColumnCount; ++column)
      table_->setItem(r, column, new QTableWidgetItem(ToQString(*fields[column])));
  }
  // The headers and what the rows hold stay readable, up to a width that
  // still fits a screen; the reply takes what is left.
  int width = kReplyColumnWidth;
  for (int column = 0; column + 1 < kOutboxColumnCount; ++column) {
    table_->resizeColumnToContents(column);
    table_->setColumnWidth(column, std::max(kOutboxColumnWidth, table_->columnWidth(column)));
    width += table_->columnWidth(column);
  }
  const int frame = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
  table_->setMinimumWidth(std::min(width + frame, kWidestTable));
  UpdateButtons();
}

void TOutboxListForm::UpdateButtons() {
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  const bool any = !selected.isEmpty();
  sendNow_->setEnabled(any);
  delete_->setEnabled(any);
  takeBackButton_->setEnabled(any &&
                              list_.Rows()[static_cast<size_t>(selected.front()->row())].hasDraft);
}

}  // namespace orvane
