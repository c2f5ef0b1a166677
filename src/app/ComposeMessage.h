#pragma once

#include <filesystem>
#include <vector>

#include "app/MessageDraft.h"
#include "mime/ZelMime.h"
#include "platform/Clock.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What a message is made of besides the draft.
struct ComposeSources {
  const IniFileUnit& settings;
  const Clock& clock;  // the signature's date macros
  AnsiString accountName;
  WideString versionText;
};

// The main window's component settings, fixed when the window is created:
// RFC 2231 names, dated Message-IDs, every option, Bcc written, sorted
// parts, UTF-7 as the Unicode fallback, a charset decision per field.
void SetUpMessageComponent(TZelMime& mime);

// The charset Encode/Encode asks for, in place of `charset`; another value
// leaves it as it was.
void SelectEncodeCharSet(const IniFileUnit& settings, TMimeCharSet& charset);

// Clears mime, fills it from the draft, the account (name, address,
// signature, extended header lines) and the Encode settings, and composes:
// afterwards mime.MessageText() is the whole message, Recipients() the
// envelope recipients (Bcc and send-to-self included) and MessageId() its
// Message-ID. The body is the draft's body text, or else the body file's
// (a missing file gives none), followed by the signature, every line ended by CR LF; the
// attachments are the given files, in order. The draft's texts reach the component as Unicode.
// Returns the expanded signature the body ends with, so that the checks can tell what the user
// wrote from it. Throws FileError when the body file exists but cannot be read, ConvertError for a
// settings value that is not a number.
WideString ComposeMessage(const MessageDraft& draft,
                          const std::vector<std::filesystem::path>& attachments,
                          const ComposeSources& sources, TZelMime& mime);

}  // namespace orvane
