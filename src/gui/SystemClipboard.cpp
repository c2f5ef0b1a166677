#include "gui/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/QtText.h"

namespace orvane {

WideString SystemClipboard::Text() const {
  return ToWide(QGuiApplication::clipboard()->text());
}

void SystemClipboard::SetText(const WideString& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace orvane
