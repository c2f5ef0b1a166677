#include "checks/ConfirmSetUnit.h"

#include <algorithm>

#include "checks/CommaList.h"
#include "checks/ConfirmSettings.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {

namespace {

// A domain may be written with an "@" before it; what follows must be
// labels separated by single dots, free of the characters that delimit
// addresses.
bool CanBeDomain(std::u16string_view entry) {
  if (entry.starts_with(u'@')) entry.remove_prefix(1);
  if (entry.empty() || entry.starts_with(u'.') || entry.find(u"..") != entry.npos) return false;
  return entry.find_first_of(u"@<>()[]\\\";:/") == entry.npos;
}

}  // namespace

TConfirmSetForm::TConfirmSetForm(const IniFileUnit& settings)
    : enabled(settings.Read(keys::kConfirmEnabled)),
      internalDomains(SjisToWide(settings.Read(keys::kConfirmInternalDomains))),
      subDomains(settings.Read(keys::kConfirmSubDomains)),
      skipWhenInternal(settings.Read(keys::kConfirmSkipWhenInternal)),
      bccLeakLimit(std::clamp(settings.Read(keys::kConfirmBccLeakLimit), 2, kBccLeakLimitMax)),
      delaySeconds(ReadDelaySeconds(settings)),
      blockAddresses(SjisToWide(settings.Read(keys::kBlockAddresses))),
      blockDomains(SjisToWide(settings.Read(keys::kBlockDomains))),
      blockWords(SjisToWide(settings.Read(keys::kBlockWords))),
      blockExtensions(SjisToWide(settings.Read(keys::kBlockExtensions))),
      settings_(settings) {}

void TConfirmSetForm::Save() const {
  for (const WideString* list : {&internalDomains, &blockDomains})
    for (const WideString& entry : SplitCommaList(*list))
      if (!CanBeDomain(entry))
        throw Error((list == &internalDomains ? u"社内のドメイン" : u"送信を禁止するドメイン") +
                    WideString(u"として使えない書き方です: ") + entry);
  // The settings file is Shift_JIS; a domain it cannot hold is written as
  // its "xn--" labels instead.
  for (const WideString* list :
       {&internalDomains, &blockAddresses, &blockDomains, &blockWords, &blockExtensions})
    for (const WideString& entry : SplitCommaList(*list))
      if (SjisToWide(WideToSjis(entry)) != entry)
        throw Error(u"設定ファイルに保存できない文字を含んでいます (ドメインは xn-- で始まる形で"
                    u"書いてください): " +
                    entry);
  auto flag = [](bool on) { return on ? "1" : "0"; };
  settings_.GeneralFile().Update([&](ProfileText& profile) {
    auto set = [&](const auto& key, const AnsiString& value) {
      profile.Set(key.section, key.key, value);
    };
    set(keys::kConfirmEnabled, flag(enabled));
    set(keys::kConfirmInternalDomains, WideToSjis(internalDomains));
    set(keys::kConfirmSubDomains, flag(subDomains));
    set(keys::kConfirmSkipWhenInternal, flag(skipWhenInternal));
    set(keys::kConfirmBccLeakLimit, std::to_string(bccLeakLimit));
    set(keys::kConfirmDelaySeconds, std::to_string(delaySeconds));
    set(keys::kBlockAddresses, WideToSjis(blockAddresses));
    set(keys::kBlockDomains, WideToSjis(blockDomains));
    set(keys::kBlockWords, WideToSjis(blockWords));
    set(keys::kBlockExtensions, WideToSjis(blockExtensions));
  });
}

}  // namespace orvane
