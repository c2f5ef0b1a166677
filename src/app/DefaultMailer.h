#pragma once

#include "platform/DesktopMime.h"
#include "platform/Prompt.h"

namespace orvane {

// The installed desktop entry and the kind of link it opens.
inline constexpr const char* kDesktopEntryName = "orvane.desktop";
inline constexpr const char* kMailtoMimeType = "x-scheme-handler/mailto";

// 設定 > "既定のメールソフトにする": makes this program the one the desktop
// starts for a mailto: link, checks that the desktop took it, and tells the
// user how it went.
void MakeDefaultMailer(DesktopMime& desktop, Prompt& prompt);

}  // namespace orvane
