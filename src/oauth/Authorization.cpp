#include "oauth/Authorization.h"

#include "oauth/FormFields.h"
#include "platform/AsciiText.h"

namespace orvane {

AnsiString AuthorizationUrl(std::string_view endpoint, const AuthorizationRequest& request) {
  FormFields fields = {{"response_type", "code"},
                       {"client_id", request.clientId},
                       {"redirect_uri", request.redirectUri},
                       {"scope", request.scope},
                       {"state", request.state},
                       {"code_challenge", request.challenge},
                       {"code_challenge_method", "S256"}};
  if (!request.loginHint.empty()) fields.emplace_back("login_hint", request.loginHint);
  AnsiString url(endpoint);
  url += url.find('?') == AnsiString::npos ? '?' : '&';
  url += FormEncode(fields);
  if (!request.extras.empty()) url += '&' + request.extras;
  return url;
}

AnsiString LoopbackRedirectUri(int port) {
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

AuthorizationResponse ReadAuthorizationResponse(std::string_view request, std::string_view state) {
  AuthorizationResponse response;
  const std::string_view line = request.substr(0, request.find("\r\n"));
  constexpr std::string_view kMethod = "GET /";
  const std::size_t targetEnd = line.rfind(' ');
  if (!line.starts_with(kMethod) || targetEnd < kMethod.size() ||
      !line.substr(targetEnd + 1).starts_with("HTTP/"))
    return response;
  const std::string_view target = line.substr(4, targetEnd - 4);
  if (target != "/" && !target.starts_with("/?")) return response;
  const FormFields fields = FormDecode(target.substr(std::min<std::size_t>(2, target.size())));

  // The state decides first: an answer to someone else's request is
  // ignored whatever it says (RFC 6749 section 10.12).
  const auto sentState = FormValue(fields, "state");
  if (!sentState || *sentState != state) {
    response.outcome = AuthorizationResponse::kStateMismatch;
    return response;
  }
  if (const auto error = FormValue(fields, "error")) {
    response.outcome = AuthorizationResponse::kDenied;
    response.error = *error;
    if (const auto description = FormValue(fields, "error_description"); description)
      response.error += ": " + *description;
    return response;
  }
  if (const auto code = FormValue(fields, "code"); code && !code->empty()) {
    response.outcome = AuthorizationResponse::kCode;
    response.code = *code;
  }
  return response;
}

AnsiString BrowserAnswer(AuthorizationResponse::Outcome outcome) {
  const char* message = "";
  const char* status = "200 OK";
  switch (outcome) {
    case AuthorizationResponse::kCode:
      message = "サインインの手続きを受け取りました。このページを閉じて Orvane に戻ってください。";
      break;
    case AuthorizationResponse::kDenied:
      message = "サインインできませんでした。Orvane に戻ってください。";
      break;
    case AuthorizationResponse::kStateMismatch:
    case AuthorizationResponse::kMalformed:
      status = "400 Bad Request";
      message = "この応答は Orvane のサインインへの応答ではないため、受け付けませんでした。";
      break;
  }
  const AnsiString body =
      "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\"><title>Orvane</title>"
      "</head><body><p>" +
      AnsiString(message) + "</p></body></html>\n";
  return AnsiString("HTTP/1.1 ") + status +
         "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" +
         body;
}

}  // namespace orvane
