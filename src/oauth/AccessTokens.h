#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

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
    kUnreachable,  // the endpoint could not be asked, or failed itself (5xx): try later
    kFailed,       // the endpoint answered otherwise
  } kind = kFailed;
  AnsiString accessToken;
  // The refresh token the account file must keep from now on, in place of
  // the one it holds; empty when it holds the newest already.
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
  // kept when it was earned at the same endpoint by `stored` (the refresh
  // token in the account file) or by one that replaced it, else a new one
  // by the refresh grant. A refresh token the endpoint rotated during this
  // run is used in place of `stored` and handed back as newRefreshToken
  // until the file holds it. One account's calls run one after the other,
  // so that two deliveries never spend one refresh token twice. Blocks
  // while it asks the token endpoint: call it on a worker thread.
  AccessTokenResult Get(const AnsiString& account, const OAuthClient& client,
                        const AnsiString& stored);
  // Forgets the account's access token, which the mail server refused.
  void Forget(const AnsiString& account);

 private:
  struct Kept {
    AnsiString tokenUrl;
    AnsiString clientId;
    // The newest refresh token, and those it replaced in this run.
    AnsiString refreshToken;
    std::vector<AnsiString> spent;
    AnsiString accessToken;
    TimePoint expiry;
  };
  struct Account {
    std::mutex getting;  // held by the account's Get
    Kept kept;           // guarded by lock_
  };
  AccessTokenResult Refresh(Account& account, const OAuthClient& client, const AnsiString& stored,
                            const AnsiString& refreshToken);

  const Clock& clock_;
  std::chrono::milliseconds requestTimeout_;
  std::mutex lock_;
  std::map<AnsiString, Account> accounts_;
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
