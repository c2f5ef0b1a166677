#pragma once

#include <chrono>

#include "oauth/Authorization.h"
#include "platform/LoopbackListener.h"

namespace orvane {

// How the wait for the browser's redirect ended.
struct RedirectWait {
  enum Outcome {
    kAnswered,   // the redirect came: see response
    kTimedOut,   // nothing came by the deadline
    kCancelled,  // the listener was interrupted
  } outcome = kTimedOut;
  AuthorizationResponse response;
};

// Waits on `listener` for the browser's request to the redirect URI and
// answers it with BrowserAnswer. A connection that closes without a request
// (a browser's spare connection) is not counted; a request for anything
// else (a favicon) is answered 404 and the wait goes on; the first request
// for the redirect URI ends it, whatever its state says.
RedirectWait WaitForRedirect(LoopbackListener& listener, std::string_view state,
                             std::chrono::steady_clock::time_point deadline);

}  // namespace orvane
