#include "app/OutboxSummary.h"

#include "mime/HeaderDecoding.h"
#include "mime/HeaderFields.h"
#include "platform/CodePage.h"

namespace orvane {

WideString OutboxSubject(const Outbox& outbox, const std::string& id) {
  const std::optional<AnsiString> text = outbox.Text(id);
  if (!text) return {};
  for (const HeaderField& field : ReadHeaderFields(*text).fields) {
    if (!IsNamed(field, "Subject")) continue;
    // Unfolding drops the line breaks alone (RFC 5322 section 2.2.3).
    std::string unfolded;
    for (char c : field.value)
      if (c != '\r' && c != '\n') unfolded += c;
    WideString subject = DecodeHeaderText(unfolded).Text;
    const size_t first = subject.find_first_not_of(u' ');
    return first == WideString::npos ? WideString() : subject.substr(first);
  }
  return {};
}

WideString OutboxRecipients(const OutboxRecord& record) {
  WideString joined;
  for (const AnsiString& address : record.recipients) {
    if (!joined.empty()) joined += u", ";
    joined += SjisToWide(address);
  }
  return joined;
}

}  // namespace orvane
