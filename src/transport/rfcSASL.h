#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The hex form of HMAC-MD5 (RFC 2104, block size 64) of `text` under `key`.
AnsiString HmacMd5Hex(std::string_view key, std::string_view text);

// The client's answer to a CRAM-MD5 challenge (RFC 2195): the base64 form
// of the user name, one blank and the hex HMAC-MD5 of the decoded
// challenge under the password. `challenge` is the base64 text the server
// sent after its 334 code, without surrounding blanks.
AnsiString CramMd5Response(std::string_view password, std::string_view challenge,
                           std::string_view user);

}  // namespace orvane
