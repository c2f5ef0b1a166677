#include "gui/TextEditor.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

#include "gui/TextHighlighter.h"

namespace orvane {

namespace {

constexpr int kTabColumns = 8;
constexpr int kBarPadding = 4;

QFont FixedPitchFont(const QFont& like) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies(
      {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"), font.family()});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  if (like.pixelSize() > 0)
    font.setPixelSize(like.pixelSize());
  else
    font.setPointSizeF(like.pointSizeF());
  return font;
}

}  // namespace

// The bars are drawn by the editor, which knows the lines and columns.
class LineBar : public QWidget {
 public:
  explicit LineBar(TextEditor* editor) : QWidget(editor), editor_(editor) {}

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintLineBar(event); }

 private:
  TextEditor* editor_;
};

class Ruler : public QWidget {
 public:
  explicit Ruler(TextEditor* editor) : QWidget(editor), editor_(editor) {}

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintRuler(event); }

 private:
  TextEditor* editor_;
};

TextEditor::TextEditor(QWidget* parent)
    : QPlainTextEdit(parent),
      lineBar_(new LineBar(this)),
      ruler_(new Ruler(this)),
      highlighter_(new TextHighlighter(document())) {
  lineBar_->setObjectName(QStringLiteral("LineBar"));
  ruler_->setObjectName(QStringLiteral("Ruler"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(false);
  setFont(FixedPitchFont(QApplication::font()));
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateMargins(); });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0)
      lineBar_->scroll(0, dy);
    else
      lineBar_->update(0, rect.y(), lineBar_->width(), rect.height());
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, ruler_, qOverload<>(&QWidget::update));
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    ruler_->update();
    emit CaretMoved();
  });
  UpdateMargins();
}

void TextEditor::SetMacros(const QStringList& macros) {
  highlighter_->SetMacros(macros);
}

QString TextEditor::Line(int index) const {
  return document()->findBlockByNumber(index).text();
}

int TextEditor::CaretLine() const {
  return textCursor().blockNumber();
}

int TextEditor::CaretColumn() const {
  return textCursor().positionInBlock();
}

int TextEditor::LineBarWidth() const {
  const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
  return 2 * kBarPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

int TextEditor::RulerHeight() const {
  return fontMetrics().height() + kBarPadding;
}

void TextEditor::UpdateMargins() {
  setTabStopDistance(kTabColumns * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
  setViewportMargins(LineBarWidth(), RulerHeight(), 0, 0);
  PlaceBars();
}

void TextEditor::PlaceBars() {
  const QRect area = contentsRect();
  ruler_->setGeometry(area.left(), area.top(), area.width(), RulerHeight());
  lineBar_->setGeometry(area.left(), area.top() + RulerHeight(), LineBarWidth(),
                        area.height() - RulerHeight());
}

void TextEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  PlaceBars();
}

void TextEditor::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateMargins();
}

void TextEditor::PaintLineBar(QPaintEvent* event) {
  QPainter painter(lineBar_);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  const int width = lineBar_->width() - kBarPadding;
  const int lineHeight = fontMetrics().height();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF shape = blockBoundingGeometry(block).translated(contentOffset());
    if (shape.top() > event->rect().bottom()) break;
    if (block.isVisible() && shape.bottom() >= event->rect().top())
      painter.drawText(0, static_cast<int>(shape.top()), width, lineHeight, Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
  }
}

void TextEditor::PaintRuler(QPaintEvent* event) {
  QPainter painter(ruler_);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  const QColor ink = palette().color(QPalette::PlaceholderText);
  painter.setPen(ink);
  const int bottom = ruler_->height() - 1;
  painter.drawLine(0, bottom, ruler_->width(), bottom);
  // Columns are counted in the width of one half-width character.
  const qreal column = fontMetrics().horizontalAdvance(QLatin1Char(' '));
  const qreal left = LineBarWidth() + document()->documentMargin() + contentOffset().x();
  // The caret's place, where a full-width character counts two columns.
  const int caret = LineBarWidth() + cursorRect().left();
  if (caret >= LineBarWidth())
    painter.fillRect(QRectF(caret, 0, column, bottom),
                     palette().color(QPalette::Highlight).lighter(170));
  for (int i = 0;; ++i) {
    const int x = qRound(left + i * column);
    if (x > ruler_->width()) break;
    if (x < LineBarWidth()) continue;
    const int tick = i % 10 == 0 ? bottom / 2 : (i % 5 == 0 ? bottom / 3 : bottom / 6);
    painter.drawLine(x, bottom - tick, x, bottom);
    if (i % 10 == 0 && i > 0)
      painter.drawText(x + 2, 0, 10 * qRound(column), bottom, Qt::AlignLeft | Qt::AlignTop,
                       QString::number(i));
  }
}

}  // namespace orvane
