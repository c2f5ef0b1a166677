#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// What a mailto: URI (RFC 6068) puts into a draft. Only the recipients,
// the subject, the body and the reply references are taken: a link never
// attaches a file, never chooses the sender and never adds another header
// field.
struct MailtoFields {
  // Address lists, entries separated by ", ": the path and every to=
  // make up To.
  WideString to;
  WideString cc;
  WideString bcc;
  WideString subject;
  WideString body;  // CR LF line ends
  WideString inReplyTo;
  WideString references;
  // The keys that were not taken (attach=, file=, from=, any other),
  // lower case, each once, in the order met.
  std::vector<WideString> ignoredKeys;
  // Why the whole link was refused; every field above is empty then.
  std::optional<WideString> refusal;
};

// A longer link, or one naming more addresses, is refused whole.
inline constexpr std::size_t kMaxMailtoBytes = 64 * 1024;
inline constexpr std::size_t kMaxMailtoAddresses = 1000;

// Whether an argument is a mailto: URI: the scheme in any case.
bool IsMailtoUri(std::u16string_view argument);

// The notice of the keys a link could not use: "mailto: の項目を無視しました:
// attach, from"; empty when there are none.
WideString IgnoredKeysNotice(const MailtoFields& link);

// Reads a mailto: URI. Keys are compared without case; percent-encoded
// bytes (RFC 6068 §2) are read as UTF-8, or as Shift_JIS when they are not
// UTF-8, or else as Latin-1, so that nothing is dropped. Control
// characters become blanks (the body keeps its line breaks as CR LF and
// its tabs), so no value can start a header line of its own.
MailtoFields ParseMailtoUri(std::u16string_view uri);

}  // namespace orvane
