#include "gui/StringGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <algorithm>

namespace orvane {

// The in-place editors: a drop-down list for a column of choices, a line
// that reports each change for the others.
class TStringGrid::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    const int row = index.row();
    const int column = index.column();
    auto choices = grid_->choices_.find(column);
    if (choices != grid_->choices_.end()) {
      auto* list = new QComboBox(parent);
      list->setObjectName(QStringLiteral("GridChoices"));
      list->addItems(choices->second);
      QObject::connect(list, &QComboBox::activated, grid_, [this, list, row, column](int picked) {
        grid_->model_->setData(grid_->model_->index(row, column), list->itemText(picked));
        if (grid_->OnChoicePicked) grid_->OnChoicePicked(row, column, picked);
      });
      return list;
    }
    auto* line = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!line) return nullptr;
    line->setObjectName(QStringLiteral("GridEditor"));
    line->setInputMethodHints(grid_->ColumnInputHints(column));
    QObject::connect(line, &QLineEdit::textEdited, grid_, [this, row, column](const QString& text) {
      if (grid_->OnCellEdited) grid_->OnCellEdited(row, column, text);
    });
    return line;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
      list->setCurrentIndex(list->findText(index.data().toString()));
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    // A choice is stored when it is picked; closing the list changes nothing.
    if (qobject_cast<QComboBox*>(editor)) return;
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  TStringGrid* grid_;
};

TStringGrid::TStringGrid(int columns, QWidget* parent)
    : QTableView(parent), model_(new QStandardItemModel(0, columns, this)) {
  setModel(model_);
  setItemDelegate(new Delegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  // A column of choices opens its list at the first click.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (choices_.count(index.column()) == 0 || state() == QAbstractItemView::EditingState) return;
    edit(index);
    if (auto* list = qobject_cast<QComboBox*>(indexWidget(index))) list->showPopup();
  });
  verticalHeader()->hide();
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  setWordWrap(false);
}

void TStringGrid::SetHeaders(const QStringList& headers) {
  model_->setHorizontalHeaderLabels(headers);
}

void TStringGrid::SetColumnWidth(int column, int width) {
  const QString header = model_->headerData(column, Qt::Horizontal).toString();
  const int needed = horizontalHeader()->fontMetrics().horizontalAdvance(header) +
                     2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
  setColumnWidth(column, std::max(width, needed));
}

void TStringGrid::SetRowCount(int rows) {
  model_->setRowCount(rows);
}

int TStringGrid::RowCount() const {
  return model_->rowCount();
}

QString TStringGrid::Cell(int row, int column) const {
  return model_->data(model_->index(row, column)).toString();
}

void TStringGrid::SetCell(int row, int column, const QString& text) {
  const QModelIndex index = model_->index(row, column);
  if (index.isValid()) model_->setData(index, text);
}

void TStringGrid::CancelEditing() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex()))
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TStringGrid::SetColumnChoices(int column, const QStringList& choices) {
  choices_[column] = choices;
}

QStringList TStringGrid::ColumnChoices(int column) const {
  auto found = choices_.find(column);
  return found == choices_.end() ? QStringList() : found->second;
}

void TStringGrid::SetColumnInputHints(int column, Qt::InputMethodHints hints) {
  hints_[column] = hints;
}

Qt::InputMethodHints TStringGrid::ColumnInputHints(int column) const {
  auto found = hints_.find(column);
  return found == hints_.end() ? Qt::ImhNone : found->second;
}

int TStringGrid::CurrentRow() const {
  return currentIndex().isValid() ? currentIndex().row() : -1;
}

}  // namespace orvane
