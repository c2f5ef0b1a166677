#include "oauth/TokenClient.h"

#include <curl/curl.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "oauth/ProxyRoute.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/SocketCalls.h"
#include "transport/TlsSession.h"

namespace orvane {
namespace {

// A token endpoint's answer is a few kilobytes; more is no answer of one.
constexpr std::size_t kMaxResponseBytes = 1024 * 1024;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What a request collects besides the body.
struct Transfer {
  AnsiString body;
  bool tooLarge = false;
  char error[CURL_ERROR_SIZE] = "";
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  if (transfer->body.size() + size * count > kMaxResponseBytes) {
    transfer->tooLarge = true;
    return 0;
  }
  transfer->body.append(data, size * count);
  return size * count;
}

// The trust store of the mail connections, not the one libcurl was built
// with: SSL_CERT_FILE and SSL_CERT_DIR work alike for both. OpenSSL checks
// the endpoint's name with the chain, so that a certificate for another
// host is refused for that reason, as a mail server's is.
CURLcode PrepareTls(CURL*, void* context, void* host) {
  auto* tls = static_cast<SSL_CTX*>(context);
  SSL_CTX_set_default_verify_paths(tls);
  const AnsiString& name = *static_cast<const AnsiString*>(host);
  X509_VERIFY_PARAM* check = SSL_CTX_get0_param(tls);
  if (X509_VERIFY_PARAM_set1_ip_asc(check, name.c_str()) != 1)
    X509_VERIFY_PARAM_set1_host(check, name.c_str(), name.size());
  ERR_clear_error();
  return CURLE_OK;
}

AnsiString UrlText(const HttpsUrl& url) {
  const AnsiString host = url.host.find(':') == AnsiString::npos ? url.host : '[' + url.host + ']';
  return "https://" + host + ':' + std::to_string(url.port) + url.target;
}

long Info(CURL* easy, CURLINFO info) {
  long value = 0;
  curl_easy_getinfo(easy, info, &value);
  return value;
}

WideString StatusText(long status) {
  return u"HTTP " + Utf8ToWide(std::to_string(status));
}

// Why a request through `route` failed at the proxy; nullopt when it got
// past the proxy, or failed before reaching it.
std::optional<WideString> ProxyFailure(CURL* easy, CURLcode result, const ProxyRoute& route,
                                       const HttpsUrl& url) {
  const WideString proxy = u"プロキシ " + Utf8ToWide(route.name);
  const long connectStatus = Info(easy, CURLINFO_HTTP_CONNECTCODE);
  // Some proxies answer wrong credentials with 401 instead of 407.
  if (connectStatus == 407 || connectStatus == 401)
    return proxy + u" がユーザ名かパスワードを受け付けませんでした (" + StatusText(connectStatus) +
           u")。" + ProxyAdvice(route);
  if (connectStatus != 0 && connectStatus / 100 != 2)
    return proxy + u" がトークンの発行元 " + SjisToWide(url.host) + u" への接続を断りました (" +
           StatusText(connectStatus) + u")。" + ProxyAdvice(route);
  if (result == CURLE_COULDNT_RESOLVE_PROXY)
    return proxy + u" に接続できません (ホストが見つかりません)。" + ProxyAdvice(route);
  if (result == CURLE_COULDNT_CONNECT)
    return proxy + u" に接続できません (" +
           ErrnoReason(static_cast<int>(Info(easy, CURLINFO_OS_ERRNO))) + u")。" +
           ProxyAdvice(route);
  return std::nullopt;
}

// Why the request failed after it reached the endpoint, or on the way to it.
WideString EndpointFailure(CURL* easy, CURLcode result, const Transfer& transfer,
                           const HttpsUrl& url, std::chrono::milliseconds timeout) {
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
      return FormatMessage(u"%s 秒以内に応答がありませんでした",
                           Utf8ToWide(std::to_string(timeout.count() / 1000)));
    case CURLE_WRITE_ERROR:
      if (transfer.tooLarge) return u"トークンの発行元の応答が大きすぎます";
      break;
    case CURLE_PEER_FAILED_VERIFICATION: {
      // OpenSSL says what it refused; should libcurl's own check of the
      // name refuse a chain OpenSSL took, the name is what was wrong.
      const long verify = Info(easy, CURLINFO_SSL_VERIFYRESULT);
      return CertificateRefusal(
          {verify == X509_V_OK ? X509_V_ERR_HOSTNAME_MISMATCH : static_cast<int>(verify)},
          url.host);
    }
    case CURLE_COULDNT_RESOLVE_HOST:
      return u"ホストが見つかりません";
    case CURLE_COULDNT_CONNECT:
      return ErrnoReason(static_cast<int>(Info(easy, CURLINFO_OS_ERRNO)));
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:  // no status line: HTTP/0.9 is refused
    case CURLE_GOT_NOTHING:
      return u"トークンの発行元の応答は HTTP の応答ではありませんでした";
    default:
      break;
  }
  return Utf8ToWide(*transfer.error ? transfer.error : curl_easy_strerror(result));
}

void InitCurlOnce() {
  static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (init != CURLE_OK) throw Error(u"HTTPS の準備ができません");
}

}  // namespace

TokenClient::TokenClient(std::chrono::milliseconds timeout, ProxySettings proxy)
    : timeout_(timeout), proxy_(std::move(proxy)) {}

void TokenClient::Interrupt() {
  interrupted_ = true;
  const std::lock_guard guard(lock_);
  if (running_) curl_multi_wakeup(static_cast<CURLM*>(running_));
}

HttpReply TokenClient::PostForm(const HttpsUrl& url, const AnsiString& form) {
  InitCurlOnce();
  const std::optional<ProxyRoute> route =
      ChooseProxy(proxy_, url.host, [](const char* name) { return std::getenv(name); });
  const WideString where = SjisToWide(url.host) + (route ? u" に接続できません (プロキシ " +
                                                               Utf8ToWide(route->name) + u" 経由): "
                                                         : WideString(u" に接続できません: "));
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  std::unique_ptr<curl_slist, ListDeleter> headers(
      curl_slist_append(nullptr, "Accept: application/json"));
  if (!multi || !easy || !headers) throw Error(where + u"HTTPS の準備ができません");
  Transfer transfer;
  CURL* e = easy.get();
  const AnsiString target = UrlText(url);
  curl_easy_setopt(e, CURLOPT_URL, target.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(form.size()));
  curl_easy_setopt(e, CURLOPT_COPYPOSTFIELDS, form.c_str());
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(e, CURLOPT_USERAGENT, "Orvane");
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, transfer.error);
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout_.count()));
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(e, CURLOPT_CAINFO, nullptr);
  curl_easy_setopt(e, CURLOPT_CAPATH, nullptr);
  curl_easy_setopt(e, CURLOPT_CA_CACHE_TIMEOUT, 0L);
  curl_easy_setopt(e, CURLOPT_SSL_CTX_FUNCTION, PrepareTls);
  curl_easy_setopt(e, CURLOPT_SSL_CTX_DATA, &url.host);
  // The proxy is chosen above, once: libcurl's own reading of the
  // environment is switched off either way.
  if (route) {
    curl_easy_setopt(e, CURLOPT_PROXY, route->url.c_str());
    curl_easy_setopt(e, CURLOPT_NOPROXY, "");
    curl_easy_setopt(e, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    curl_easy_setopt(e, CURLOPT_HTTPPROXYTUNNEL, 1L);
    if (!route->user.empty()) {
      curl_easy_setopt(e, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
      curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, route->user.c_str());
      curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, route->password.c_str());
    }
  } else {
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_NOPROXY, "*");
  }

  curl_multi_add_handle(multi.get(), e);
  {
    const std::lock_guard guard(lock_);
    running_ = multi.get();
  }
  int running = 1;
  while (running && !interrupted_) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    if (running) curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
  }
  {
    const std::lock_guard guard(lock_);
    running_ = nullptr;
  }
  int queued = 0;
  const CURLMsg* done = curl_multi_info_read(multi.get(), &queued);
  const CURLcode result =
      done && done->msg == CURLMSG_DONE ? done->data.result : CURLE_ABORTED_BY_CALLBACK;
  curl_multi_remove_handle(multi.get(), e);

  if (interrupted_) throw Error(where + u"中止しました");
  if (result != CURLE_OK) {
    if (route)
      if (std::optional<WideString> failure = ProxyFailure(e, result, *route, url))
        throw Error(*failure);
    throw Error(where + EndpointFailure(e, result, transfer, url, timeout_));
  }
  return {static_cast<int>(Info(e, CURLINFO_RESPONSE_CODE)), std::move(transfer.body)};
}

}  // namespace orvane
