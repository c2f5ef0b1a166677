#include "tools/send/Output.h"

#include <cstdlib>
#include <string>

#include "platform/CodePage.h"

namespace orvane {

void PrintError(const WideString& text) {
  PrintError(WideToUtf8(text));
}

void PrintError(std::string_view utf8) {
  std::fprintf(stderr, "orvane-send: %.*s\n", static_cast<int>(utf8.size()), utf8.data());
}

bool WantsEnglish() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return !std::string_view(value).starts_with("ja");
  }
  return true;
}

}  // namespace orvane
