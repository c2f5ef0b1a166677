// The sign-in's reading of the browser's request to the redirect URI, over
// any request head: only a GET carries a code or the provider's refusal,
// a code is never empty, and the browser gets an answer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "oauth/Authorization.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const std::string_view request(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kState = "s-1_x";
  const AuthorizationResponse response = ReadAuthorizationResponse(request, kState);
  switch (response.outcome) {
    case AuthorizationResponse::kCode:
      if (response.code.empty()) __builtin_trap();
      [[fallthrough]];
    case AuthorizationResponse::kDenied:
      if (!request.starts_with("GET /")) __builtin_trap();
      [[fallthrough]];
    case AuthorizationResponse::kStateMismatch:
      if (BrowserAnswer(response.outcome).empty()) __builtin_trap();
      break;
    case AuthorizationResponse::kMalformed:
      break;
  }
  return 0;
}
