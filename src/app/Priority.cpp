#include "app/Priority.h"

namespace orvane {

std::vector<AnsiString> PriorityLines(int level) {
  const bool high = level == 1 || level == 2;
  if (!high && level != 4 && level != 5) return {};
  return {
      AnsiString("Priority:") + (high ? " urgent" : " non-urgent"),
      "X-Priority: " + std::to_string(level),
      AnsiString("X-MSMail-Priority:") + (high ? " High" : " Low"),
  };
}

}  // namespace orvane
