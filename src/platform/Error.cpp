#include "platform/Error.h"

#include "platform/CodePage.h"

namespace orvane {

Error::Error(WideString message)
    : std::runtime_error(WideToUtf8(message)), message_(std::move(message)) {}

WideString FormatMessage(const WideString& pattern, const WideString& value) {
  WideString result = pattern;
  if (auto at = result.find(u"%s"); at != WideString::npos) result.replace(at, 2, value);
  return result;
}

}  // namespace orvane
