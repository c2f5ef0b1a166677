#include "extras/MacroUnit.h"

#include <array>
#include <string_view>

#include "extras/uFormatDateTimeEx.h"
#include "mime/RfcDate.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/SettingKeys.h"

namespace orvane {
namespace {

struct TMacro {
  std::u16string_view name;  // in lower case
  WideString value;
};

// Every occurrence of the macro, found without regard to ASCII case; the
// value itself is not searched again.
void ReplaceMacro(WideString& text, const TMacro& macro) {
  const WideString lower = ToAsciiLower(text);
  WideString out;
  size_t from = 0;
  for (size_t at = lower.find(macro.name); at != WideString::npos;
       at = lower.find(macro.name, from)) {
    out.append(text, from, at - from);
    out += macro.value;
    from = at + macro.name.size();
  }
  out.append(text, from);
  text = std::move(out);
}

}  // namespace

WideString ExpandMacros(const IniFileUnit& settings, const Clock& clock,
                        const AnsiString& accountName, const WideString& text, TMacroMode mode,
                        const TAnsweredMessage* answered) {
  const ProfileText account = settings.AccountFile(accountName).Load();
  const auto value = [&account](std::string_view section, std::string_view key) {
    return SjisToWide(account.Find(section, key).value_or(AnsiString()));
  };
  const char* section = mode == mmSignature ? keys::kSignatureSection : keys::kTemplateSection;
  // One moment for every date of the expansion.
  const TimePoint now = clock.Now();
  const LocalDateTime local = ToLocalDateTime(now);
  const bool reply = mode == mmReply && answered != nullptr;

  const std::array<TMacro, kMacroNames.size()> macros = {{
      {kMacroNames[0], FormatDateTimeEx(value(section, keys::kDateTimeKeys[0]), local)},
      {kMacroNames[1], FormatDateTimeEx(value(section, keys::kDateTimeKeys[1]), local)},
      {kMacroNames[2], FormatDateTimeEx(value(section, keys::kDateTimeKeys[2]), local)},
      {kMacroNames[3], value(keys::kAccountSection, keys::kName.key)},
      {kMacroNames[4], value(keys::kAccountSection, keys::kAddress.key)},
      {kMacroNames[5], reply ? SjisToWide(RfcDateString(answered->date.value_or(now)))
                             : WideString(u"元メールの送信時間")},
      {kMacroNames[6], reply ? answered->subject : WideString(u"元メールの件名")},
      {kMacroNames[7],
       reply ? SjisToWide(answered->messageId) : WideString(u"元メールのMessageId")},
      {kMacroNames[8], reply ? answered->senderName : WideString(u"元メールの送信者")},
      {kMacroNames[9], reply ? answered->senderAddress : WideString(u"元メールのアドレス")},
  }};
  WideString expanded = text;
  for (const TMacro& macro : macros) ReplaceMacro(expanded, macro);
  return expanded;
}

}  // namespace orvane
