#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/Types.h"
#include "settings/OAuthSettings.h"

namespace orvane {

// What a delivery gets to sign in with.
struct AccessTokenResult {
  enum Kind {
    kToken,
    kExpired,      // the endpoint refused the refresh token: sign in again
    kNotSignedIn,  // the account holds no refresh token
    kFailed,       // the endpoint could not be asked, or answered otherwise
  } kind = kFailed;
  AnsiString accessToken;
  // The refresh token the endpoint handed out in place of the old one,
  // which the account file must keep from now on; empty when none came.
  AnsiString newRefreshToken;
  WideString reason;
};

// When a token that the endpoint gave `expiresIn` seconds stops serving:
// at once when it gave none, zero or less; after a day at most, so that no
// lifetime carries the expiry past what the clock can count.
TimePoint AccessTokenExpiry(TimePoint now, std::optional<long long> expiresIn);

// The access tokens of the accounts, in memory only, for the life of the
// program: never written anywhere. Safe to use from several threads.
class TAccessTokens {
 public:
  explicit TAccessTokens(const Clock& clock,
                         std::chrono::milliseconds requestTimeout = std::chrono::seconds(30));

  // A token for `account` that lives for at least another minute: the one
  // kept when it was earned by the same refresh token at the same
  // endpoint, else a new one by the refresh grant. Blocks while it asks
  // the token endpoint: call it on a worker thread.
  AccessTokenResult Get(const AnsiString& account, const OAuthClient& client,
                        const AnsiString& refreshToken);
  // Forgets the account's token, which the mail server refused.
  void Forget(const AnsiString& account);

 private:
  struct Kept {
    AnsiString refreshToken;
    AnsiString tokenUrl;
    AnsiString clientId;
    AnsiString accessToken;
    TimePoint expiry;
  };
  AccessTokenResult Refresh(const AnsiString& account, const OAuthClient& client,
                            const AnsiString& refreshToken);

  const Clock& clock_;
  std::chrono::milliseconds requestTimeout_;
  std::mutex lock_;
  std::map<AnsiString, Kept> kept_;
};

// One delivery's Get on a worker thread of its own, whose result reaches
// `done` on the user-interface thread.
class TAccessTokenFetch {
 public:
  TAccessTokenFetch(TAccessTokens& tokens, MainThread& mainThread);
  // Waits for the worker; a result not yet handed over is dropped.
  ~TAccessTokenFetch();
  TAccessTokenFetch(const TAccessTokenFetch&) = delete;
  TAccessTokenFetch& operator=(const TAccessTokenFetch&) = delete;

  void Start(const AnsiString& account, const OAuthClient& client, const AnsiString& refreshToken,
             std::function<void(const AccessTokenResult&)> done);

 private:
  TAccessTokens& tokens_;
  MainThread& main_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::thread worker_;
};

}  // namespace orvane
