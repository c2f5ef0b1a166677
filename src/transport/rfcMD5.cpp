#include "transport/rfcMD5.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

// RFC 1321 section 3.4: per-round shift amounts and the sine table.
constexpr std::uint32_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                      5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                      4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                      6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

std::uint32_t RotateLeft(std::uint32_t x, std::uint32_t n) {
  return x << n | x >> (32 - n);
}

void Transform(std::uint32_t state[4], const std::uint8_t block[64]) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = std::uint32_t(block[i * 4]) | std::uint32_t(block[i * 4 + 1]) << 8 |
           std::uint32_t(block[i * 4 + 2]) << 16 | std::uint32_t(block[i * 4 + 3]) << 24;
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    std::uint32_t f;
    int k;
    if (i < 16) {
      f = (b & c) | (~b & d);
      k = i;
    } else if (i < 32) {
      f = (b & d) | (c & ~d);
      k = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      k = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      k = (7 * i) % 16;
    }
    std::uint32_t next = b + RotateLeft(a + f + kSine[i] + x[k], kShift[i]);
    a = d;
    d = c;
    c = b;
    b = next;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void MD5Init(MD5Context& context) {
  context.state[0] = 0x67452301;
  context.state[1] = 0xefcdab89;
  context.state[2] = 0x98badcfe;
  context.state[3] = 0x10325476;
  context.count[0] = context.count[1] = 0;
}

void MD5Update(MD5Context& context, const void* bytes, std::size_t length) {
  auto* in = static_cast<const std::uint8_t*>(bytes);
  std::size_t used = context.count[0] >> 3 & 63;
  std::uint64_t bits =
      (std::uint64_t(context.count[1]) << 32 | context.count[0]) + (std::uint64_t(length) << 3);
  context.count[0] = static_cast<std::uint32_t>(bits);
  context.count[1] = static_cast<std::uint32_t>(bits >> 32);
  std::size_t i = 0;
  if (used > 0) {
    std::size_t take = std::min<std::size_t>(64 - used, length);
    std::memcpy(context.buffer + used, in, take);
    i = take;
    if (used + take < 64) return;
    Transform(context.state, context.buffer);
  }
  for (; i + 64 <= length; i += 64) Transform(context.state, in + i);
  std::memcpy(context.buffer, in + i, length - i);
}

void MD5Final(MD5Digest& digest, MD5Context& context) {
  // RFC 1321 sections 3.1 and 3.2: a 0x80 byte, zeros up to 56 mod 64, then
  // the bit count as 64 bits, low byte first.
  std::uint8_t length[8];
  for (int i = 0; i < 4; ++i) {
    length[i] = static_cast<std::uint8_t>(context.count[0] >> (8 * i));
    length[i + 4] = static_cast<std::uint8_t>(context.count[1] >> (8 * i));
  }
  static const std::uint8_t kPadding[64] = {0x80};
  std::size_t used = context.count[0] >> 3 & 63;
  MD5Update(context, kPadding, used < 56 ? 56 - used : 120 - used);
  MD5Update(context, length, 8);
  for (int i = 0; i < 16; ++i)
    digest[i] = static_cast<std::uint8_t>(context.state[i / 4] >> (8 * (i % 4)));
  std::memset(&context, 0, sizeof context);
}

AnsiString DigestHex(const std::uint8_t* digest, std::size_t length) {
  static constexpr char kDigits[] = "0123456789abcdef";
  AnsiString hex;
  hex.reserve(length * 2);
  for (std::size_t i = 0; i < length; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 15];
  }
  return hex;
}

AnsiString MD5Hex(std::string_view text) {
  MD5Context context;
  MD5Init(context);
  MD5Update(context, text.data(), text.size());
  MD5Digest digest;
  MD5Final(digest, context);
  return DigestHex(digest, sizeof digest);
}

}  // namespace orvane
