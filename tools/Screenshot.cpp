// orvane_screenshot FILE [MENU] [ARGUMENT...]: starts the main window with
// the arguments as its command line, and writes it as a PNG file; with MENU
// (a menu's name such as "A1", or "-" for none) that menu is written beside
// it as FILE with "-MENU" before the extension.

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/MainForm.h"
#include "app/forms/MainFormView.h"
#include "gui/Application.h"
#include "gui/MessagePrompt.h"
#include "platform/CodePage.h"
#include "platform/Path.h"

namespace {

class NoShell final : public orvane::Shell {
 public:
  void OpenFile(const std::filesystem::path&) override {}
  void OpenUrl(const orvane::WideString&) override {}
};

class NoClipboard final : public orvane::Clipboard {
 public:
  orvane::WideString Text() const override { return {}; }
  void SetText(const orvane::WideString&) override {}
};

bool Save(QWidget* widget, const QString& file) {
  if (widget->grab().save(file, "PNG")) return true;
  std::fprintf(stderr, "orvane_screenshot: cannot write %s\n", qPrintable(file));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orvane;
  if (argc < 2) {
    std::fprintf(stderr, "usage: orvane_screenshot FILE [MENU] [ARGUMENT...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TOrvaneApplication application(argc, argv);
  const QString file = QString::fromLocal8Bit(argv[1]);
  const QString menuName = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("-");

  Arguments arguments{Utf8ToWide(argv[0])};
  for (int i = 3; i < argc; ++i) arguments.push_back(Utf8ToWide(argv[i]));
  NoShell shell;
  NoClipboard clipboard;
  SystemClock clock;
  MessagePrompt prompt;
  TOrvaneMainForm form(MainFormServices{IniFileUnit(DefaultProgramFolder()), clock, shell,
                                        clipboard, prompt, ExecutableFolder().parent_path()},
                       std::move(arguments));
  TOrvaneMainFormView::SetAnimationsEnabled(false);
  TOrvaneMainFormView window(form);
  window.Start();
  application.processEvents();

  bool saved = Save(&window, file);
  if (menuName != QLatin1String("-")) {
    auto* menu = window.menuBar()->findChild<QMenu*>(menuName);
    if (!menu) {
      std::fprintf(stderr, "orvane_screenshot: no menu %s\n", qPrintable(menuName));
      return 1;
    }
    emit menu->aboutToShow();
    menu->adjustSize();
    const QFileInfo info(file);
    saved = Save(menu, info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('-') +
                           menuName + QStringLiteral(".png")) &&
            saved;
  }
  return saved ? 0 : 1;
}
