#pragma once

#include <string_view>

#include "platform/Clock.h"
#include "platform/RegionalFormats.h"
#include "platform/Types.h"

namespace orvane {

// Formats a local date-time with the Japanese-calendar format language:
// Y year, E year of the era, G era, J sexagenary cycle, L leap year, M month,
// K traditional month names, D day and English weekdays, A morning and
// afternoon or Japanese weekdays, W week of the month, P days left in the
// month, U Julian day number, H hour and zodiac hours, F twelve-hour clock
// and bell hours, N minute, S second, Z millisecond, R age of the moon,
// T/V/C the regional time, date and date-time formats; "/" and ":" the
// regional separators; "%" and "\" switch full-width and kanji digits;
// quoted text is copied. The case of a letter picks between its two forms,
// the length of its run picks the form. An empty format is "C".
//
// Widths are counted in Shift_JIS columns (a full-width character counts
// two), so the format is taken to Shift_JIS on the way in, where a
// character that Shift_JIS lacks becomes "?". The result holds at most 256
// columns; the rest is dropped.
WideString FormatDateTimeEx(std::u16string_view format, const LocalDateTime& moment,
                            const RegionalFormats& formats = JapaneseFormats());

}  // namespace orvane
