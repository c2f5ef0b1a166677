#include "addressbook/forms/SendListForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/QtText.h"
#include "gui/StringGrid.h"

namespace orvane {

TSendListFormView::TSendListFormView(QWidget* picker, TSendListForm& form,
                                     const WindowGeometry& geometry)
    : QWidget(picker,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      form_(form) {
  setObjectName(QStringLiteral("SendListForm"));
  setWindowTitle(QStringLiteral("送信先のリスト"));

  grid_ = new TStringGrid(TSendListForm::kColumnCount, this);
  grid_->setObjectName(QStringLiteral("Grid"));
  QStringList headers;
  for (const char16_t* header : TSendListForm::kHeaders) headers << ToQString(header);
  grid_->SetHeaders(headers);
  for (int column = 0; column < TSendListForm::kColumnCount; ++column)
    grid_->SetColumnWidth(column, TSendListForm::kColumnWidths[static_cast<size_t>(column)]);
  QStringList kinds;
  for (const char16_t* kind : TSendListForm::kKinds) kinds << ToQString(kind);
  grid_->SetColumnChoices(0, kinds);
  grid_->SetColumnInputHints(2, Qt::ImhLatinOnly | Qt::ImhNoAutoUppercase);
  // Grid row r is the window's row r + 1: row 0 is the fixed header.
  grid_->OnChoicePicked = [this](int row, int, int index) { form_.KindPicked(row + 1, index); };
  grid_->OnCellEdited = [this](int row, int column, const QString& text) {
    if (column == 1) form_.NameEdited(row + 1, ToWide(text));
    if (column == 2) form_.AddressEdited(row + 1, ToWide(text));
  };

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar"));
  status->setSizeGripEnabled(true);
  for (size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new QLabel(status);
    panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
    if (i == 0) {
      status->addWidget(panels_[i], 1);
    } else {
      panels_[i]->setText(QStringLiteral("Bcc: 000 件"));
      panels_[i]->setMinimumWidth(panels_[i]->sizeHint().width());
      status->addPermanentWidget(panels_[i]);
    }
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(grid_, 1);
  layout->addWidget(status);

  setGeometry(geometry.Left, geometry.Top, geometry.Width, geometry.Height);
  Refresh();
}

void TSendListFormView::Refresh() {
  form_.Refresh();
  grid_->CancelEditing();
  grid_->SetRowCount(form_.RowCount() - 1);
  for (int row = 1; row < form_.RowCount(); ++row)
    for (int column = 0; column < TSendListForm::kColumnCount; ++column)
      grid_->SetCell(row - 1, column, ToQString(form_.Cell(row, column)));
  for (int panel = 1; panel <= 3; ++panel)
    panels_[static_cast<size_t>(panel)]->setText(ToQString(form_.Panel(panel)));
}

WindowGeometry TSendListFormView::Geometry() const {
  const QRect frame = geometry();
  return {frame.left(), frame.top(), frame.width(), frame.height()};
}

void TSendListFormView::Release() {
  released_ = true;
  close();
}

void TSendListFormView::closeEvent(QCloseEvent* event) {
  if (released_)
    event->accept();
  else
    event->ignore();
}

void TSendListFormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Panel 0 takes what the count panels leave.
  panels_[0]->setMaximumWidth(std::max(0, width() - TSendListForm::kCountPanelsWidth));
}

}  // namespace orvane
