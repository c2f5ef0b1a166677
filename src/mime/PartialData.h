#pragma once

#include "platform/Types.h"

namespace orvane {

// The settings for message/partial splitting. The library neither splits
// nor reassembles messages; these are only held.
class TPartialData {
 public:
  int PartialSize = 16384;

  const AnsiString& SubjectFormat() const { return subjectFormat_; }
  // Throws Error for a format with a byte above 0x7F; the old value stays.
  void SetSubjectFormat(AnsiString format);

 private:
  AnsiString subjectFormat_ = "[%d/%d]";
};

}  // namespace orvane
