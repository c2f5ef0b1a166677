#pragma once

namespace orvane {

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

// The value of an upper-case hexadecimal digit, or -1 (lower-case digits do
// not count: the escapes of RFC 2045 and RFC 2231 are written upper-case).
constexpr int UpperHexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace orvane
