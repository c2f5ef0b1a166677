#pragma once

#include <vector>

#include "settings/IniFileUnit.h"

namespace orvane {

// The toolbar as the settings describe it: items left to right. Code 0 is
// a separator 8 pixels wide, 1 to 21 a button bound to an action, any other
// code a button bound to nothing.
struct ToolBarLayout {
  bool flat = false;
  std::vector<int> codes;
  bool operator==(const ToolBarLayout&) const = default;
};

// 1, 0, 7, 0, 9, 5, 11, 0, 14, 15: account settings, address book,
// attachments, signature, extended headers, version and help.
const std::vector<int>& DefaultToolBar();

// ToolBarOpt/Flat and the items ToolBar/Item1 to ItemCount, or the default
// toolbar while ItemCount is -1 (or missing).
ToolBarLayout ReadToolBarLayout(const IniFileUnit& settings);

// More items than any toolbar can show; a count beyond it in a settings
// file edited by hand would only exhaust memory.
inline constexpr int kMaxToolBarItems = 256;

}  // namespace orvane
