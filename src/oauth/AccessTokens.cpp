#include "oauth/AccessTokens.h"

#include <algorithm>

#include "oauth/TokenClient.h"
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

AccessTokenResult TAccessTokens::Get(const AnsiString& accountName, const OAuthClient& client,
                                     const AnsiString& stored) {
  if (stored.empty())
    return {AccessTokenResult::kNotSignedIn, "", "",
            u"このアカウントはまだサインインしていません。"
            u"アカウントの設定でサインインしてください"};
  std::unique_lock guard(lock_);
  Account& account = accounts_[accountName];
  guard.unlock();
  const std::lock_guard getting(account.getting);
  guard.lock();
  Kept& kept = account.kept;
  const bool known = kept.refreshToken == stored ||
                     std::find(kept.spent.begin(), kept.spent.end(), stored) != kept.spent.end();
  if (!known || kept.tokenUrl != client.tokenUrl || kept.clientId != client.clientId)
    kept = {client.tokenUrl, client.clientId, stored, {}, "", {}};
  const AnsiString newest = kept.refreshToken;
  const AnsiString behind = newest == stored ? AnsiString() : newest;
  if (!kept.accessToken.empty() && kept.expiry - clock_.Now() > kMargin)
    return {AccessTokenResult::kToken, kept.accessToken, behind, u""};
  guard.unlock();
  return Refresh(account, client, stored, newest);
}

AccessTokenResult TAccessTokens::Refresh(Account& account, const OAuthClient& client,
                                         const AnsiString& stored, const AnsiString& refreshToken) {
  const std::optional<HttpsUrl> url = ParseHttpsUrl(client.tokenUrl);
  if (!url)
    return {AccessTokenResult::kFailed, "", "",
            u"トークンURLは https:// で始まるアドレスにしてください"};
  TokenResponse response;
  try {
    TokenClient https(requestTimeout_, client.proxy);
    const HttpReply http = https.PostForm(*url, FormEncode(RefreshGrant(client, refreshToken)));
    response = ReadTokenResponse(http.status, http.body);
    // A server error says nothing about the grant (RFC 9110 section 15.6).
    if (http.status >= 500) return {AccessTokenResult::kUnreachable, "", "", response.reason};
  } catch (const Error& e) {
    return {AccessTokenResult::kUnreachable, "", "", e.Message()};
  }
  if (response.outcome == TokenResponse::kRefused)
    return {AccessTokenResult::kExpired, "", "", response.reason};
  if (response.outcome != TokenResponse::kGranted)
    return {AccessTokenResult::kFailed, "", "", response.reason};

  std::lock_guard guard(lock_);
  Kept& kept = account.kept;
  if (!response.refreshToken.empty() && response.refreshToken != refreshToken) {
    // The old one may be spent at the endpoint already: from now on only
    // the new one counts, whatever becomes of storing it.
    kept.spent.push_back(refreshToken);
    kept.refreshToken = response.refreshToken;
  }
  kept.accessToken = response.accessToken;
  kept.expiry = AccessTokenExpiry(clock_.Now(), response.expiresIn);
  return {AccessTokenResult::kToken, response.accessToken,
          kept.refreshToken == stored ? AnsiString() : kept.refreshToken, u""};
}

void TAccessTokens::Forget(const AnsiString& accountName) {
  std::lock_guard guard(lock_);
  if (auto it = accounts_.find(accountName); it != accounts_.end())
    it->second.kept.accessToken.clear();
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
