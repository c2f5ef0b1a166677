#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "platform/MainThread.h"
#include "platform/Shell.h"
#include "settings/AccountSignIn.h"

namespace orvane {

// The sign-in of a program on a desktop (RFC 8252): the authorization
// code flow with PKCE (RFC 7636) in the user's browser, which the shell
// opens, the code handed back to a one-shot listener on 127.0.0.1 and
// redeemed at the token endpoint over HTTPS.
class TOAuthSignIn final : public AccountSignIn {
 public:
  // The browser has `timeout` to come back; the token endpoint
  // `requestTimeout` to answer.
  TOAuthSignIn(Shell& shell, MainThread& mainThread,
               std::chrono::milliseconds timeout = std::chrono::minutes(2),
               std::chrono::milliseconds requestTimeout = std::chrono::seconds(30));
  // Cancels a sign-in still running and waits for its worker.
  ~TOAuthSignIn() override;

  // Opens the browser at once; the wait and the token request run on a
  // worker thread. Endpoints that are not https, and a listener that
  // cannot be had, end the sign-in as kFailed.
  void Start(const OAuthClient& client, const AnsiString& user,
             std::function<void(const SignInOutcome&)> done) override;
  void Cancel() override;

 private:
  struct Job;
  void Finish(std::shared_ptr<Job> job, const SignInOutcome& outcome);

  Shell& shell_;
  MainThread& main_;
  std::chrono::milliseconds timeout_;
  std::chrono::milliseconds requestTimeout_;
  std::shared_ptr<Job> job_;
  std::thread worker_;
};

}  // namespace orvane
