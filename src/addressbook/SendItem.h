#pragma once

#include "platform/Types.h"

namespace orvane {

// One recipient of the send list.
struct TSendItem {
  enum Kinds { kTo = 0, kCc = 1, kBcc = 2 };

  WideString Name;
  WideString Address;
  int Kind = kTo;
};

}  // namespace orvane
