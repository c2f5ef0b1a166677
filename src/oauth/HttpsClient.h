#pragma once

#include <atomic>
#include <chrono>

#include "oauth/HttpResponse.h"
#include "oauth/HttpsUrl.h"
#include "platform/Types.h"
#include "transport/Connection.h"

namespace orvane {

// Posts forms to a token endpoint: HTTP/1.1 over TLS 1.2 or later, the
// server's certificate checked against the system's trust store and the
// URL's host name, one request per connection, the response read to its
// end. No proxies and no redirects: a token request goes to exactly the
// endpoint configured.
class HttpsClient {
 public:
  // Each request ends after `timeout` at the latest.
  explicit HttpsClient(std::chrono::milliseconds timeout);

  // POSTs `form` (application/x-www-form-urlencoded) to `url`. Raises
  // Error, saying why in the user's words, when the server cannot be
  // reached or its certificate is refused, the time is up, Interrupt came,
  // or the answer is no HTTP response.
  HttpResponse PostForm(const HttpsUrl& url, const AnsiString& form);
  // Ends the request in progress, and any later one, from any thread; a
  // connection being made still ends only when the system gives up.
  void Interrupt();

 private:
  void Check(std::chrono::steady_clock::time_point deadline) const;

  std::chrono::milliseconds timeout_;
  TConnection connection_;
  std::atomic<bool> interrupted_{false};
};

}  // namespace orvane
