#pragma once

#include <functional>

#include "platform/Types.h"
#include "settings/OAuthSettings.h"

namespace orvane {

// How a sign-in in the browser ended.
struct SignInOutcome {
  enum Kind {
    kSignedIn,  // refreshToken holds what it earned
    kTimedOut,  // the browser did not come back in time
    kFailed,    // reason says why
  } kind = kFailed;
  AnsiString refreshToken;
  WideString reason;
};

// Signs an account in with OAuth 2.0 in the user's browser: the account
// dialog's way to the provider, which the layers above provide.
class AccountSignIn {
 public:
  virtual ~AccountSignIn() = default;
  // Starts a sign-in of `user` at `client`'s provider; `done` runs later,
  // once, on the user-interface thread, unless this object is gone by then.
  // One sign-in at a time.
  virtual void Start(const OAuthClient& client, const AnsiString& user,
                     std::function<void(const SignInOutcome&)> done) = 0;
  // Ends the running sign-in at once; its `done` is not called any more.
  virtual void Cancel() = 0;
};

}  // namespace orvane
