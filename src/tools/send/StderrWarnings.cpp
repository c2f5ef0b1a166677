#include "tools/send/StderrWarnings.h"

#include "tools/send/Output.h"

namespace orvane {

TWarningChoice StderrWarnings::ShowWarnings(const std::vector<WideString>& lines) {
  bool warning = false;
  for (const WideString& line : lines) {
    PrintError(line);
    warning = warning || line.starts_with(u"[警告");
  }
  return strict_ && warning ? TWarningChoice::Stop : TWarningChoice::GoOn;
}

}  // namespace orvane
