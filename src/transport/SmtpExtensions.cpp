#include "transport/SmtpExtensions.h"

#include <string>

#include "platform/AsciiText.h"
#include "platform/ByteSize.h"

namespace orvane {
namespace {

// The parameter of a keyword ("SIZE=35882577" gives "35882577").
std::string_view ParameterOf(const TEhloList& ehlo, std::string_view keyword) {
  for (const AnsiString& entry : ehlo.Entries()) {
    const std::string_view text = entry;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    if (SameAsciiText(text.substr(0, equals), keyword)) return text.substr(equals + 1);
  }
  return {};
}

std::uint64_t DecimalOrZero(std::string_view text) {
  if (text.empty() || text.size() > 19) return 0;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

}  // namespace

TSmtpExtensions ExtensionsOf(const TEhloList& ehlo) {
  TSmtpExtensions extensions;
  extensions.size = ehlo.Has("SIZE");
  if (extensions.size) extensions.sizeLimit = DecimalOrZero(ParameterOf(ehlo, "SIZE"));
  extensions.pipelining = ehlo.Has("PIPELINING");
  extensions.eightBitMime = ehlo.Has("8BITMIME");
  extensions.smtpUtf8 = ehlo.Has("SMTPUTF8");
  extensions.dsn = ehlo.Has("DSN");
  extensions.enhancedStatusCodes = ehlo.Has("ENHANCEDSTATUSCODES");
  return extensions;
}

AnsiString MailParameters(const TSmtpExtensions& extensions, std::uint64_t messageSize,
                          bool eightBit) {
  AnsiString parameters;
  if (extensions.size && messageSize > 0) parameters += " SIZE=" + std::to_string(messageSize);
  if (extensions.eightBitMime && eightBit) parameters += " BODY=8BITMIME";
  return parameters;
}

bool OverSizeLimit(const TSmtpExtensions& extensions, std::uint64_t messageSize) {
  return extensions.size && extensions.sizeLimit > 0 && messageSize > extensions.sizeLimit;
}

WideString SizeRefusalText(std::uint64_t messageSize, std::uint64_t limit) {
  return u"メールの大きさ (" + MegabytesText(messageSize) + u") がサーバーの上限 (" +
         MegabytesText(limit) + u") を超えています。添付ファイルを小さくするか分けて送ってください";
}

}  // namespace orvane
