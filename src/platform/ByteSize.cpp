#include "platform/ByteSize.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace orvane {

WideString MegabytesText(std::uint64_t octets) {
  char text[48];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(octets) / (1024.0 * 1024.0));
  return Utf8ToWide(text);
}

}  // namespace orvane
