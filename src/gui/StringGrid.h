#pragma once

#include <QStringList>
#include <QTableView>
#include <functional>
#include <map>

class QStandardItemModel;

namespace orvane {

// A grid of texts edited in place: a fixed header row above the cells;
// a column either takes typed text (with input-method hints of its own) or
// offers a drop-down list of choices instead of typing. Every edit is
// reported at once, a typed one on each change of the text.
class TStringGrid : public QTableView {
 public:
  TStringGrid(int columns, QWidget* parent = nullptr);

  void SetHeaders(const QStringList& headers);
  // A documented width is the least: a wider header text widens it.
  void SetColumnWidth(int column, int width);
  // The rows below the header.
  void SetRowCount(int rows);
  int RowCount() const;
  QString Cell(int row, int column) const;
  void SetCell(int row, int column, const QString& text);
  // Closes the editor of the current cell without storing what it holds,
  // before the cells are filled anew.
  void CancelEditing();
  // The column offers these choices in a drop-down list instead of typing.
  void SetColumnChoices(int column, const QStringList& choices);
  QStringList ColumnChoices(int column) const;
  void SetColumnInputHints(int column, Qt::InputMethodHints hints);
  Qt::InputMethodHints ColumnInputHints(int column) const;
  // The row of the current cell, -1 without one.
  int CurrentRow() const;

  // A cell's text changed by the user: typed, or a choice picked (text is
  // the choice, index its place in the list).
  std::function<void(int row, int column, const QString& text)> OnCellEdited;
  std::function<void(int row, int column, int index)> OnChoicePicked;

 private:
  class Delegate;
  friend class Delegate;

  QStandardItemModel* model_;
  std::map<int, QStringList> choices_;
  std::map<int, Qt::InputMethodHints> hints_;
};

}  // namespace orvane
