#include "mime/FieldRemoval.h"

#include "mime/HeaderFolding.h"
#include "platform/AsciiText.h"

namespace orvane {
namespace {

bool IsFieldNamed(std::string_view line, std::string_view name) {
  if (!StartsWithAsciiText(line, name)) return false;
  std::string_view rest = line.substr(name.size());
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  return rest.starts_with(':');
}

}  // namespace

AnsiString WithoutHeaderField(std::string_view message, std::string_view name) {
  AnsiString result;
  result.reserve(message.size());
  size_t pos = 0;
  // Each turn looks at the field that starts at pos; the header ends at an
  // empty line, or with the text.
  while (pos < message.size() && !message.substr(pos).starts_with("\r\n")) {
    size_t end = FieldEnd(message, pos);
    end = end + 2 <= message.size() ? end + 2 : message.size();  // with its CR LF
    if (!IsFieldNamed(message.substr(pos), name)) result.append(message.substr(pos, end - pos));
    pos = end;
  }
  result.append(message.substr(pos));
  return result;
}

}  // namespace orvane
