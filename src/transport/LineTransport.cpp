#include "transport/LineTransport.h"

#include <cctype>

namespace orvane {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::chrono::milliseconds EffectiveTimeout(int timeout) {
  return std::chrono::milliseconds(timeout > 10000 ? timeout : 600000);
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool StartsWithNoCase(std::string_view a, std::string_view prefix) {
  if (a.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool ReplyHasCode(std::string_view reply, std::string_view code) {
  if (std::string_view bare = TrimRight(reply); bare.size() == 3)
    return bare.size() == code.size() && StartsWithNoCase(bare, code);
  AnsiString wanted(code);
  wanted += ' ';
  while (!reply.empty()) {
    std::size_t end = reply.find("\r\n");
    std::string_view line = reply.substr(0, end);
    if (StartsWithNoCase(TrimLeft(line), wanted)) return true;
    if (end == std::string_view::npos) break;
    reply.remove_prefix(end + 2);
  }
  return false;
}

bool IsSafeCommandLine(std::string_view line) {
  return line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

AnsiString MessageBody(std::string_view data) {
  // Copies run between the bytes that need attention, so that a large
  // message costs little more than two passes of memcpy.
  AnsiString lines;
  lines.reserve(data.size() + 8);
  for (std::size_t i = 0; i < data.size();) {
    std::size_t end = data.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = data.size();
    lines.append(data, i, end - i);
    if (end == data.size()) break;
    lines += "\r\n";
    i = end + (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n' ? 2 : 1);
  }
  constexpr std::string_view kTerminator = "\r\n.\r\n";
  std::string_view text = lines;
  if (text.size() > kTerminator.size() && text.ends_with(kTerminator))
    text.remove_suffix(kTerminator.size());
  text = TrimRight(text);

  AnsiString body;
  body.reserve(text.size() + text.size() / 64 + 8);
  if (text.starts_with('.')) body += '.';
  for (std::size_t i = 0; i < text.size();) {
    std::size_t dot = text.find("\n.", i);
    std::size_t end = dot == std::string_view::npos ? text.size() : dot + 1;
    body.append(text, i, end - i);
    if (dot != std::string_view::npos) body += '.';
    i = end;
  }
  body += kTerminator;
  return body;
}

}  // namespace orvane
