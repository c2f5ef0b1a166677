// orvane_screenshot [--font PIXELS] FOLDER [NAME...]: draws the windows of
// the gallery named (all of them when none is named) over a sample program
// folder, ORVANE_HOME, which must be empty, and writes each as FOLDER/NAME.png.
// orvane_screenshot --list names the windows.

#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Gallery.h"
#include "gui/Application.h"
#include "platform/Path.h"
#include "settings/SettingKeys.h"

int main(int argc, char** argv) {
  using namespace orvane;
  using namespace orvane::gallery;
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const GalleryWindow& window : GalleryWindows()) std::printf("%s\n", window.name);
    return 0;
  }
  int first = 1;
  int fontPixels = 0;
  if (argc > 2 && std::strcmp(argv[1], "--font") == 0) {
    fontPixels = std::atoi(argv[2]);
    first = 3;
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: orvane_screenshot [--font PIXELS] FOLDER [NAME...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TOrvaneApplication application(argc, argv);
  if (fontPixels > 0) {
    QFont font = WindowFont();
    font.setPixelSize(fontPixels);
    QApplication::setFont(font);
  }
  const QString folder = QString::fromLocal8Bit(argv[first]);
  QDir().mkpath(folder);

  std::vector<std::string> names(argv + first + 1, argv + argc);
  if (names.empty())
    for (const GalleryWindow& window : GalleryWindows()) names.emplace_back(window.name);

  GallerySession session(DefaultProgramFolder(kGeneralFileName));
  int failures = 0;
  for (const std::string& name : names) {
    QWidget* window = ShowGalleryWindow(session, name);
    const QString file = folder + QLatin1Char('/') + QString::fromStdString(name) + ".png";
    if (!window) {
      std::fprintf(stderr, "orvane_screenshot: no window %s (see --list)\n", name.c_str());
      ++failures;
    } else if (!window->grab().save(file, "PNG")) {
      std::fprintf(stderr, "orvane_screenshot: cannot write %s\n", qPrintable(file));
      ++failures;
    } else {
      std::printf("%s\n", qPrintable(file));
    }
  }
  return failures == 0 ? 0 : 1;
}
