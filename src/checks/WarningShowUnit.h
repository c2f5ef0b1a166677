#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "checks/WarningRules.h"
#include "platform/Types.h"

namespace orvane {

// The controller of the warning dialog "警告 / 注意" (TWarningForm): the
// collected lines in the order the list shows them, and what each line
// means to the dialog.
class TWarningForm {
 public:
  static constexpr int kHelpTopic = 19;

  // The lines in ascending order of their Shift_JIS codes, the order of the
  // Japanese collation: every 警告 line, then 情報, then 注意; within a tag by
  // code number, then by the item after the message.
  explicit TWarningForm(std::vector<WideString> lines);

  const std::vector<WideString>& Lines() const { return lines_; }

  // The severity the first character after the line's "[" names.
  static std::optional<TSeverity> SeverityOf(std::u16string_view line);

  // The help topic a double-click on the line opens: 100 for 警, 200 for 注,
  // 300 for 情, plus the line's code ("[警告13]" gives 113; a code outside
  // 01 to 16 counts 0). 0 for a line without a severity: nothing opens.
  static int HelpTopicOf(std::u16string_view line);

 private:
  std::vector<WideString> lines_;
};

}  // namespace orvane
