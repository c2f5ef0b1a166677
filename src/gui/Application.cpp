#include "gui/Application.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <cstdlib>

#include "app/ShippedFiles.h"
#include "gui/ErrorHandler.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {

TOrvaneApplication::TOrvaneApplication(int& argc, char** argv)
    : QApplication(argc, argv), helpFile_(QString::fromUtf8(kHelpFileName)) {
  // The application's title; no display name, which the window system
  // would append to every window caption.
  setApplicationName(QStringLiteral("Orvane"));
  setFont(WindowFont());
  // The desktop ties the windows to the menu entry orvane.desktop. The icon
  // is the installed theme's; run from a build folder, the one built in.
  setDesktopFileName(QStringLiteral("orvane"));
  QIcon builtIn;
  for (int size : {16, 32, 48, 256})
    builtIn.addFile(QStringLiteral(":/app/orvane-%1.png").arg(size), QSize(size, size));
  setWindowIcon(QIcon::fromTheme(QStringLiteral("orvane"), builtIn));
  // The program speaks Japanese whatever the locale: so do the buttons and
  // labels of Qt's message boxes, input box and file chooser.
  if (qtTexts_.load(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(&qtTexts_);
}

bool TOrvaneApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const Error& error) {
    ShowError(activeWindow(), error.Message());
  } catch (const std::exception& error) {
    ShowError(activeWindow(), Utf8ToWide(error.what()));
  }
  return false;
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic")});
  font.setPixelSize(12);
  return font;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

}  // namespace orvane
