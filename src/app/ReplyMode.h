#pragma once

#include <filesystem>

#include "app/MessageDraft.h"
#include "mime/ZelMime.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the reply mode works with besides the draft and the component.
struct ReplyServices {
  const IniFileUnit& settings;
  const Clock& clock;
  Prompt& prompt;
  Clipboard& clipboard;
};

// The question asked when the answered message has a Cc.
inline constexpr const char16_t* kKeepCcQuestion =
    u"このメールはカーボンコピーが設定されています。\n"
    u"カーボンコピーの設定を返信メールに引き継ぎますか？";

// Turns the draft into the answer of the saved message: loads it into
// message, then asks whether its Cc goes on (kKeepCcQuestion), builds the
// References chain, addresses the answer to its Reply-To or else its From,
// takes "Re: " and its subject without list tag and reply prefixes, and its
// Message-ID as In-Reply-To; a field the message lacks leaves the draft's
// as it was. Finally the account's reply template, its macros expanded
// against the message, replaces the clipboard's text. The body is not
// touched. An address list whose decoded display names hold a "," keeps
// those names in double quotes, so the draft's list has the message's
// recipients. A file that cannot be read throws FileError and changes
// nothing.
void ReplyFromFile(const std::filesystem::path& savedMessage, const AnsiString& account,
                   TZelMime& message, MessageDraft& draft, const ReplyServices& services);

}  // namespace orvane
