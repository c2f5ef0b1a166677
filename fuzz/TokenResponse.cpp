// The reading of a token endpoint's answer, over any body and three kinds
// of status: only a 200 grants, a granted token is one that AUTH can carry,
// a lifetime is never negative, and what is not granted says why.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "oauth/TokenRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  if (size == 0) return 0;
  constexpr int kStatuses[] = {200, 400, 401, 500};
  const int status = kStatuses[data[0] % 4];
  const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
  const TokenResponse response = ReadTokenResponse(status, body);
  if (response.expiresIn && *response.expiresIn < 0) __builtin_trap();
  if (response.outcome != TokenResponse::kGranted) {
    if (response.reason.empty() || !response.accessToken.empty()) __builtin_trap();
    return 0;
  }
  if (status != 200 || response.accessToken.empty() || !response.reason.empty()) __builtin_trap();
  for (char c : response.accessToken)
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7f)
      __builtin_trap();
  return 0;
}
