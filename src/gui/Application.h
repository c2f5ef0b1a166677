#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

namespace orvane {

// The application object: title "Orvane", the help file "Orvane.hlp", the
// window font and icon, Qt's own dialogs in Japanese, and the default error
// handler for whatever an event handler lets escape.
class TOrvaneApplication : public QApplication {
 public:
  TOrvaneApplication(int& argc, char** argv);

  const QString& HelpFile() const { return helpFile_; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  QString helpFile_;
  QTranslator qtTexts_;
};

// "ＭＳ Ｐゴシック" 12 pixels high, or an installed Japanese font in its place.
QFont WindowFont();

// Whether a window system is there to show windows on: a display, or a
// platform chosen through QT_QPA_PLATFORM.
bool HasDisplay();

}  // namespace orvane
