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

// The value of a hexadecimal digit of either case, or -1 (URLs, RFC 3986
// section 2.1).
constexpr int HexValue(char c) {
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return UpperHexValue(c);
}

}  // namespace orvane
