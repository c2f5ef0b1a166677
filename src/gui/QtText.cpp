#include "gui/QtText.h"

#include <QStringList>

#include "platform/CodePage.h"
#include "platform/Path.h"

namespace orvane {

QString ToQString(const WideString& text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

WideString ToWide(const QString& text) {
  return WideString(reinterpret_cast<const char16_t*>(text.utf16()),
                    static_cast<size_t>(text.size()));
}

QString SjisToQString(const AnsiString& text) {
  return ToQString(SjisToWide(text));
}

AnsiString QStringToSjis(const QString& text) {
  return WideToSjis(ToWide(text));
}

QString PathToQString(const std::filesystem::path& path) {
  return ToQString(PathToWide(path));
}

std::filesystem::path QStringToPath(const QString& text) {
  return WideToPath(ToWide(text));
}

QString FromCrLf(const WideString& text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

WideString ToCrLf(const QString& text) {
  return ToWide(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

QString ToQtFilter(const FileDialogFilter& filter) {
  QStringList patterns;
  for (const WideString& pattern : filter.patterns) patterns << ToQString(pattern);
  return ToQString(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

}  // namespace orvane
