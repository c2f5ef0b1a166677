#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace orvane {

// A size as "25.0 MB", one decimal: a megabyte is 1,048,576 octets, as mail
// services count the limits they advertise and as file sizes are shown.
WideString MegabytesText(std::uint64_t octets);

}  // namespace orvane
