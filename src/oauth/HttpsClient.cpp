#include "oauth/HttpsClient.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/TcpSocket.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A token endpoint's answer is a few kilobytes; more is no answer of one.
constexpr std::size_t kMaxResponseBytes = 1024 * 1024;

// Reads wake this often to see whether the request was interrupted.
constexpr auto kInterruptCheck = 100ms;

// The Host field: the port only where it is not the default, an IPv6
// address in brackets (RFC 9110 section 7.2).
AnsiString HostField(const HttpsUrl& url) {
  AnsiString host = url.host.find(':') == AnsiString::npos ? url.host : '[' + url.host + ']';
  if (url.port != 443) host += ':' + std::to_string(url.port);
  return host;
}

}  // namespace

HttpsClient::HttpsClient(std::chrono::milliseconds timeout) : timeout_(timeout) {}

void HttpsClient::Interrupt() {
  interrupted_ = true;
  connection_.Interrupt();
}

void HttpsClient::Check(Clock::time_point deadline) const {
  if (interrupted_) throw Error(u"中止しました");
  if (Clock::now() >= deadline)
    throw Error(FormatMessage(u"%s 秒以内に応答がありませんでした",
                              Utf8ToWide(std::to_string(timeout_.count() / 1000))));
}

HttpResponse HttpsClient::PostForm(const HttpsUrl& url, const AnsiString& form) {
  const Clock::time_point deadline = Clock::now() + timeout_;
  const WideString where = FormatMessage(u"%s に接続できません: ", SjisToWide(url.host));
  AnsiString received;
  try {
    connection_.SetHost(url.host);
    connection_.SetPort(url.port);
    Check(deadline);
    connection_.Open();
    Check(deadline);
    connection_.StartTls("", deadline);
    connection_.WriteAll("POST " + url.target + " HTTP/1.1\r\nHost: " + HostField(url) +
                             "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                             "Content-Length: " +
                             std::to_string(form.size()) +
                             "\r\nAccept: application/json\r\nConnection: close\r\n"
                             "User-Agent: Orvane\r\n\r\n" +
                             form,
                         timeout_);
    char buffer[4096];
    for (;;) {
      Check(deadline);
      const std::optional<std::size_t> n = connection_.Read(
          buffer, sizeof buffer, std::min(deadline, Clock::now() + kInterruptCheck));
      if (!n) continue;
      if (*n == 0) break;
      received.append(buffer, *n);
      if (received.size() > kMaxResponseBytes) throw Error(u"トークンの発行元の応答が大きすぎます");
    }
  } catch (const SocketError& e) {
    connection_.Close();
    throw Error(where + e.Reason());
  } catch (const TlsError& e) {
    connection_.Close();
    throw Error(where + e.Reason());
  } catch (const Error& e) {
    connection_.Close();
    throw Error(where + e.Message());
  }
  connection_.Close();
  std::optional<HttpResponse> response = ParseHttpResponse(received);
  if (!response) throw Error(u"トークンの発行元の応答は HTTP の応答ではありませんでした");
  return *response;
}

}  // namespace orvane
