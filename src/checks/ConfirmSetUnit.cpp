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
      settings_(settings) {}

void TConfirmSetForm::Save() const {
  for (const WideString& entry : SplitCommaList(internalDomains)) {
    if (!CanBeDomain(entry)) throw Error(u"社内のドメインとして使えない書き方です: " + entry);
    // The settings file is Shift_JIS; a domain it cannot hold is written as
    // its "xn--" labels instead.
    if (SjisToWide(WideToSjis(entry)) != entry)
      throw Error(
          u"設定ファイルに保存できない文字を含むドメインです。xn-- で始まる形で書いてください: " +
          entry);
  }
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
  });
}

}  // namespace orvane
