#pragma once

#include <string_view>

#include "extras/JapaneseCalendar.h"
#include "platform/RegionalFormats.h"
#include "platform/Types.h"

namespace orvane {

// One run of the date formatter: the digit modes, the nesting depth and the
// output of one FormatDateTimeEx call. Formats and output are Shift_JIS,
// where one byte is one column.
class TDateFormatter {
 public:
  static constexpr size_t kMaxColumns = 256;

  TDateFormatter(const TDecodedDateTime& time, const RegionalFormats& formats)
      : t_(time), formats_(formats) {}

  // Reads a format from left to right into the output.
  void Format(std::string_view format);
  const AnsiString& Output() const { return out_; }

 private:
  // A run of n equal letters (letter in lower case; upper: how it was
  // written), the run already consumed.
  void PutLetter(char letter, bool upper, int n);
  // A single "a" or "A" at the start of rest, read with what follows it;
  // returns the bytes consumed.
  size_t PutMorningAfternoon(std::string_view rest);
  void PutMoonAge(int n, bool upper);
  // Formats another format with the same modes and output, one level deep.
  void Nested(std::u16string_view format);

  // Appends whole characters while they fit in kMaxColumns; the first that
  // does not closes the output.
  void Put(std::string_view sjis);
  void Put(std::u16string_view text);
  // A number of width w, filled with "0" (lower case) or blanks (upper),
  // in the digits of the current mode.
  void PutNumber(long long value, int width, bool upper);
  bool DigitMode() const { return fullWidth_ || kanji_; }

  const TDecodedDateTime& t_;
  const RegionalFormats& formats_;
  bool fullWidth_ = false;
  bool kanji_ = false;
  int depth_ = 0;
  AnsiString out_;
  bool closed_ = false;
};

// The text of the name forms of G, J, K, L, M and D, A (n >= 2), H and F
// (n >= 3), Shift_JIS and fitted to its columns.
AnsiString CalendarNameText(const TDecodedDateTime& time, char letter, bool upper, int n,
                            bool digitMode);

}  // namespace orvane
