#include "gui/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>

#include "gui/ErrorHandler.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr const char* kHelpWindowName = "HelpWindow";

QTextBrowser* HelpBrowser(QWidget* owner) {
  if (auto* browser = owner->findChild<QTextBrowser*>(QLatin1String(kHelpWindowName),
                                                      Qt::FindDirectChildrenOnly))
    return browser;
  auto* browser = new QTextBrowser(owner);
  browser->setObjectName(QLatin1String(kHelpWindowName));
  browser->setWindowFlag(Qt::Window);
  browser->setWindowTitle(QStringLiteral("Orvane ヘルプ"));
  browser->setOpenExternalLinks(true);
  browser->resize(560, 420);
  return browser;
}

}  // namespace

void ShowHelpTopic(QWidget* owner, const std::filesystem::path& indexPage, int topic) {
  QTextBrowser* browser = HelpBrowser(owner);
  QUrl url = QUrl::fromLocalFile(PathToQString(indexPage));
  url.setFragment(QString::number(topic));
  browser->setSource(url);
  browser->show();
  browser->raise();
  browser->activateWindow();
}

void ShowDialogHelp(QWidget* dialog, const HelpOpener& help, int topic) {
  RunGuarded(dialog, [&] { help(dialog, topic); });
}

}  // namespace orvane
