#include "oauth/AccessTokens.h"

#include <algorithm>

#include "oauth/HttpsClient.h"
#include "oauth/TokenRequest.h"
#include "platform/Error.h"

namespace orvane {
namespace {

// A token that would expire during the delivery is no use to it.
constexpr auto kMargin = std::chrono::minutes(1);

}  // namespace

TimePoint AccessTokenExpiry(TimePoint now, std::optional<long long> expiresIn) {
  constexpr long long kDay = 24 * 60 * 60;
  return now + std::chrono::seconds(std::clamp(expiresIn.value_or(0), 0LL, kDay));
}

TAccessTokens::TAccessTokens(const Clock& clock, std::chrono::milliseconds requestTimeout)
    : clock_(clock), requestTimeout_(requestTimeout) {}

AccessTokenResult TAccessTokens::Get(const AnsiString& account, const OAuthClient& client,
                                     const AnsiString& refreshToken) {
  if (refreshToken.empty())
    return {AccessTokenResult::kNotSignedIn, "", "",
            u"このアカウントはまだサインインしていません。"
            u"アカウントの設定でサインインしてください"};
  {
    std::lock_guard guard(lock_);
    auto it = kept_.find(account);
    if (it != kept_.end() && it->second.refreshToken == refreshToken &&
        it->second.tokenUrl == client.tokenUrl && it->second.clientId == client.clientId &&
        it->second.expiry - clock_.Now() > kMargin)
      return {AccessTokenResult::kToken, it->second.accessToken, "", u""};
  }
  return Refresh(account, client, refreshToken);
}

AccessTokenResult TAccessTokens::Refresh(const AnsiString& account, const OAuthClient& client,
                                         const AnsiString& refreshToken) {
  const std::optional<HttpsUrl> url = ParseHttpsUrl(client.tokenUrl);
  if (!url)
    return {AccessTokenResult::kFailed, "", "",
            u"トークンURLは https:// で始まるアドレスにしてください"};
  TokenResponse response;
  try {
    HttpsClient https(requestTimeout_);
    const HttpResponse http = https.PostForm(*url, FormEncode(RefreshGrant(client, refreshToken)));
    response = ReadTokenResponse(http.status, http.body);
  } catch (const Error& e) {
    return {AccessTokenResult::kFailed, "", "", e.Message()};
  }
  if (response.outcome == TokenResponse::kRefused)
    return {AccessTokenResult::kExpired, "", "", response.reason};
  if (response.outcome != TokenResponse::kGranted)
    return {AccessTokenResult::kFailed, "", "", response.reason};

  const bool rotated = !response.refreshToken.empty() && response.refreshToken != refreshToken;
  const TimePoint expiry = AccessTokenExpiry(clock_.Now(), response.expiresIn);
  std::lock_guard guard(lock_);
  kept_[account] = {rotated ? response.refreshToken : refreshToken, client.tokenUrl,
                    client.clientId, response.accessToken, expiry};
  return {AccessTokenResult::kToken, response.accessToken,
          rotated ? response.refreshToken : AnsiString(), u""};
}

void TAccessTokens::Forget(const AnsiString& account) {
  std::lock_guard guard(lock_);
  kept_.erase(account);
}

TAccessTokenFetch::TAccessTokenFetch(TAccessTokens& tokens, MainThread& mainThread)
    : tokens_(tokens), main_(mainThread) {}

TAccessTokenFetch::~TAccessTokenFetch() {
  *alive_ = false;
  if (worker_.joinable()) worker_.join();
}

void TAccessTokenFetch::Start(const AnsiString& account, const OAuthClient& client,
                              const AnsiString& refreshToken,
                              std::function<void(const AccessTokenResult&)> done) {
  if (worker_.joinable()) worker_.join();
  worker_ = std::thread([this, account, client, refreshToken, done = std::move(done)] {
    AccessTokenResult result = tokens_.Get(account, client, refreshToken);
    main_.Post([alive = alive_, done, result = std::move(result)] {
      if (*alive) done(result);
    });
  });
}

}  // namespace orvane
