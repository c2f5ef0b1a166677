#include "checks/BlockRules.h"

#include "checks/CommaList.h"
#include "checks/MailDomain.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Path.h"

namespace orvane {
namespace {

std::vector<WideString> List(const IniFileUnit& settings, const GeneralText& key) {
  return SplitCommaList(SjisToWide(settings.Read(key)));
}

WideString Refusal(const char16_t* rule, const WideString& matched) {
  return WideString(u"送信できません: ") + rule + u" (" + matched + u")";
}

}  // namespace

TBlockRules ReadBlockRules(const IniFileUnit& settings) {
  TBlockRules rules{List(settings, keys::kBlockAddresses), List(settings, keys::kBlockDomains),
                    List(settings, keys::kBlockWords), List(settings, keys::kBlockExtensions)};
  for (WideString& extension : rules.extensions)
    if (extension.starts_with(u'.')) extension.erase(0, 1);
  return rules;
}

std::optional<WideString> BlockedSend(const TBlockRules& rules, const TBlockedMessage& message) {
  for (const WideString& recipient : message.recipients) {
    const WideString address = ComparableAddress(recipient);
    for (const WideString& blocked : rules.addresses)
      if (address == ComparableAddress(blocked))
        return Refusal(u"送信を禁止した宛先です", recipient);
    const WideString domain = DomainOf(recipient);
    for (const WideString& blocked : rules.domains) {
      const WideString forbidden = DomainName(blocked);
      if (!domain.empty() && (domain == forbidden || IsSubdomainOf(domain, forbidden)))
        return Refusal(u"送信を禁止したドメインの宛先です", recipient);
    }
  }
  if (rules.ReadsBody()) {
    const WideString subject = ToAsciiLower(message.subject);
    const WideString body = message.body ? ToAsciiLower(message.body()) : WideString();
    for (const WideString& word : rules.words) {
      const WideString wanted = ToAsciiLower(word);
      if (subject.find(wanted) != WideString::npos || body.find(wanted) != WideString::npos)
        return Refusal(u"送信を禁止した言葉が件名か本文にあります", word);
    }
  }
  for (const std::filesystem::path& file : message.attachments) {
    WideString extension = PathToWide(file.extension());
    if (extension.starts_with(u'.')) extension.erase(0, 1);
    for (const WideString& blocked : rules.extensions)
      if (!extension.empty() && SameAsciiText(extension, blocked))
        return Refusal(u"送信を禁止した種類の添付ファイルです", PathToWide(file.filename()));
  }
  return std::nullopt;
}

}  // namespace orvane
