#include "oauth/SignIn.h"

#include "oauth/Authorization.h"
#include "oauth/Pkce.h"
#include "oauth/RedirectWait.h"
#include "oauth/TokenClient.h"
#include "oauth/TokenRequest.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/LoopbackListener.h"
#include "platform/TcpSocket.h"

namespace orvane {

// What the worker of one sign-in uses; the user-interface thread reaches
// it only to cancel.
struct TOAuthSignIn::Job {
  Job(const OAuthClient& c, std::chrono::milliseconds requestTimeout)
      : client(c), tokens(requestTimeout, c.proxy) {}

  OAuthClient client;
  HttpsUrl tokenUrl;
  PkcePair pkce = MakePkcePair();
  AnsiString state = MakeState();
  LoopbackListener listener;
  TokenClient tokens;
  std::function<void(const SignInOutcome&)> done;
  // Set on the user-interface thread; read there before `done` runs.
  bool cancelled = false;

  SignInOutcome Run(std::chrono::steady_clock::time_point deadline);
  SignInOutcome Redeem(const AnsiString& code);
};

namespace {

SignInOutcome Failed(WideString reason) {
  return {SignInOutcome::kFailed, "", std::move(reason)};
}

}  // namespace

SignInOutcome TOAuthSignIn::Job::Run(std::chrono::steady_clock::time_point deadline) {
  RedirectWait wait;
  try {
    wait = WaitForRedirect(listener, state, deadline);
  } catch (const SocketError& e) {
    return Failed(u"サインインの応答を受け取れませんでした: " + e.Reason());
  }
  if (wait.outcome == RedirectWait::kTimedOut) return {SignInOutcome::kTimedOut, "", u""};
  if (wait.outcome == RedirectWait::kCancelled) return Failed(u"中止しました");
  if (wait.response.outcome == AuthorizationResponse::kCode) return Redeem(wait.response.code);
  return Failed(u"サインインが拒否されました (" + Utf8ToWide(wait.response.error) + u")");
}

SignInOutcome TOAuthSignIn::Job::Redeem(const AnsiString& code) {
  TokenResponse response;
  try {
    const HttpReply http = tokens.PostForm(
        tokenUrl,
        FormEncode(CodeGrant(client, code, LoopbackRedirectUri(listener.Port()), pkce.verifier)));
    response = ReadTokenResponse(http.status, http.body);
  } catch (const Error& e) {
    return Failed(e.Message());
  }
  if (response.outcome != TokenResponse::kGranted) return Failed(response.reason);
  if (response.refreshToken.empty())
    return Failed(
        u"トークンの発行元がリフレッシュトークンを返しませんでした。"
        u"スコープに長期のアクセス (offline_access など) が含まれているか確かめてください");
  return {SignInOutcome::kSignedIn, response.refreshToken, u""};
}

TOAuthSignIn::TOAuthSignIn(Shell& shell, MainThread& mainThread, std::chrono::milliseconds timeout,
                           std::chrono::milliseconds requestTimeout)
    : shell_(shell), main_(mainThread), timeout_(timeout), requestTimeout_(requestTimeout) {}

TOAuthSignIn::~TOAuthSignIn() {
  Cancel();
  if (worker_.joinable()) worker_.join();
}

void TOAuthSignIn::Cancel() {
  if (!job_) return;
  job_->cancelled = true;
  job_->listener.Interrupt();
  job_->tokens.Interrupt();
  job_.reset();
}

void TOAuthSignIn::Finish(std::shared_ptr<Job> job, const SignInOutcome& outcome) {
  main_.Post([this, job, outcome] {
    if (job->cancelled) return;
    job_.reset();
    job->done(outcome);
  });
}

void TOAuthSignIn::Start(const OAuthClient& client, const AnsiString& user,
                         std::function<void(const SignInOutcome&)> done) {
  Cancel();
  if (worker_.joinable()) worker_.join();
  const std::optional<HttpsUrl> authorizeUrl = ParseHttpsUrl(client.authorizeUrl);
  const std::optional<HttpsUrl> tokenUrl = ParseHttpsUrl(client.tokenUrl);
  std::shared_ptr<Job> job;
  try {
    job = std::make_shared<Job>(client, requestTimeout_);
  } catch (const SocketError& e) {
    main_.Post([done, reason = e.Reason()] {
      done(Failed(u"サインインの応答を受け取る準備ができませんでした: " + reason));
    });
    return;
  } catch (const Error& e) {
    main_.Post([done, reason = e.Message()] { done(Failed(reason)); });
    return;
  }
  job->done = std::move(done);
  job_ = job;
  if (!authorizeUrl || !tokenUrl)
    return Finish(job, Failed(u"認可URLとトークンURLは https:// で始まるアドレスにしてください"));
  job->tokenUrl = *tokenUrl;

  AuthorizationRequest request{client.clientId,       LoopbackRedirectUri(job->listener.Port()),
                               client.scope,          job->state,
                               job->pkce.challenge,   WideToUtf8(SjisToWide(user)),
                               client.authorizeExtras};
  shell_.OpenUrl(Utf8ToWide(AuthorizationUrl(client.authorizeUrl, request)));
  const auto deadline = std::chrono::steady_clock::now() + timeout_;
  worker_ = std::thread([this, job, deadline] { Finish(job, job->Run(deadline)); });
}

}  // namespace orvane
