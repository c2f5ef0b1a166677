#include "oauth/FormFields.h"

#include "mime/PercentEncoding.h"

namespace orvane {
namespace {

// RFC 3986 section 2.3: what is not unreserved is escaped.
constexpr std::string_view kUnreservedMarks = "-._~";

AnsiString Decoded(std::string_view text) {
  return PercentDecodeUri(text, true);
}

}  // namespace

AnsiString FormEncode(const FormFields& fields) {
  AnsiString out;
  for (const auto& [name, value] : fields) {
    if (!out.empty()) out += '&';
    out += PercentEncode(name, kUnreservedMarks) + '=' + PercentEncode(value, kUnreservedMarks);
  }
  return out;
}

FormFields FormDecode(std::string_view text) {
  FormFields fields;
  while (!text.empty()) {
    const std::size_t end = text.find('&');
    const std::string_view field = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (field.empty()) continue;
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos)
      fields.emplace_back(Decoded(field), AnsiString());
    else
      fields.emplace_back(Decoded(field.substr(0, equals)), Decoded(field.substr(equals + 1)));
  }
  return fields;
}

std::optional<AnsiString> FormValue(const FormFields& fields, std::string_view name) {
  for (const auto& [fieldName, value] : fields)
    if (fieldName == name) return value;
  return std::nullopt;
}

}  // namespace orvane
