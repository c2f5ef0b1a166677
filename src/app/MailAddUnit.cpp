#include "app/MailAddUnit.h"

#include "platform/AsciiText.h"

namespace orvane {

namespace {

constexpr std::u16string_view kRfc822Specials = u"()<>@,;:\\.[]\"";

// Comments are not nested: the first ")" ends one. A double quote inside a
// comment is part of the comment.
WideString WithoutComments(std::u16string_view text) {
  WideString kept;
  bool inQuotes = false;
  bool inComment = false;
  for (char16_t c : text) {
    if (inComment) {
      inComment = c != u')';
    } else if (c == u'(' && !inQuotes) {
      inComment = true;
    } else {
      if (c == u'"') inQuotes = !inQuotes;
      kept.push_back(c);
    }
  }
  return kept;
}

bool IsEnclosedIn(std::u16string_view text, char16_t open, char16_t close) {
  return text.size() >= 2 && text.front() == open && text.back() == close;
}

// The content of a quoted string: a backslash takes the next character
// literally (RFC 5322 section 3.2.4).
WideString Unquoted(std::u16string_view content) {
  WideString text;
  for (size_t i = 0; i < content.size(); ++i) {
    if (content[i] == u'\\' && i + 1 < content.size()) ++i;
    text.push_back(content[i]);
  }
  return text;
}

}  // namespace

WideString QuoteDisplayName(std::u16string_view name) {
  if (name.find_first_of(kRfc822Specials) == std::u16string_view::npos) return WideString(name);
  WideString quoted = u"\"";
  for (char16_t c : name) {
    if (c == u'"' || c == u'\\') quoted.push_back(u'\\');
    quoted.push_back(c);
  }
  quoted.push_back(u'"');
  return quoted;
}

WideString ExtractAddress(std::u16string_view entry, bool stripBrackets, bool removeComments) {
  if (entry.find(u'<') == std::u16string_view::npos ||
      entry.find(u'>') == std::u16string_view::npos)
    return WideString(entry);
  WideString taken;
  bool taking = false;
  for (size_t i = entry.size(); i-- > 0;) {
    const char16_t c = entry[i];
    if (c == u'>') taking = true;
    if (!taking) continue;
    taken.push_back(c);
    if (c == u'<') taking = false;
  }
  WideString address(taken.rbegin(), taken.rend());
  std::u16string_view view = Trim(address);
  if (stripBrackets && IsEnclosedIn(view, u'<', u'>')) view = Trim(view.substr(1, view.size() - 2));
  if (!removeComments) return WideString(view);
  return WideString(Trim(WithoutComments(view)));
}

WideString ExtractDisplayName(std::u16string_view entry, bool stripQuotes, bool removeComments) {
  std::u16string_view name;
  if (!entry.empty() && entry.back() == u'>') {
    const size_t open = entry.rfind(u'<');
    if (open != std::u16string_view::npos) name = Trim(entry.substr(0, open));
  }
  WideString result(name);
  if (stripQuotes && IsEnclosedIn(name, u'"', u'"'))
    result = Trim(Unquoted(name.substr(1, name.size() - 2)));
  if (removeComments) result = WithoutComments(result);
  return WideString(Trim(result));
}

}  // namespace orvane
