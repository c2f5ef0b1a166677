#pragma once

#include <atomic>
#include <chrono>
#include <mutex>

#include "oauth/HttpsUrl.h"
#include "platform/Types.h"
#include "settings/ProxySettings.h"

namespace orvane {

// What a token endpoint answered.
struct HttpReply {
  int status = 0;
  AnsiString body;
};

// Posts forms to a token endpoint on libcurl: HTTPS only, TLS 1.2 or
// later, the endpoint's certificate checked against OpenSSL's default
// trust store (SSL_CERT_FILE and SSL_CERT_DIR honoured, as for the mail
// servers) and the URL's host name, also through a proxy, to which the
// connection is a CONNECT tunnel with Basic authentication. No redirects
// are followed: a token request goes to exactly the endpoint configured.
class TokenClient {
 public:
  // Each request ends after `timeout` at the latest; it goes through the
  // proxy that `proxy` chooses for the endpoint.
  TokenClient(std::chrono::milliseconds timeout, ProxySettings proxy);

  // POSTs `form` (application/x-www-form-urlencoded) to `url`. Raises
  // Error, saying why in the user's words, when the endpoint or the proxy
  // cannot be reached, the proxy refuses, the certificate is refused, the
  // time is up, Interrupt came, or the answer is no HTTP response or larger
  // than 1 MiB. A message about the proxy names it and where to mend it,
  // never with its password.
  HttpReply PostForm(const HttpsUrl& url, const AnsiString& form);
  // Ends the request in progress, and any later one, from any thread.
  void Interrupt();

 private:
  std::chrono::milliseconds timeout_;
  ProxySettings proxy_;
  std::atomic<bool> interrupted_{false};
  std::mutex lock_;
  void* running_ = nullptr;  // the multi handle of the request in progress
};

}  // namespace orvane
