#pragma once

#include "platform/Types.h"

namespace orvane {

inline constexpr const char16_t* kProgramName = u"Orvane";
inline constexpr const char16_t* kVersionText = u"Version 3.2.6";
inline constexpr const char16_t* kMakerName = u"Orvane Project";
inline constexpr const char16_t* kMakerUrl = u"https://orvane.example.org/";
inline constexpr const char16_t* kMakerAddress = u"orvane@example.org";

// The maker as a recipient entry: display name, "<", address, ">".
inline WideString MakerEntry() {
  return WideString(kMakerName) + u"<" + kMakerAddress + u">";
}

}  // namespace orvane
