#pragma once

#include <QString>
#include <filesystem>

#include "platform/FileDialogFilter.h"
#include "platform/Types.h"

namespace orvane {

// QString and WideString are both UTF-16: the units are copied as they are.
QString ToQString(const WideString& text);
WideString ToWide(const QString& text);

// Shift_JIS text of the settings files, through the code page 932 table.
QString SjisToQString(const AnsiString& text);
AnsiString QStringToSjis(const QString& text);

// Paths are UTF-8 on this file system.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);

// A multi-line text field's text (lines ended by LF) and program text
// (lines ended by CR LF).
QString FromCrLf(const WideString& text);
WideString ToCrLf(const QString& text);

// A file dialog's filter as Qt writes it: "description (*.a *.b)".
QString ToQtFilter(const FileDialogFilter& filter);

}  // namespace orvane
