#pragma once

#include "platform/Types.h"

namespace orvane {

// One contact in a displayed list, read from its contact file's Person
// section.
struct TMailItem {
  // The group file's line: a contact id, or a line that names no contact
  // file (kept so that the group file can be written back unchanged).
  AnsiString Id;
  WideString Name;
  WideString Kana;
  WideString Address;
  WideString Image;
  int Mark = -1;  // list icon 0-10, -1 for none
};

}  // namespace orvane
