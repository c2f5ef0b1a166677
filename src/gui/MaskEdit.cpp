#include "gui/MaskEdit.h"

#include <QStringList>

namespace orvane {
namespace {

// The characters Qt's mask language gives a meaning.
const QString kQtMaskSpecials = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\;");

QChar QtPlace(QChar c) {
  switch (c.unicode()) {
    case '0':
      return QLatin1Char('9');
    case '9':
      return QLatin1Char('0');
    case 'L':
      return QLatin1Char('A');
    case 'l':
      return QLatin1Char('a');
    case 'A':
      return QLatin1Char('N');
    case 'a':
      return QLatin1Char('n');
    case 'C':
      return QLatin1Char('X');
    case 'c':
      return QLatin1Char('x');
    case '#':
      return QLatin1Char('#');
    default:
      return QChar();
  }
}

}  // namespace

TMaskEdit::TMaskEdit(const QString& editMask, QWidget* parent) : QLineEdit(parent) {
  SetEditMask(editMask);
}

void TMaskEdit::SetEditMask(const QString& editMask) {
  const QStringList parts = editMask.split(QLatin1Char(';'));
  const QString mask = parts.value(0);
  keepLiterals_ = parts.value(1) != QLatin1String("0");
  blank_ = parts.size() > 2 && !parts[2].isEmpty() ? parts[2][0] : QLatin1Char('_');
  QString qtMask;
  literal_.clear();
  for (qsizetype i = 0; i < mask.size(); ++i) {
    QChar c = mask[i];
    if (c == QLatin1Char('!') || c == QLatin1Char('>') || c == QLatin1Char('<')) {
      if (c != QLatin1Char('!')) qtMask += c;
      continue;
    }
    const bool escaped = c == QLatin1Char('\\') && i + 1 < mask.size();
    if (escaped) c = mask[++i];
    const QChar place = escaped ? QChar() : QtPlace(c);
    if (!place.isNull()) {
      qtMask += place;
      literal_.push_back(false);
      continue;
    }
    if (kQtMaskSpecials.contains(c)) qtMask += QLatin1Char('\\');
    qtMask += c;
    literal_.push_back(true);
  }
  setInputMask(qtMask + QLatin1Char(';') + blank_);
}

QString TMaskEdit::Value() const {
  const QString shown = displayText();
  QString value;
  for (qsizetype i = 0; i < shown.size() && static_cast<size_t>(i) < literal_.size(); ++i) {
    if (literal_[static_cast<size_t>(i)]) {
      if (keepLiterals_) value += shown[i];
    } else {
      value += shown[i] == blank_ ? QLatin1Char(' ') : shown[i];
    }
  }
  return value;
}

void TMaskEdit::SetValue(const QString& value) {
  setText(value);
}

}  // namespace orvane
