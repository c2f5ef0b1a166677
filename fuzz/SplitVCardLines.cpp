// The vCard line splitter over large inputs (run with a 1 MiB length limit
// and a 2 s time-out): lines start in the order of the text, and every
// property's value decodes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "addressbook/VCardLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  std::size_t previous = 0;
  for (const VCardLine& line :
       SplitVCardLines(std::string_view(reinterpret_cast<const char*>(data), size))) {
    if (line.Line <= previous) __builtin_trap();
    previous = line.Line;
    if (!line.IsProperty) continue;
    line.Property.Text();
    line.Property.Components();
  }
  return 0;
}
