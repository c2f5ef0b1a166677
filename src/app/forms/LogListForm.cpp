#include "app/forms/LogListForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"
#include "gui/QtText.h"
#include "gui/WindowPlacement.h"

namespace orvane {

namespace {

constexpr int kColumnWidth = 100;
constexpr int kColumnCount = 4;

}  // namespace

TFmLogList::TFmLogList(QWidget* parent, SentLogList& list, HelpOpener openHelp)
    : QDialog(parent), list_(list) {
  setObjectName(QStringLiteral("FmLogList"));
  setWindowTitle(QStringLiteral("送信ログ"));

  accounts_ = new QListWidget(this);
  accounts_->setObjectName(QStringLiteral("LB_Account"));
  for (const WideString& account : list_.Accounts()) accounts_->addItem(ToQString(account));

  entries_ = new QTableWidget(0, kColumnCount, this);
  entries_->setObjectName(QStringLiteral("LV_Log"));
  entries_->setHorizontalHeaderLabels({QStringLiteral("送信時刻"), QStringLiteral("送信先"),
                                       QStringLiteral("件名"), QStringLiteral("ログファイル名")});
  for (int column = 0; column < kColumnCount; ++column)
    entries_->setColumnWidth(column, kColumnWidth);
  entries_->setShowGrid(true);
  entries_->setSelectionBehavior(QAbstractItemView::SelectRows);
  entries_->setSelectionMode(QAbstractItemView::SingleSelection);
  entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  entries_->verticalHeader()->hide();
  entries_->horizontalHeader()->setStretchLastSection(true);
  entries_->setWordWrap(false);
  entries_->setMinimumWidth(kColumnCount * kColumnWidth + 24);

  auto* show = new QPushButton(QStringLiteral("表示"), this);
  show->setObjectName(QStringLiteral("BTN_Show"));
  show->setDefault(true);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BTN_OK"));
  auto* help = new QPushButton(QStringLiteral("ヘルプ"), this);
  help->setObjectName(QStringLiteral("BTN_Help"));

  auto* lists = new QHBoxLayout;
  lists->addWidget(accounts_, 1);
  lists->addWidget(entries_, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(show);
  buttons->addWidget(ok);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(accounts_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowAccount(accounts_->row(item)); });
  connect(show, &QPushButton::clicked, this, [this] { ShowSelectedLog(); });
  connect(entries_, &QTableWidget::cellDoubleClicked, this, [this] { ShowSelectedLog(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this, openHelp = std::move(openHelp)] {
    ShowDialogHelp(this, openHelp, SentLogList::kHelpTopic);
  });
}

void TFmLogList::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

void TFmLogList::ShowAccount(int row) {
  accounts_->setCurrentRow(row);
  RunGuarded(this, [&] {
    list_.AccountClicked(row);
    ShowRows();
  });
}

void TFmLogList::ShowRows() {
  const std::vector<SentLogRow>& rows = list_.Rows();
  entries_->clearContents();
  entries_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const SentLogRow& row = rows[static_cast<size_t>(r)];
    const WideString* fields[] = {&row.dateTime, &row.to, &row.subject, &row.fileName};
    for (int column = 0; column < kColumnCount; ++column)
      entries_->setItem(r, column, new QTableWidgetItem(ToQString(*fields[column])));
  }
  // The documented width is a minimum: what the rows hold stays readable.
  for (int column = 0; column < kColumnCount; ++column) {
    entries_->resizeColumnToContents(column);
    entries_->setColumnWidth(column, std::max(kColumnWidth, entries_->columnWidth(column)));
  }
}

void TFmLogList::ShowSelectedLog() {
  const QList<QTableWidgetItem*> selected = entries_->selectedItems();
  const int row = selected.isEmpty() ? -1 : selected.front()->row();
  RunGuarded(this, [&] { list_.ShowLog(row); });
}

}  // namespace orvane
