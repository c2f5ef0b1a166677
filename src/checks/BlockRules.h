#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Section Block: what no send may do. Unlike the pre-send warnings these
// are never skipped and cannot be answered with "send anyway".
struct TBlockRules {
  std::vector<WideString> addresses;   // whole addresses
  std::vector<WideString> domains;     // a domain and every domain below it
  std::vector<WideString> words;       // in the subject or the body
  std::vector<WideString> extensions;  // of an attached file's name, without the dot
  bool ReadsBody() const { return !words.empty(); }
  bool ReadsAttachments() const { return !extensions.empty(); }
};

TBlockRules ReadBlockRules(const IniFileUnit& settings);

// What the rules read of a message about to go.
struct TBlockedMessage {
  std::vector<WideString> recipients;  // every envelope address
  WideString subject;
  std::function<WideString()> body;  // asked only when a word is to be found
  std::vector<std::filesystem::path> attachments;
};

// "送信できません: …", naming the rule and what matched, for the first
// rule the message breaks (addresses, domains, words, extensions, in that
// order); none when it breaks none. Addresses, domains and extensions are
// compared without regard to ASCII case, and so are ASCII letters of a word.
std::optional<WideString> BlockedSend(const TBlockRules& rules, const TBlockedMessage& message);

}  // namespace orvane
