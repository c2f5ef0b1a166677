#include "transport/Dsn.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/AsciiText.h"

namespace orvane {
namespace {

// The keyword of `word` among `keywords` (given in lower case), in the
// upper case the RFC writes; empty when it is none of them.
template <std::size_t N>
AnsiString Keyword(std::string_view word, const std::array<const char*, N>& keywords) {
  const std::string lower = ToAsciiLower(word);
  for (const char* keyword : keywords)
    if (lower == keyword) {
      AnsiString upper(keyword);
      for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
      return upper;
    }
  return {};
}

// RFC 3461 section 4: "+", "=" and anything outside "!" to "~" as "+XX".
AnsiString XText(std::string_view text) {
  AnsiString encoded;
  for (unsigned char c : text) {
    if (c < '!' || c > '~' || c == '+' || c == '=') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "+%02X", c);
      encoded += hex;
    } else {
      encoded += static_cast<char>(c);
    }
  }
  return encoded;
}

}  // namespace

std::optional<AnsiString> ParseDsnNotify(std::string_view text) {
  if (!Keyword(text, std::array{"never"}).empty()) return "NEVER";
  AnsiString keywords;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const AnsiString keyword =
        Keyword(text.substr(start, comma - start), std::array{"success", "failure", "delay"});
    if (keyword.empty() || keywords.find(keyword) != AnsiString::npos) return std::nullopt;
    keywords += (keywords.empty() ? "" : ",") + keyword;
    start = comma + 1;
  }
  return keywords;
}

std::optional<AnsiString> ParseDsnReturn(std::string_view text) {
  AnsiString keyword = Keyword(text, std::array{"full", "hdrs"});
  if (keyword.empty()) return std::nullopt;
  return keyword;
}

std::optional<AnsiString> ParseDsnEnvelopeId(std::string_view text) {
  // RFC 3461 section 4.4: at most 100 characters; printable ASCII keeps
  // it readable in the notification that quotes it back.
  if (text.empty() || text.size() > 100) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; }))
    return std::nullopt;
  return AnsiString(text);
}

AnsiString DsnMailParameters(const TDsnRequest& dsn) {
  AnsiString parameters;
  if (!dsn.ret.empty()) parameters += " RET=" + dsn.ret;
  if (!dsn.envid.empty()) parameters += " ENVID=" + XText(dsn.envid);
  return parameters;
}

AnsiString DsnRcptParameters(const TDsnRequest& dsn) {
  return dsn.notify.empty() ? AnsiString() : " NOTIFY=" + dsn.notify;
}

}  // namespace orvane
