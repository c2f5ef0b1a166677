#include "app/SubjectUnit.h"

#include "platform/AsciiText.h"

namespace orvane {

namespace {

// The 1-based position of c in text, 0 when it is not there.
size_t PositionOf(std::u16string_view text, char16_t c) {
  const size_t at = text.find(c);
  return at == std::u16string_view::npos ? 0 : at + 1;
}

// The characters after 1-based position p.
std::u16string_view After(std::u16string_view text, size_t p) {
  return p < text.size() ? text.substr(p) : std::u16string_view();
}

// Where a reply prefix's ":" may stand at the latest.
constexpr size_t kReplyPrefixReach = 7;

}  // namespace

WideString StripListTag(std::u16string_view subject) {
  const size_t a = PositionOf(subject, u'[');
  const size_t b = PositionOf(After(subject, a), u':');
  const size_t c = PositionOf(After(subject, a + b), u']');
  WideString result(subject.substr(0, a == 0 ? 0 : a - 1));
  result += After(subject, a + b + c);
  return WideString(TrimLeft(result));
}

WideString StripReplyPrefix(std::u16string_view subject) {
  while (subject.size() >= 2 && SameAsciiText(subject.substr(0, 2), u"re")) {
    const size_t colon = subject.substr(0, kReplyPrefixReach).find(u':');
    if (colon == std::u16string_view::npos) break;
    subject = TrimLeft(subject.substr(colon + 1));
  }
  return WideString(subject);
}

}  // namespace orvane
