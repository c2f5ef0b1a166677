#pragma once

#include <chrono>

#include "oauth/Authorization.h"
#include "platform/LoopbackListener.h"

namespace orvane {

// How the wait for the browser's redirect ended.
struct RedirectWait {
  enum Outcome {
    kAnswered,   // the redirect with the state came: see response
    kTimedOut,   // nothing came by the deadline
    kCancelled,  // the listener was interrupted
  } outcome = kTimedOut;
  AuthorizationResponse response;
};

// Waits on `listener` for the browser's request to the redirect URI with
// `state` and answers it with BrowserAnswer. Connections are served side by
// side, each given a few seconds to send its request, so that none can hold
// up another. A connection that closes without a request (a browser's
// spare connection) is not counted; a request for anything else (a favicon)
// is answered 404, one for the redirect URI without the state 400, and the
// wait goes on. The response is a code or the provider's refusal.
RedirectWait WaitForRedirect(LoopbackListener& listener, std::string_view state,
                             std::chrono::steady_clock::time_point deadline);

}  // namespace orvane
