#include "extras/forms/XHForm.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/ActionImages.h"
#include "gui/DialogFrame.h"
#include "gui/ErrorHandler.h"
#include "gui/FlatButton.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;

QString CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

}  // namespace

TXHFormView::TXHFormView(const DialogContext& context)
    : QDialog(context.owner),
      form_(context.settings, context.prompt, context.account),
      prompt_(context.prompt),
      help_(context.help) {
  setObjectName(QStringLiteral("XHForm"));
  setWindowTitle(QStringLiteral("拡張ヘッダフィールド"));
  setSizeGripEnabled(true);
  const auto [layout, bar] = LayOutToolBarWindow(this);
  FlatButton* close = AddFlatButton(bar, "OKBtn", QStringLiteral("閉じる"), ActionImage(kExitImage),
                                    QStringLiteral("閉じる"));
  bar->addSeparator();
  FlatButton* add = AddFlatButton(bar, "AddRow", QStringLiteral("行を追加"),
                                  style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                                  QStringLiteral("フィールドを追加します"));
  FlatButton* remove = AddFlatButton(bar, "DeleteRow", QStringLiteral("行を削除"),
                                     style()->standardIcon(QStyle::SP_TrashIcon),
                                     QStringLiteral("選択した行を削除します"));
  bar->addSeparator();
  FlatButton* help =
      AddFlatButton(bar, "ToolButton1", QStringLiteral("ヘルプ"), ActionImage(kHelpImage),
                    QStringLiteral("この機能についてのヘルプ"));

  grid_ = new QTableWidget(0, 2, this);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setHorizontalHeaderLabels({QStringLiteral("フィールド"), QStringLiteral("値")});
  grid_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Interactive);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setColumnWidth(kNameColumn, grid_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  layout->addWidget(grid_, 1);
  deliveryNotice_ = new QCheckBox(QStringLiteral("配送状況の通知を求める (DSN: 届いたときと届かなかったとき)"), this);
  deliveryNotice_->setObjectName(QStringLiteral("DeliveryNotice"));
  deliveryNotice_->setToolTip(
      QStringLiteral("サーバが対応していれば、配送の結果をサーバから知らせてもらいます"));
  // The grid runs to the window's edges; the box keeps off them.
  auto* noticeRow = new QHBoxLayout;
  noticeRow->setContentsMargins(6, 4, 6, 4);
  noticeRow->addWidget(deliveryNotice_);
  layout->addLayout(noticeRow);
  resize(480, 280);

  connect(close, &QToolButton::clicked, this,
          [this] { RunGuarded(this, [this] { Closed(form_.CloseButton(Rows())); }); });
  connect(add, &QToolButton::clicked, this, [this] { AddRow(); });
  connect(remove, &QToolButton::clicked, this, [this] { DeleteRows(); });
  connect(deliveryNotice_, &QCheckBox::toggled, this,
          [this](bool on) { form_.SetDeliveryNotice(on); });
  connect(help, &QToolButton::clicked, this,
          [this] { ShowDialogHelp(this, help_, TXHForm::kHelpTopic); });
  connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() == kNameColumn) NameEdited(item);
  });
}

void TXHFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (loaded_) return;
  loaded_ = true;
  // The notice comes over the dialog, once it is on screen.
  QTimer::singleShot(0, this, [this] {
    std::vector<HeaderRow> rows;
    RunGuarded(this, [&] { rows = form_.Load(); });
    // An empty grid still has a row to type into.
    if (rows.empty()) rows.push_back({});
    ShowRows(rows);
    deliveryNotice_->setChecked(form_.DeliveryNotice());
  });
}

void TXHFormView::ShowRows(const std::vector<HeaderRow>& rows) {
  const QSignalBlocker quiet(grid_);
  grid_->setRowCount(static_cast<int>(rows.size()));
  names_.clear();
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const HeaderRow& row = rows[static_cast<size_t>(i)];
    grid_->setItem(i, kNameColumn, new QTableWidgetItem(ToQString(row.name)));
    grid_->setItem(i, kValueColumn, new QTableWidgetItem(ToQString(row.value)));
    names_.push_back(row.name);
  }
}

std::vector<HeaderRow> TXHFormView::Rows() const {
  std::vector<HeaderRow> rows;
  for (int i = 0; i < grid_->rowCount(); ++i)
    rows.push_back(
        {ToWide(CellText(grid_, i, kNameColumn)), ToWide(CellText(grid_, i, kValueColumn))});
  return rows;
}

void TXHFormView::AddRow() {
  std::vector<HeaderRow> rows = Rows();
  rows.push_back({});
  ShowRows(rows);
  const int row = grid_->rowCount() - 1;
  grid_->setCurrentCell(row, kNameColumn);
  grid_->editItem(grid_->item(row, kNameColumn));
}

void TXHFormView::DeleteRows() {
  std::vector<HeaderRow> rows = Rows();
  for (int i = grid_->rowCount() - 1; i >= 0; --i)
    if (grid_->selectionModel()->isRowSelected(i, QModelIndex())) rows.erase(rows.begin() + i);
  if (rows.empty()) rows.push_back({});
  ShowRows(rows);
}

void TXHFormView::NameEdited(QTableWidgetItem* item) {
  const int row = item->row();
  const WideString name = ToWide(item->text());
  if (const auto refusal = form_.RefuseName(Rows(), row, name)) {
    {
      const QSignalBlocker quiet(grid_);
      item->setText(ToQString(names_.at(static_cast<size_t>(row))));
    }
    prompt_.ShowError(*refusal);
    return;
  }
  names_.at(static_cast<size_t>(row)) = name;
}

void TXHFormView::Closed(const HeaderClose& result) {
  if (result.closed) {
    QDialog::accept();
    return;
  }
  if (result.row >= 0) grid_->setCurrentCell(result.row, kNameColumn);
}

void TXHFormView::reject() {
  RunGuarded(this, [this] {
    const HeaderClose result = form_.CloseBox(Rows());
    if (result.closed)
      QDialog::reject();
    else
      Closed(result);
  });
}

}  // namespace orvane
