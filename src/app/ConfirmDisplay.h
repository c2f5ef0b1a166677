#pragma once

#include "app/MessageDraft.h"
#include "mime/ZelMime.h"

namespace orvane {

enum class TConfirmChoice { GoOn, Stop };

// Puts the composed message to the user for a last look before it is sent,
// after the pre-send checks; the user interface implements it, tests script
// it. A send without one is not confirmed.
class ConfirmDisplay {
 public:
  virtual ~ConfirmDisplay() = default;
  virtual TConfirmChoice ConfirmSend(const MessageDraft& draft, const TZelMime& message) = 0;
};

}  // namespace orvane
