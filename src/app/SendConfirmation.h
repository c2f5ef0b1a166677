#pragma once

#include <filesystem>
#include <vector>

#include "app/ConfirmDisplay.h"
#include "app/MessageDraft.h"
#include "mime/ZelMime.h"
#include "settings/IniFileUnit.h"

namespace orvane {

struct TConfirmResult {
  bool goOn = true;
  // Outside addresses went from To and Cc into the draft's Bcc: the message
  // must be composed again before it is sent.
  bool moved = false;
};

// The confirmation before a send ([Confirm]), when it is on and the send
// needs a look: the account, the sender and the subject as composed, the
// draft's recipients and the attached files. The send goes on only when the
// user confirmed with every line ticked. A move into Bcc is kept in the
// draft, also when the user then stops.
TConfirmResult AskConfirmation(const IniFileUnit& settings, const AnsiString& account,
                               MessageDraft& draft,
                               const std::vector<std::filesystem::path>& attachments,
                               const TZelMime& message, ConfirmDisplay& display);

}  // namespace orvane
