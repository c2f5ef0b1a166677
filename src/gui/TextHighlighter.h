#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace orvane {

// Colours the macros (the words given, such as "%name%", in any case),
// mail addresses and web addresses of a text.
class TextHighlighter : public QSyntaxHighlighter {
 public:
  explicit TextHighlighter(QTextDocument* document);

  void SetMacros(const QStringList& macros);

  // The formats used, for whoever checks the colouring.
  static QTextCharFormat MacroFormat();
  static QTextCharFormat AddressFormat();
  static QTextCharFormat UrlFormat();

 protected:
  void highlightBlock(const QString& text) override;

 private:
  void Colour(const QRegularExpression& pattern, const QString& text,
              const QTextCharFormat& format);

  QRegularExpression macros_;
};

}  // namespace orvane
