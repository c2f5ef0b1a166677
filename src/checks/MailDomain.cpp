#include "checks/MailDomain.h"

#include "checks/Punycode.h"
#include "platform/AsciiText.h"

namespace orvane {

namespace {

constexpr std::u16string_view kAcePrefix = u"xn--";

// The position of the "@" that ends the local part: the last one outside
// double quotes, where a backslash takes the next character.
size_t DomainAt(std::u16string_view address) {
  size_t at = std::u16string_view::npos;
  bool quoted = false;
  for (size_t i = 0; i < address.size(); ++i) {
    const char16_t c = address[i];
    if (quoted && c == u'\\') {
      ++i;
    } else if (c == u'"') {
      quoted = !quoted;
    } else if (c == u'@' && !quoted) {
      at = i;
    }
  }
  return at;
}

// A character as IDNA maps it before a domain is compared: the full-width
// forms of ASCII and the other full stops become ASCII, letters lower case.
char16_t Folded(char16_t c) {
  if (c == u'。' || c == u'｡') return u'.';
  if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFF01 + 0x21);
  return AsciiLower(c);
}

WideString UnicodeLabel(std::u16string_view label) {
  if (label.size() > kAcePrefix.size() && label.starts_with(kAcePrefix))
    if (auto decoded = DecodePunycode(label.substr(kAcePrefix.size()))) return *decoded;
  return WideString(label);
}

}  // namespace

WideString DomainName(std::u16string_view domain) {
  domain = Trim(domain);
  WideString folded;
  for (char16_t c : domain) folded += Folded(c);
  if (folded.starts_with(u'@')) folded.erase(0, 1);
  while (folded.ends_with(u'.')) folded.pop_back();
  WideString name;
  size_t start = 0;
  for (size_t dot; (dot = folded.find(u'.', start)) != WideString::npos; start = dot + 1) {
    name += UnicodeLabel(std::u16string_view(folded).substr(start, dot - start));
    name += u'.';
  }
  return name + UnicodeLabel(std::u16string_view(folded).substr(start));
}

WideString DomainOf(std::u16string_view address) {
  const size_t at = DomainAt(address);
  return at == std::u16string_view::npos ? WideString() : DomainName(address.substr(at + 1));
}

WideString ComparableAddress(std::u16string_view address) {
  address = Trim(address);
  const size_t at = DomainAt(address);
  if (at == std::u16string_view::npos) return ToAsciiLower(address);
  return ToAsciiLower(address.substr(0, at)) + u'@' + DomainOf(address);
}

bool IsSubdomainOf(std::u16string_view domain, std::u16string_view of) {
  return !of.empty() && domain.size() > of.size() + 1 && domain.ends_with(of) &&
         domain[domain.size() - of.size() - 1] == u'.';
}

}  // namespace orvane
