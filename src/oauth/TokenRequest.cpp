#include "oauth/TokenRequest.h"

#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// The client authenticates with its secret in the form (RFC 6749 section
// 2.3.1) where it has one; a public client sends its ID alone.
void AddClient(const OAuthClient& client, FormFields& fields) {
  fields.emplace_back("client_id", client.clientId);
  if (!client.clientSecret.empty()) fields.emplace_back("client_secret", client.clientSecret);
}

using Json = nlohmann::json;

// The answer as one JSON object (RFC 8259) of which only the members
// matter: objects and arrays inside it are dropped while it is read, so
// that nesting of any depth keeps nothing and costs no stack. nullopt for
// text that is no such object, invalid UTF-8 included. Of a name given
// twice the last value counts.
std::optional<Json> ReadObject(std::string_view body) {
  const Json::parser_callback_t topLevelOnly = [](int depth, Json::parse_event_t event, Json&) {
    return depth == 0 || (event != Json::parse_event_t::object_start &&
                          event != Json::parse_event_t::array_start);
  };
  Json object = Json::parse(body, topLevelOnly, false);
  if (!object.is_object()) return std::nullopt;
  return object;
}

// A member that is a string; any other member counts as missing.
std::string_view Member(const Json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? std::string_view(it->get_ref<const std::string&>())
                                               : std::string_view();
}

// A lifetime in seconds: a number, or digits in a string as older
// endpoints write it, from 0 to what the clock can count.
std::optional<long long> Seconds(const Json& object) {
  const auto it = object.find("expires_in");
  if (it == object.end()) return std::nullopt;
  if (it->is_number_unsigned()) {
    const auto seconds = it->get<std::uint64_t>();
    if (seconds <= static_cast<std::uint64_t>(std::numeric_limits<long long>::max()))
      return static_cast<long long>(seconds);
    return std::nullopt;
  }
  const std::string_view text = Member(object, "expires_in");
  long long seconds = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || seconds < 0)
    return std::nullopt;
  return seconds;
}

// The token68 syntax of a bearer token (RFC 6750 section 2.1): nothing in
// it can end a SASL field or a command line.
bool IsBearerToken(std::string_view token) {
  std::size_t end = token.size();
  while (end > 0 && token[end - 1] == '=') --end;
  if (end == 0) return false;
  for (char c : token.substr(0, end))
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
          std::string_view("-._~+/").find(c) != std::string_view::npos))
      return false;
  return true;
}

WideString StatusText(int status) {
  return u"HTTP " + Utf8ToWide(std::to_string(status));
}

}  // namespace

FormFields CodeGrant(const OAuthClient& client, const AnsiString& code,
                     const AnsiString& redirectUri, const AnsiString& verifier) {
  FormFields fields = {{"grant_type", "authorization_code"},
                       {"code", code},
                       {"redirect_uri", redirectUri},
                       {"code_verifier", verifier}};
  AddClient(client, fields);
  return fields;
}

FormFields RefreshGrant(const OAuthClient& client, const AnsiString& refreshToken) {
  FormFields fields = {{"grant_type", "refresh_token"}, {"refresh_token", refreshToken}};
  if (!client.scope.empty()) fields.emplace_back("scope", client.scope);
  AddClient(client, fields);
  return fields;
}

TokenResponse ReadTokenResponse(int status, std::string_view body) {
  TokenResponse response;
  const std::optional<Json> members = ReadObject(body);
  if (!members) {
    response.reason = u"トークンの発行元の応答を読めませんでした (" + StatusText(status) + u")";
    return response;
  }
  if (status != 200) {
    const std::string_view error = Member(*members, "error");
    const std::string_view description = Member(*members, "error_description");
    response.outcome = error == "invalid_grant" ? TokenResponse::kRefused : TokenResponse::kFailed;
    response.reason = Utf8ToWide(error.empty() ? std::string_view("error") : error);
    if (!description.empty()) response.reason += u": " + Utf8ToWide(description);
    response.reason += u" (" + StatusText(status) + u")";
    return response;
  }
  // Only a bearer token can go into AUTH (RFC 6750; RFC 6749 section 7.1).
  if (!SameAsciiText(Member(*members, "token_type"), "Bearer") ||
      !IsBearerToken(Member(*members, "access_token"))) {
    response.reason = u"トークンの発行元が Bearer トークンを返しませんでした";
    return response;
  }
  response.outcome = TokenResponse::kGranted;
  response.accessToken = AnsiString(Member(*members, "access_token"));
  response.refreshToken = AnsiString(Member(*members, "refresh_token"));
  response.expiresIn = Seconds(*members);
  return response;
}

}  // namespace orvane
