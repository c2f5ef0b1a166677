#include "oauth/FormFields.h"

#include "mime/HexDigits.h"

namespace orvane {
namespace {

bool IsUnreserved(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

void AppendEncoded(std::string_view text, AnsiString& out) {
  for (char c : text) {
    if (IsUnreserved(c)) {
      out += c;
      continue;
    }
    const auto b = static_cast<unsigned char>(c);
    out += '%';
    out += kUpperHexDigits[b >> 4];
    out += kUpperHexDigits[b & 15];
  }
}

AnsiString Decoded(std::string_view text) {
  AnsiString out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

AnsiString FormEncode(const FormFields& fields) {
  AnsiString out;
  for (const auto& [name, value] : fields) {
    if (!out.empty()) out += '&';
    AppendEncoded(name, out);
    out += '=';
    AppendEncoded(value, out);
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
