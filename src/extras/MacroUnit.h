#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the text is: a signature (date formats of section Signature), a
// reply template previewed without a message, or a reply template applied
// to the message being answered (both from section Template).
enum TMacroMode { mmSignature = 0, mmTemplate = 1, mmReply = 2 };

// The macros, in the order they are replaced.
inline constexpr std::array<std::u16string_view, 10> kMacroNames{
    u"%datetime1%", u"%datetime2%", u"%datetime3%", u"%name%",  u"%address%",
    u"%date%",      u"%subject%",   u"%messageid%", u"%fname%", u"%faddress%"};

// The fields of the message being answered that the reply macros show.
// The caller takes them from the loaded message component: the sender's
// parts with ExtractDisplayName (From, stripQuotes, removeComments) and
// ExtractAddress (From, stripBrackets, removeComments).
struct TAnsweredMessage {
  std::optional<TimePoint> date;  // none: missing or unreadable
  WideString subject;             // decoded
  AnsiString messageId;
  WideString senderName;
  WideString senderAddress;
};

// Replaces the macros of a signature or reply template, one macro after
// another and each without regard to case: %datetime1% to %datetime3% (the
// clock's current time with the account's DateTime1 to DateTime3 of the
// mode's section, an empty format being "C"), %name% and %address% (the
// account's sender), then %date%, %subject%, %messageid%, %fname% and
// %faddress%: in mode mmReply the answered message's (a missing Date gives
// the current time), otherwise placeholder words. Text put in by one macro
// is subject to the later ones. Settings are read at every call; a missing
// account file or key gives empty values.
WideString ExpandMacros(const IniFileUnit& settings, const Clock& clock,
                        const AnsiString& accountName, const WideString& text, TMacroMode mode,
                        const TAnsweredMessage* answered = nullptr);

}  // namespace orvane
