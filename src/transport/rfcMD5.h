#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The MD5 message digest of RFC 1321.
struct MD5Context {
  std::uint32_t state[4];
  std::uint32_t count[2];  // bits processed, low word first
  std::uint8_t buffer[64];
};

using MD5Digest = std::uint8_t[16];

void MD5Init(MD5Context& context);
void MD5Update(MD5Context& context, const void* bytes, std::size_t length);
// Writes the digest and then overwrites the whole context with zero bytes.
void MD5Final(MD5Digest& digest, MD5Context& context);

// The 32 lower-case hexadecimal digits of a digest, high nibble first.
AnsiString DigestHex(const std::uint8_t* digest, std::size_t length);
// The hex form of the MD5 digest of the bytes of `text`.
AnsiString MD5Hex(std::string_view text);

}  // namespace orvane
