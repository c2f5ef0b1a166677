#include "gui/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>
#include <system_error>

#include "gui/QtText.h"

namespace orvane {

void DesktopShell::OpenFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(path, ec);
  QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQString(ec ? path : full)));
}

void DesktopShell::OpenUrl(const WideString& url) {
  QDesktopServices::openUrl(QUrl(ToQString(url)));
}

}  // namespace orvane
