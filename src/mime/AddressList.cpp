#include "mime/AddressList.h"

#include "mime/MimeParser.h"
#include "platform/CodePage.h"

namespace orvane {

TParsedAddress ParseAddress(const WideString& text) {
  TMimeParser parser;
  parser.SetText(text);
  WideString bracketed, plain;
  bool hasBracketText = false;
  size_t consumed = 0;
  TMimeToken token;
  while (parser.Next(token)) {
    if (token.Kind == mtSpecial && token.Text == u"," && token.Depth == 0) {
      return {WideToSjis(hasBracketText ? bracketed : plain), text.substr(consumed + 1)};
    }
    consumed += token.Text.size();
    if (token.Depth > 0 && (token.Kind == mtAddress || token.Kind == mtQuoted)) {
      bracketed += token.Text;
      hasBracketText = true;
    } else if (token.Depth == 0 && (token.Kind == mtAscii || token.Kind == mtQuoted)) {
      plain += token.Text;
    }
  }
  return {WideToSjis(hasBracketText ? bracketed : plain), {}};
}

WideString OpenGroups(std::u16string_view list) {
  WideString open;
  size_t element = 0;  // where the current element begins in `open`
  int comments = 0;
  bool quoted = false, bracketed = false;
  for (size_t i = 0; i < list.size(); ++i) {
    char16_t c = list[i];
    if ((quoted || comments > 0) && c == u'\\' && i + 1 < list.size()) {
      open += c;
      open += list[++i];
      continue;
    }
    if (quoted) {
      quoted = c != u'"';
    } else if (c == u'(') {
      ++comments;
    } else if (comments > 0) {
      if (c == u')') --comments;
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u'<') {
      bracketed = true;
    } else if (c == u'>') {
      bracketed = false;
    } else if (!bracketed && c == u':') {
      open.erase(element);
      continue;
    } else if (!bracketed && (c == u',' || c == u';')) {
      c = u',';
      element = open.size() + 1;
    }
    open += c;
  }
  return open;
}

int TAddressList::Add(const WideString& text) {
  WideString rest = text;
  while (!rest.empty()) {
    TParsedAddress parsed = ParseAddress(rest);
    // An element without an address (as in "a@x,,b@y") is skipped, so no
    // recipient after it is lost.
    if (!parsed.address.empty() && present_.insert(parsed.address).second)
      items_.push_back(parsed.address);
    rest = std::move(parsed.rest);
  }
  return static_cast<int>(items_.size()) - 1;
}

int TAddressList::Add(std::string_view sjisText) {
  return Add(SjisToWide(sjisText));
}

int TAddressList::IndexOf(std::string_view address) const {
  if (!present_.contains(AnsiString(address))) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == address) return static_cast<int>(i);
  return -1;
}

void TAddressList::Clear() {
  items_.clear();
  present_.clear();
}

AnsiString TAddressList::Text() const {
  AnsiString text;
  for (const AnsiString& item : items_) text += item + "\r\n";
  return text;
}

}  // namespace orvane
