#include "mime/HeaderString.h"

#include "mime/HeaderFolding.h"
#include "platform/AsciiText.h"

namespace orvane {
namespace {}  // namespace

void THeaderString::SetText(std::string_view text) {
  Text = text;
  // Byte for byte, so positions in the copy are positions in the text.
  LowerText = ToAsciiLower(text);
}

void THeaderString::Clear() {
  Text.clear();
  LowerText.clear();
}

std::optional<size_t> THeaderString::Find(std::string_view key) const {
  const size_t at = LowerText.find(key);
  if (at == AnsiString::npos) return std::nullopt;
  return at;
}

AnsiString THeaderString::FieldValue(std::string_view key) const {
  const std::optional<size_t> at = Find(key);
  if (!at) return {};
  const size_t start = *at + key.size();
  std::string_view value = std::string_view(Text).substr(start, FieldEnd(LowerText, start) - start);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  return AnsiString(value);
}

void THeaderString::SetField(std::string_view key, std::string_view fieldName,
                             std::string_view value) {
  SetText("\r\n" + AnsiString(Trim(Text)) + "\r\n");
  const std::optional<size_t> at = Find(key);
  if (!at) {
    if (!value.empty()) AppendLine(AnsiString(fieldName) + " " + AnsiString(Trim(value)));
    return;
  }
  const size_t end = FieldEnd(LowerText, *at + key.size());
  AnsiString text = Text.substr(0, *at);
  if (!Trim(value).empty())
    text += "\r\n" + ContinueLines(AnsiString(fieldName) + " " + AnsiString(Trim(value)));
  text += std::string_view(Text).substr(end);
  SetText(text);
}

void THeaderString::AppendLine(std::string_view line) {
  SetText("\r\n" + AnsiString(Trim(Text)) + "\r\n" + ContinueLines(Trim(line)) + "\r\n");
}

}  // namespace orvane
