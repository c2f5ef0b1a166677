#include "app/ToolBarSettings.h"

#include <algorithm>
#include <string>

namespace orvane {

const std::vector<int>& DefaultToolBar() {
  static const std::vector<int> codes{1, 0, 7, 0, 9, 5, 11, 0, 14, 15};
  return codes;
}

ToolBarLayout ReadToolBarLayout(const IniFileUnit& settings) {
  // One reading of the file for every item.
  const ProfileText general = settings.GeneralFile().Load();
  auto readInteger = [&](const char* section, const std::string& key, int defaultValue) {
    auto text = general.Find(section, key);
    return text ? ParseInteger(*text).value_or(defaultValue) : defaultValue;
  };
  ToolBarLayout layout;
  layout.flat = readInteger(keys::kToolBarFlat.section, keys::kToolBarFlat.key, 0) != 0;
  const int count = readInteger(keys::kToolBarItemCount.section, keys::kToolBarItemCount.key,
                                keys::kToolBarItemCount.defaultValue);
  if (count == -1) {
    layout.codes = DefaultToolBar();
    return layout;
  }
  for (int i = 1; i <= std::min(count, kMaxToolBarItems); ++i)
    layout.codes.push_back(
        readInteger(keys::kToolBarSection, keys::kToolBarItemPrefix + std::to_string(i), 0));
  return layout;
}

}  // namespace orvane
