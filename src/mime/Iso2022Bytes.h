#pragma once

namespace orvane {

// The control bytes with which the ISO 2022 codings (ISO-2022-JP, RFC 1468;
// ISO-2022-KR, RFC 1557) switch between character sets.
inline constexpr unsigned char kEsc = 0x1B;       // ESC: starts a designation
inline constexpr unsigned char kShiftOut = 0x0E;  // SO: into G1
inline constexpr unsigned char kShiftIn = 0x0F;   // SI: back to G0

}  // namespace orvane
