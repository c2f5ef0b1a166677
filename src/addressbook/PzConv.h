#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The map search's encoder of web-address values.
class TPzConv {
 public:
  // The text's Shift_JIS bytes: a byte of 0x80 or more becomes "%" and two
  // lower-case hexadecimal digits, a blank "+", every other byte stays as
  // it is, reserved characters included.
  static WideString Encode(std::u16string_view text);
};

}  // namespace orvane
