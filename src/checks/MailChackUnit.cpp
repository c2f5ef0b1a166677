#include "checks/MailChackUnit.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace orvane {

namespace {

// Reported items gathered as one text with a line break before every item
// but the first: an empty item that comes first leaves the text empty, and
// a break at the very end starts no line.
class JoinedLines {
 public:
  void Add(std::u16string_view item) {
    if (!text_.empty()) text_ += u'\r';
    text_ += item;
  }
  std::vector<WideString> Lines() const {
    std::vector<WideString> lines;
    size_t start = 0;
    for (size_t end; (end = text_.find(u'\r', start)) != WideString::npos; start = end + 1)
      lines.emplace_back(text_, start, end - start);
    if (start < text_.size()) lines.emplace_back(text_, start);
    return lines;
  }

 private:
  WideString text_;
};

bool IsRecipientSeparator(char16_t c) {
  return c == u',' || c == u';';
}

template <typename Report>
std::vector<WideString> ReportedEntries(std::u16string_view to, std::u16string_view cc,
                                        std::u16string_view bcc, Report report) {
  JoinedLines reported;
  for (const WideString& entry : SplitRecipients(JoinRecipients(to, cc, bcc)))
    if (report(AddressPart(entry))) reported.Add(entry);
  return reported.Lines();
}

}  // namespace

WideString JoinRecipients(std::u16string_view to, std::u16string_view cc, std::u16string_view bcc) {
  WideString joined(to);
  for (std::u16string_view more : {cc, bcc}) {
    if (!joined.empty() && !more.empty()) joined += u',';
    joined += more;
  }
  return joined;
}

std::vector<WideString> SplitRecipients(std::u16string_view joined) {
  JoinedLines entries;
  size_t start = 0;
  for (size_t i = 0; i <= joined.size(); ++i) {
    if (i < joined.size() && !IsRecipientSeparator(joined[i])) continue;
    entries.Add(joined.substr(start, i - start));
    start = i + 1;
  }
  return entries.Lines();
}

std::u16string_view AddressPart(std::u16string_view entry) {
  size_t open = entry.find(u'<');
  return open == std::u16string_view::npos ? entry : entry.substr(open);
}

std::vector<WideString> FindInvalidAddresses(std::u16string_view to, std::u16string_view cc,
                                             std::u16string_view bcc) {
  return ReportedEntries(to, cc, bcc, [](std::u16string_view address) {
    return address.find(u'@') == std::u16string_view::npos;
  });
}

std::vector<WideString> FindAddressesAt(std::u16string_view to, std::u16string_view cc,
                                        std::u16string_view bcc,
                                        const std::vector<WideString>& domains) {
  return ReportedEntries(to, cc, bcc, [&](std::u16string_view address) {
    size_t at = address.find(u'@');
    if (at == std::u16string_view::npos) return false;
    std::u16string_view domain = address.substr(at);
    return std::any_of(domains.begin(), domains.end(), [&](const WideString& listed) {
      return domain.find(listed) != std::u16string_view::npos;
    });
  });
}

bool IsRecipientListLong(std::u16string_view to, std::u16string_view cc, std::u16string_view bcc) {
  constexpr long kLongList = 100;
  const WideString joined = JoinRecipients(to, cc, bcc);
  return std::count_if(joined.begin(), joined.end(), IsRecipientSeparator) + 1 >= kLongList;
}

bool HasLongLine(std::u16string_view body, int lineLength) {
  // CR and LF never occur inside a double-byte character, so the bytes can
  // be walked one at a time.
  const AnsiString sjis = WideToSjis(body);
  long length = 0;
  for (size_t i = 0; i < sjis.size(); ++i) {
    if (sjis[i] == '\r' || sjis[i] == '\n') {
      if (length >= lineLength) return true;
      if (sjis[i] == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n') ++i;
      length = 0;
    } else {
      ++length;
    }
  }
  return length > 0 && length >= lineLength;
}

void AddWarningLines(std::vector<WideString>& lines, std::u16string_view message,
                     const std::vector<WideString>& items) {
  for (const WideString& item : items) lines.push_back(WideString(message) + item);
}

}  // namespace orvane
