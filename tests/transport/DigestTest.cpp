#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "transport/rfcMD5.h"
#include "transport/rfcSASL.h"

namespace orvane {
namespace {

struct Vector {
  std::string key;
  std::string text;
  const char* hex;
};

TEST(MD5, MatchesTheTestSuiteOfRfc1321) {
  const Vector vectors[] = {
      {"", "", "d41d8cd98f00b204e9800998ecf8427e"},
      {"", "a", "0cc175b9c0f1b6a831c399e269772661"},
      {"", "abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"", "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"", "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"", "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Vector& v : vectors) EXPECT_EQ(MD5Hex(v.text), v.hex) << v.text;
}

TEST(MD5, GivesTheSameDigestWhateverTheSizesOfTheUpdates) {
  const std::string text =
      "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
  for (std::size_t piece : {1u, 3u, 63u, 64u, 65u}) {
    MD5Context context;
    MD5Init(context);
    for (std::size_t i = 0; i < text.size(); i += piece)
      MD5Update(context, text.data() + i, std::min(piece, text.size() - i));
    MD5Digest digest;
    MD5Final(digest, context);
    EXPECT_EQ(DigestHex(digest, 16), "57edf4a22be3c955ac49da2e2107b67a") << piece;
  }
}

TEST(MD5, FinalLeavesOnlyZeroBytesInTheContext) {
  MD5Context context;
  MD5Init(context);
  MD5Update(context, "abc", 3);
  MD5Digest digest;
  MD5Final(digest, context);
  MD5Context zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_EQ(std::memcmp(&context, &zero, sizeof context), 0);
}

TEST(HmacMd5, MatchesTheTestCasesOfRfc2202) {
  const Vector vectors[] = {
      {std::string(16, '\x0b'), "Hi There", "9294727a3638bb1c13f48ef8158bfc9d"},
      {"Jefe", "what do ya want for nothing?", "750c783e6ab0b503eaa86e310a5db738"},
      {std::string(16, '\xaa'), std::string(50, '\xdd'), "56be34521d144c88dbb8c733f0e8b3f6"},
      {"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16"
       "\x17\x18\x19",
       std::string(50, '\xcd'), "697eaf0aca3a3aea3a75164746ffaa79"},
      {std::string(16, '\x0c'), "Test With Truncation", "56461ef2342edc00f9bab995690efd4c"},
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
      {std::string(80, '\xaa'),
       "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data",
       "6f630fad67cda0ee1fb1f562db3aa53e"},
  };
  for (const Vector& v : vectors) EXPECT_EQ(HmacMd5Hex(v.key, v.text), v.hex) << v.text;
}

TEST(HmacMd5, UsesAKeyOfOneBlockDirectlyAndHashesALongerOne) {
  // Expected values from Python's hmac module.
  std::string key64, key65;
  for (int i = 0; i < 64; ++i) key64 += static_cast<char>(i);
  key65 = key64 + '\x40';
  EXPECT_EQ(HmacMd5Hex(key64, "Orvane HMAC block-size key"), "1957f3dd7e5861b43cafc198f3d15f87");
  EXPECT_EQ(HmacMd5Hex(key65, "Orvane HMAC block-size key"), "caf2ae16e2b78e994ab00c7079468a98");
}

TEST(CramMd5, AnswersTheChallengeOfRfc2195) {
  EXPECT_EQ(CramMd5Response("tanstaaftanstaaf",
                            "PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+", "tim"),
            "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
}

TEST(CramMd5, KeepsTheBlankOfAnEmptyUserAndAnswersAnEmptyChallenge) {
  EXPECT_EQ(CramMd5Response("tanstaaftanstaaf",
                            "PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+", ""),
            "IGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
  EXPECT_EQ(CramMd5Response("", "", ""), "IDc0ZTZmNzI5OGE5YzJkMTY4OTM1ZjU4YzAwMWJhZDg4");
}

TEST(Apop, DigestOfTheExampleOfRfc1939) {
  EXPECT_EQ(MD5Hex("<1896.697170952@dbc.mtview.ca.us>tanstaaf"),
            "c4c9334bac560ecc979e58001b3e22fb");
}

}  // namespace
}  // namespace orvane
