#include "checks/WarningSettings.h"

#include <span>

#include "checks/CommaList.h"
#include "platform/CodePage.h"

namespace orvane {

namespace {

// Extensions that mail filters and readers distrust: programs, scripts, and
// documents that can carry macros or scripts.
constexpr const char16_t* kRiskyExtensions[] = {
    u".exe", u".bat", u".xls", u".doc", u".com",  u".pif",
    u".vbs", u".scr", u".js",  u".htm", u".html",
};

// The mail domains of three Japanese mobile carriers. The last is written
// without "@", so that it also matches the carrier's subdomains.
constexpr const char16_t* kMobileDomains[] = {
    u"@docomo.ne.jp",
    u"@ezweb.ne.jp",
    u"softbank.ne.jp",
};

// The domains of two mailing-list services.
constexpr const char16_t* kMailingListDomains[] = {
    u"@googlegroups.com",
    u"@groups.io",
};

// Words that say a file goes with the message.
constexpr const char16_t* kAttachWords[] = {
    u"添付", u"別添", u"同封", u"添えて", u"attached", u"attachment", u"enclosed",
};

std::vector<WideString> ReadList(const IniFileUnit& settings, const GeneralText& key,
                                 std::span<const char16_t* const> builtIns) {
  return CombineList(builtIns, SjisToWide(settings.Read(key)));
}

}  // namespace

TWarningSettings ReadWarningSettings(const IniFileUnit& settings) {
  TWarningSettings read;
  for (const TWarningRuleInfo& rule : kWarningRules)
    read.on[static_cast<size_t>(rule.rule)] = settings.Read(rule.key);
  read.lineLength = settings.Read(keys::kLineLength);
  read.attachTotalSize = settings.Read(keys::kAttachTotalSize);
  if (read.attachTotalSize < 0) read.attachTotalSize = keys::kAttachTotalSize.defaultValue;
  read.extensions = ReadList(settings, keys::kExtensionList, kRiskyExtensions);
  read.mobileDomains = ReadList(settings, keys::kMobileList, kMobileDomains);
  read.mailingListDomains = ReadList(settings, keys::kMailingList, kMailingListDomains);
  read.attachWords = ReadList(settings, keys::kAttachWords, kAttachWords);
  return read;
}

}  // namespace orvane
