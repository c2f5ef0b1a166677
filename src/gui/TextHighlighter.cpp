#include "gui/TextHighlighter.h"

namespace orvane {

namespace {

// Deliberately loose: whatever looks like an address or a web address to a
// reader is coloured; nothing is checked or changed.
const QRegularExpression kAddress(
    QStringLiteral(R"([A-Za-z0-9._+\-]+@[A-Za-z0-9\-]+(\.[A-Za-z0-9\-]+)+)"));
const QRegularExpression kUrl(QStringLiteral(R"((https?|ftp)://[^\s<>"]+)"),
                              QRegularExpression::CaseInsensitiveOption);

}  // namespace

TextHighlighter::TextHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void TextHighlighter::SetMacros(const QStringList& macros) {
  QStringList escaped;
  for (const QString& macro : macros) escaped << QRegularExpression::escape(macro);
  macros_ =
      QRegularExpression(escaped.join(QLatin1Char('|')), QRegularExpression::CaseInsensitiveOption);
  rehighlight();
}

QTextCharFormat TextHighlighter::MacroFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(0, 0, 192));
  format.setFontWeight(QFont::Bold);
  return format;
}

QTextCharFormat TextHighlighter::AddressFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(0, 128, 0));
  format.setFontUnderline(true);
  return format;
}

QTextCharFormat TextHighlighter::UrlFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(160, 0, 160));
  format.setFontUnderline(true);
  return format;
}

void TextHighlighter::highlightBlock(const QString& text) {
  // Later patterns win where they overlap: a macro inside an address stays
  // a macro.
  Colour(kUrl, text, UrlFormat());
  Colour(kAddress, text, AddressFormat());
  Colour(macros_, text, MacroFormat());
}

void TextHighlighter::Colour(const QRegularExpression& pattern, const QString& text,
                             const QTextCharFormat& format) {
  if (pattern.pattern().isEmpty()) return;
  for (auto match = pattern.globalMatch(text); match.hasNext();) {
    const QRegularExpressionMatch found = match.next();
    setFormat(static_cast<int>(found.capturedStart()), static_cast<int>(found.capturedLength()),
              format);
  }
}

}  // namespace orvane
