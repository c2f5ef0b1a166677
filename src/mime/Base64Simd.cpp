// Base64 with SSE4.1 and AVX2, chosen when the program starts by what the
// processor supports; the build needs no special flags and the program runs
// on any x86-64. Each vector step does what the scalar loops do to 4 or 8
// groups at once; what is left of a run goes to the scalar loops.
//
// Encoding: each group's three bytes are spread over a 32-bit lane, the
// four 6-bit values are cut out with two multiplications, and a table of 16
// offsets (picked by a saturating subtraction) turns them into characters.
// Decoding: two 16-entry tables indexed by the high and the low half of a
// character flag anything outside the alphabet; a third, indexed by the
// high half, holds the offset back to 6 bits; two multiply-adds pack four
// values into three bytes.

#include <cstdint>
#include <cstring>

#include "mime/Base64Engine.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVANE_BASE64_X86 1
#endif

namespace orvane {

#ifdef ORVANE_BASE64_X86
namespace {

#define ORVANE_SSE __attribute__((target("sse4.1"), always_inline)) inline
#define ORVANE_AVX2 __attribute__((target("avx2"), always_inline)) inline

// --- SSE4.1: 12 bytes to 16 characters, 16 characters to 12 bytes. ---

// The 6-bit values of four groups, one byte each, in character order.
ORVANE_SSE __m128i SixBitValues(__m128i bytes) {
  // Each lane gets the bytes b, a, c, b of its group a b c: the low 16 bits
  // then read a b, the high ones b c.
  const __m128i spread =
      _mm_shuffle_epi8(bytes, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
  // a >> 2 into byte 0 and (b c) >> 6 into byte 2 ...
  const __m128i first = _mm_mulhi_epu16(_mm_and_si128(spread, _mm_set1_epi32(0x0FC0FC00)),
                                        _mm_set1_epi32(0x04000040));
  // ... and (a b) >> 4 into byte 1, c into byte 3.
  const __m128i second = _mm_mullo_epi16(_mm_and_si128(spread, _mm_set1_epi32(0x003F03F0)),
                                         _mm_set1_epi32(0x01000010));
  return _mm_or_si128(first, second);
}

// 0-25 "A"-"Z", 26-51 "a"-"z", 52-61 "0"-"9", 62 "+", 63 "/".
ORVANE_SSE __m128i Characters(__m128i values) {
  // 0 for 0-51, 1-12 for 52-63; then one more for 26 and above: an index
  // per range into the offsets.
  __m128i index = _mm_subs_epu8(values, _mm_set1_epi8(51));
  index = _mm_sub_epi8(index, _mm_cmpgt_epi8(values, _mm_set1_epi8(25)));
  const __m128i offsets =
      _mm_setr_epi8(65, 71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 0, 0);
  return _mm_add_epi8(values, _mm_shuffle_epi8(offsets, index));
}

// Nonzero in the lanes of characters outside the alphabet.
ORVANE_SSE __m128i Outsiders(__m128i text, __m128i high) {
  // A bit per kind of high half (0x10: no alphabet character at all) that
  // the low half rules out.
  const __m128i byLow = _mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                      0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
  const __m128i byHigh = _mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10,
                                       0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
  const __m128i low = _mm_and_si128(text, _mm_set1_epi8(0x0F));
  return _mm_and_si128(_mm_shuffle_epi8(byLow, low), _mm_shuffle_epi8(byHigh, high));
}

// The 6-bit values of alphabet characters.
ORVANE_SSE __m128i Values(__m128i text, __m128i high) {
  // By high half: "+" 19, "0"-"9" 4, "A"-"Z" -65, "a"-"z" -71; "/" shares
  // the high half of "+" and takes the entry before it.
  const __m128i offsets = _mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
  const __m128i slash = _mm_cmpeq_epi8(text, _mm_set1_epi8('/'));
  return _mm_add_epi8(text, _mm_shuffle_epi8(offsets, _mm_add_epi8(high, slash)));
}

// Four 6-bit values per lane to three bytes, the 12 bytes at the front.
ORVANE_SSE __m128i Packed(__m128i values) {
  const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
  const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
  return _mm_shuffle_epi8(groups,
                          _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

ORVANE_SSE __m128i High(__m128i text) {
  return _mm_and_si128(_mm_srli_epi32(text, 4), _mm_set1_epi8(0x0F));
}

// Encodes `groups` groups, the vector steps while 16 bytes may be read.
ORVANE_SSE char* EncodeRunSse(const unsigned char*& in, size_t& groups, const unsigned char* limit,
                              char* out) {
  for (; groups >= 4 && limit - in >= 16; groups -= 4, in += 12, out += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), Characters(SixBitValues(bytes)));
  }
  return out;
}

// Decodes 16 characters at a time while all are in the alphabet.
ORVANE_SSE size_t DecodeRunSse(const unsigned char* in, size_t size, char*& out) {
  size_t i = 0;
  for (; i + 16 <= size; i += 16, out += 12) {
    const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i high = High(text);
    const __m128i outsiders = Outsiders(text, high);
    if (!_mm_testz_si128(outsiders, outsiders)) break;
    const __m128i bytes = Packed(Values(text, high));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    const auto last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8)));
    std::memcpy(out + 8, &last, 4);
  }
  return i;
}

// The groups the vector steps left, and the line break.
char* EndLine(const unsigned char*& in, size_t groups, bool breaks, char* out) {
  if (groups > 0) {
    out = ScalarBase64().encodeLines(in, 1, groups, false, in + 3 * groups, out);
    in += 3 * groups;
  }
  if (breaks) {
    *out++ = '\r';
    *out++ = '\n';
  }
  return out;
}

__attribute__((target("sse4.1"))) char* EncodeLinesSse(const unsigned char* in, size_t lines,
                                                       size_t lineGroups, bool breaks,
                                                       const unsigned char* limit, char* out) {
  for (size_t line = 0; line < lines; ++line) {
    size_t groups = lineGroups;
    out = EncodeRunSse(in, groups, limit, out);
    out = EndLine(in, groups, breaks, out);
  }
  return out;
}

__attribute__((target("sse4.1"))) size_t DecodeGroupsSse(const unsigned char* in, size_t size,
                                                        char* out) {
  const size_t i = DecodeRunSse(in, size, out);
  return i + ScalarBase64().decodeGroups(in + i, size - i, out);
}

// --- AVX2: 24 bytes to 32 characters, 32 characters to 24 bytes; the
// 128-bit steps of SSE4.1 in both halves. ---

ORVANE_AVX2 __m256i SixBitValues(__m256i bytes) {
  const __m256i spread = _mm256_shuffle_epi8(
      bytes, _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10, 1, 0, 2, 1, 4, 3,
                              5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
  const __m256i first = _mm256_mulhi_epu16(
      _mm256_and_si256(spread, _mm256_set1_epi32(0x0FC0FC00)), _mm256_set1_epi32(0x04000040));
  const __m256i second = _mm256_mullo_epi16(
      _mm256_and_si256(spread, _mm256_set1_epi32(0x003F03F0)), _mm256_set1_epi32(0x01000010));
  return _mm256_or_si256(first, second);
}

ORVANE_AVX2 __m256i Both(__m128i half) {
  return _mm256_broadcastsi128_si256(half);
}

ORVANE_AVX2 __m256i Characters(__m256i values) {
  __m256i index = _mm256_subs_epu8(values, _mm256_set1_epi8(51));
  index = _mm256_sub_epi8(index, _mm256_cmpgt_epi8(values, _mm256_set1_epi8(25)));
  const __m256i offsets =
      Both(_mm_setr_epi8(65, 71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 0, 0));
  return _mm256_add_epi8(values, _mm256_shuffle_epi8(offsets, index));
}

ORVANE_AVX2 __m256i Outsiders(__m256i text, __m256i high) {
  const __m256i byLow = Both(_mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                           0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A));
  const __m256i byHigh = Both(_mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10,
                                            0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10));
  const __m256i low = _mm256_and_si256(text, _mm256_set1_epi8(0x0F));
  return _mm256_and_si256(_mm256_shuffle_epi8(byLow, low), _mm256_shuffle_epi8(byHigh, high));
}

ORVANE_AVX2 __m256i Values(__m256i text, __m256i high) {
  const __m256i offsets =
      Both(_mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0));
  const __m256i slash = _mm256_cmpeq_epi8(text, _mm256_set1_epi8('/'));
  return _mm256_add_epi8(text, _mm256_shuffle_epi8(offsets, _mm256_add_epi8(high, slash)));
}

// Eight groups to 24 bytes at the front.
ORVANE_AVX2 __m256i Packed(__m256i values) {
  const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
  const __m256i groups = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
  const __m256i halves = _mm256_shuffle_epi8(
      groups, Both(_mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1)));
  return _mm256_permutevar8x32_epi32(halves, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7));
}

ORVANE_AVX2 __m256i High(__m256i text) {
  return _mm256_and_si256(_mm256_srli_epi32(text, 4), _mm256_set1_epi8(0x0F));
}

__attribute__((target("avx2"))) char* EncodeLinesAvx2(const unsigned char* in, size_t lines,
                                                      size_t lineGroups, bool breaks,
                                                      const unsigned char* limit, char* out) {
  for (size_t line = 0; line < lines; ++line) {
    size_t groups = lineGroups;
    // The halves are loaded from in and in + 12: 28 bytes must be readable.
    for (; groups >= 8 && limit - in >= 28; groups -= 8, in += 24, out += 32) {
      const __m256i bytes =
          _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(in + 12),
                              reinterpret_cast<const __m128i*>(in));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), Characters(SixBitValues(bytes)));
    }
    out = EncodeRunSse(in, groups, limit, out);
    out = EndLine(in, groups, breaks, out);
  }
  return out;
}

__attribute__((target("avx2"))) size_t DecodeGroupsAvx2(const unsigned char* in, size_t size,
                                                       char* out) {
  size_t i = 0;
  for (; i + 32 <= size; i += 32, out += 24) {
    const __m256i text = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
    const __m256i high = High(text);
    const __m256i outsiders = Outsiders(text, high);
    if (!_mm256_testz_si256(outsiders, outsiders)) break;
    const __m256i bytes = Packed(Values(text, high));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(bytes));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(bytes, 1));
  }
  return i + ScalarBase64().decodeGroups(in + i, size - i, out);
}

constexpr TBase64Engine kSse41{"SSE4.1", EncodeLinesSse, DecodeGroupsSse};
constexpr TBase64Engine kAvx2{"AVX2", EncodeLinesAvx2, DecodeGroupsAvx2};

}  // namespace
#endif

std::vector<const TBase64Engine*> Base64Engines() {
  std::vector<const TBase64Engine*> engines{&ScalarBase64()};
#ifdef ORVANE_BASE64_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("sse4.1")) engines.push_back(&kSse41);
  if (__builtin_cpu_supports("avx2")) engines.push_back(&kAvx2);
#endif
  return engines;
}

const TBase64Engine& FastestBase64() {
  static const TBase64Engine& fastest = *Base64Engines().back();
  return fastest;
}

}  // namespace orvane
