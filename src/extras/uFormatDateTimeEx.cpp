#include "extras/uFormatDateTimeEx.h"

#include "extras/DateFormatter.h"
#include "platform/CodePage.h"

namespace orvane {

WideString FormatDateTimeEx(std::u16string_view format, const LocalDateTime& moment,
                            const RegionalFormats& formats) {
  const TDecodedDateTime time = DecodeDateTime(moment);
  TDateFormatter formatter(time, formats);
  formatter.Format(WideToSjis(format.empty() ? std::u16string_view(u"C") : format));
  return SjisToWide(formatter.Output());
}

}  // namespace orvane
