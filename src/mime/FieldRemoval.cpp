#include "mime/FieldRemoval.h"

#include <algorithm>

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

// Calls field(pos, end) for each field of the header, end being past its
// CR LF; returns where the header ends: at an empty line, or with the text.
template <typename Field>
size_t ForEachField(std::string_view message, Field field) {
  size_t pos = 0;
  while (pos < message.size() && !message.substr(pos).starts_with("\r\n")) {
    size_t end = FieldEnd(message, pos);
    end = end + 2 <= message.size() ? end + 2 : message.size();
    field(pos, end);
    pos = end;
  }
  return pos;
}

}  // namespace

AnsiString WithoutHeaderField(std::string_view message, std::string_view name) {
  AnsiString result;
  result.reserve(message.size());
  const size_t body = ForEachField(message, [&](size_t pos, size_t end) {
    if (!IsFieldNamed(message.substr(pos), name)) result.append(message.substr(pos, end - pos));
  });
  result.append(message.substr(body));
  return result;
}

std::string_view MessageHeader(std::string_view message) {
  const size_t end = ForEachField(message, [](size_t, size_t) {});
  return message.substr(0, std::min(end + 2, message.size()));
}

bool HasHeaderField(std::string_view message, std::string_view name) {
  bool found = false;
  ForEachField(message, [&](size_t pos, size_t) {
    found = found || IsFieldNamed(message.substr(pos), name);
  });
  return found;
}

}  // namespace orvane
