#include "transport/BearerAuth.h"

#include <string>

#include "mime/TransferEncoding.h"

namespace orvane {

AnsiString XOAuth2Response(std::string_view user, std::string_view token) {
  AnsiString text = "user=";
  text += user;
  text +=
      "\x01"
      "auth=Bearer ";
  text += token;
  text += "\x01\x01";
  return Base64Encode(text);
}

AnsiString OAuthBearerResponse(std::string_view user, std::string_view host, int port,
                               std::string_view token) {
  AnsiString text = "n,a=";
  for (char c : user) {
    if (c == ',')
      text += "=2C";
    else if (c == '=')
      text += "=3D";
    else
      text += c;
  }
  text +=
      ",\x01"
      "host=";
  text += host;
  text +=
      "\x01"
      "port=" +
      std::to_string(port) +
      "\x01"
      "auth=Bearer ";
  text += token;
  text += "\x01\x01";
  return Base64Encode(text);
}

}  // namespace orvane
