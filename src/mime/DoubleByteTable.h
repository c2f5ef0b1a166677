#pragma once

#include <array>
#include <cstdint>

namespace orvane {

// The 94 x 94 characters of a double-byte code page whose bytes both lie in
// 0xA1-0xFE (GB 2312 in code page 936, KS X 1001 in code page 949), in the
// 7-bit form that HZ (RFC 1843) and ISO-2022-KR (RFC 1557) write: each byte
// with bit 7 cleared. Built once per code page from the platform conversion.
class DoubleByteTable {
 public:
  // codePage is 936 or 949.
  static const DoubleByteTable& ForCodePage(int codePage);

  // The character of a 7-bit pair (each byte 0x21-0x7E); U+FFFD when the
  // code page assigns none.
  char16_t Decode(unsigned char first, unsigned char second) const {
    return decode_[(first - 0x21) * 94 + (second - 0x21)];
  }

  // The 7-bit pair (first byte << 8 | second byte) of a UTF-16 unit that the
  // code page converts on its own into two bytes of 0xA1-0xFE; 0 otherwise.
  std::uint16_t Encode(char16_t c) const { return encode_[c]; }

 private:
  explicit DoubleByteTable(int codePage);

  std::array<char16_t, 94 * 94> decode_{};
  std::array<std::uint16_t, 0x10000> encode_{};
};

// True for the two bytes of a 7-bit pair.
inline bool IsSevenBitPairByte(unsigned char b) {
  return b >= 0x21 && b <= 0x7E;
}

}  // namespace orvane
