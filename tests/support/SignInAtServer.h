#pragma once

#include <chrono>
#include <optional>

#include "oauth/SignIn.h"
#include "platform/MainThread.h"
#include "support/OAuthServers.h"

namespace orvane::test {

// Signs `user` in with `client` through the test browser, as the account
// dialog does; nullopt when the sign-in did not report within a minute.
// For the suites that link the oauth layer.
inline std::optional<SignInOutcome> SignInAtServer(
    QueuedMainThread& main, const OAuthClient& client, const AnsiString& user,
    BrowserShell& browser, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
  TOAuthSignIn signIn(browser, main, timeout);
  std::optional<SignInOutcome> outcome;
  signIn.Start(client, user, [&](const SignInOutcome& o) { outcome = o; });
  main.PumpUntil([&] { return outcome.has_value(); }, std::chrono::minutes(1));
  return outcome;
}

}  // namespace orvane::test
