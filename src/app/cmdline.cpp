#include "app/cmdline.h"

#include <cwctype>
#include <optional>

#include "platform/AsciiText.h"

namespace orvane {

namespace {

// The text inside a leading double quote, "" standing for one quote.
WideString ExtractQuoted(const WideString& text) {
  WideString result;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] != u'"') {
      result += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == u'"') {
      result += u'"';
      ++i;
    } else {
      break;
    }
  }
  return result;
}

// Lower case by the rules of the process's locale (the user's, once the
// application object has set it up); surrogates are left alone.
WideString LowerCase(WideString text) {
  for (char16_t& c : text)
    if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(std::towlower(c));
  return text;
}

std::optional<size_t> FindKey(const Arguments& arguments, const WideString& name, bool ignoreCase) {
  const WideString wanted = ignoreCase ? LowerCase(name) : name;
  for (size_t i = 0; i < arguments.size(); ++i) {
    WideString key = SwitchKey(arguments[i]);
    if ((ignoreCase ? LowerCase(key) : key) == wanted) return i;
  }
  return std::nullopt;
}

}  // namespace

bool IsSwitch(const WideString& argument) {
  if (argument.empty()) return false;
  if (argument[0] == u'/') return argument.find(u'/', 1) == WideString::npos;
  return argument[0] == u'-' || argument[0] == u'+';
}

WideString SwitchKey(const WideString& argument) {
  return argument.substr(0, argument.find_first_of(u"=: "));
}

WideString SwitchValue(const WideString& argument) {
  size_t separator = argument.find(u'=');
  if (separator == WideString::npos) separator = argument.find(u':');
  if (separator == WideString::npos) return {};
  WideString value(Trim(std::u16string_view(argument).substr(separator + 1)));
  if (value.empty() || value[0] != u'"') return value;
  WideString unquoted = ExtractQuoted(value);
  return unquoted.empty() ? value : unquoted;
}

bool HasSwitch(const Arguments& arguments, const WideString& name, bool ignoreCase) {
  return FindKey(arguments, name, ignoreCase).has_value();
}

WideString GetSwitchValue(const Arguments& arguments, const WideString& name, bool ignoreCase) {
  auto index = FindKey(arguments, name, ignoreCase);
  return index ? SwitchValue(arguments[*index]) : WideString();
}

}  // namespace orvane
