#include "transport/rfcSASL.h"

#include <cstring>

#include "mime/TransferEncoding.h"
#include "transport/rfcMD5.h"

namespace orvane {

AnsiString HmacMd5Hex(std::string_view key, std::string_view text) {
  // RFC 2104 section 2: a key longer than the block is first hashed.
  std::uint8_t block[64] = {};
  MD5Digest keyDigest;
  if (key.size() > sizeof block) {
    MD5Context context;
    MD5Init(context);
    MD5Update(context, key.data(), key.size());
    MD5Final(keyDigest, context);
    std::memcpy(block, keyDigest, sizeof keyDigest);
  } else {
    std::memcpy(block, key.data(), key.size());
  }
  std::uint8_t innerPad[64], outerPad[64];
  for (int i = 0; i < 64; ++i) {
    innerPad[i] = block[i] ^ 0x36;
    outerPad[i] = block[i] ^ 0x5C;
  }
  MD5Digest inner, outer;
  MD5Context context;
  MD5Init(context);
  MD5Update(context, innerPad, sizeof innerPad);
  MD5Update(context, text.data(), text.size());
  MD5Final(inner, context);
  MD5Init(context);
  MD5Update(context, outerPad, sizeof outerPad);
  MD5Update(context, inner, sizeof inner);
  MD5Final(outer, context);
  return DigestHex(outer, sizeof outer);
}

AnsiString CramMd5Response(std::string_view password, std::string_view challenge,
                           std::string_view user) {
  AnsiString answer(user);
  answer += ' ';
  answer += HmacMd5Hex(password, Base64Decode(challenge));
  return Base64Encode(answer);
}

}  // namespace orvane
