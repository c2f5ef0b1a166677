#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace orvane {

class TextHighlighter;

// A multi-line text field for signatures and templates: a fixed-pitch font,
// no word wrap, tabs and returns typed into the text, line numbers in a bar
// at the left, a ruler of columns above, and macros, mail addresses and web
// addresses coloured. The text, its modified flag (set by what the user
// types, cleared by the caller) and the caret are QPlainTextEdit's own.
class TextEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextEditor(QWidget* parent = nullptr);

  // The words coloured as macros, such as "%name%", in any case.
  void SetMacros(const QStringList& macros);

  int LineCount() const { return blockCount(); }
  QString Line(int index) const;
  // The caret's line and column, both counted from 0.
  int CaretLine() const;
  int CaretColumn() const;

  // The widths of the line-number bar and the ruler's height, in pixels.
  int LineBarWidth() const;
  int RulerHeight() const;

 signals:
  void CaretMoved();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class LineBar;
  friend class Ruler;
  void PaintLineBar(QPaintEvent* event);
  void PaintRuler(QPaintEvent* event);
  void UpdateMargins();
  void PlaceBars();

  QWidget* lineBar_;
  QWidget* ruler_;
  TextHighlighter* highlighter_;
};

}  // namespace orvane
