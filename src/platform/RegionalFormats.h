#pragma once

#include "platform/Types.h"

namespace orvane {

// The Japanese regional date and time formats, in the format language of
// the date formatter.
struct RegionalFormats {
  WideString shortDateFormat = u"yyyy/mm/dd";
  WideString longDateFormat = u"yyyy'年'm'月'd'日'";
  WideString shortTimeFormat = u"h:nn";
  WideString longTimeFormat = u"h:nn:ss";
  char16_t dateSeparator = u'/';
  char16_t timeSeparator = u':';
  WideString timeAmString = u"午前";
  WideString timePmString = u"午後";
};

inline const RegionalFormats& JapaneseFormats() {
  static const RegionalFormats formats;
  return formats;
}

}  // namespace orvane
