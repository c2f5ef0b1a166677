#include "mime/HeaderFields.h"

#include <algorithm>
#include <optional>

#include "platform/AsciiText.h"

namespace orvane {
namespace {

std::optional<std::string_view> FieldName(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view name = TrimRight(line.substr(0, colon));
  if (name.empty()) return std::nullopt;
  for (char c : name)
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F)
      return std::nullopt;
  return name;
}

}  // namespace

HeaderFields ReadHeaderFields(std::string_view message) {
  HeaderFields header;
  size_t pos = 0;
  if (message.starts_with("From ")) pos = std::min(message.find('\n'), message.size() - 1) + 1;
  while (pos < message.size()) {
    const size_t newline = message.find('\n', pos);
    const size_t next = newline == std::string_view::npos ? message.size() : newline + 1;
    std::string_view line = message.substr(pos, next - pos);
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) {
      pos = next;
      header.emptyLine = newline != std::string_view::npos;
      break;
    }
    // A CR that ends no line would end one on the wire, where what follows
    // it would stand as a field of its own.
    if (line.find('\r') != std::string_view::npos) {
      header.bareCr = true;
      break;
    }
    if ((line.front() == ' ' || line.front() == '\t') && !header.fields.empty()) {
      header.fields.back().value += "\r\n";
      header.fields.back().value += line;
      header.fields.back().end = next;
    } else if (std::optional<std::string_view> name = FieldName(line)) {
      header.fields.push_back({*name, AnsiString(line.substr(line.find(':') + 1)), pos, next});
    } else {
      break;
    }
    pos = next;
  }
  header.bodyStart = pos;
  return header;
}

bool IsNamed(const HeaderField& field, std::string_view name) {
  return SameAsciiText(field.name, name);
}

AnsiString WithoutHeaderField(std::string_view message, std::string_view name) {
  const HeaderFields header = ReadHeaderFields(message);
  AnsiString result;
  result.reserve(message.size());
  size_t kept = 0;  // what is copied so far
  for (const HeaderField& field : header.fields) {
    if (!IsNamed(field, name)) continue;
    result.append(message.substr(kept, field.begin - kept));
    kept = field.end;
  }
  result.append(message.substr(kept));
  return result;
}

std::string_view MessageHeader(std::string_view message) {
  return message.substr(0, ReadHeaderFields(message).bodyStart);
}

bool HasHeaderField(std::string_view message, std::string_view name) {
  const HeaderFields header = ReadHeaderFields(message);
  return std::any_of(header.fields.begin(), header.fields.end(),
                     [&](const HeaderField& field) { return IsNamed(field, name); });
}

}  // namespace orvane
