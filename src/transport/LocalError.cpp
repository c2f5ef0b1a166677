#include "transport/LocalError.h"

#include <string>

#include "platform/CodePage.h"

namespace orvane {
namespace {

WideString Server(const AnsiString& host, int port) {
  // An IPv6 address holds colons of its own (RFC 3986 section 3.2.2).
  const AnsiString name = host.find(':') == AnsiString::npos ? host : '[' + host + ']';
  return SjisToWide(name) + u':' + Utf8ToWide(std::to_string(port));
}

}  // namespace

WideString CannotConnectText(const AnsiString& host, int port, const WideString& reason) {
  if (host.empty()) return reason;
  return Server(host, port) + u" に接続できません (" + reason + u")";
}

WideString BrokenText(const AnsiString& host, int port, const WideString& reason) {
  return Server(host, port) + u" との通信が切れました (" + reason + u")";
}

WideString NoReplyText(const AnsiString& host, int port, std::chrono::milliseconds timeout) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout).count();
  return Server(host, port) + u" から " + Utf8ToWide(std::to_string(seconds)) +
         u" 秒以内に応答がありません";
}

WideString ClosedText(const AnsiString& host, int port) {
  return Server(host, port) + u" が接続を切りました";
}

WideString TooLongText(const AnsiString& host, int port) {
  return Server(host, port) + u" の応答が長すぎます";
}

}  // namespace orvane
