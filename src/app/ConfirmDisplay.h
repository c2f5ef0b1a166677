#pragma once

#include "checks/ConfirmUnit.h"

namespace orvane {

enum class TConfirmChoice { GoOn, Stop };

// Puts what is about to be sent to the user for a last look after the
// pre-send checks (the window 送信前の確認): the user ticks its lines one by
// one and may move outside addresses into Bcc. The user interface
// implements it, tests script it. A send without one is not confirmed.
class ConfirmDisplay {
 public:
  virtual ~ConfirmDisplay() = default;
  virtual TConfirmChoice ConfirmSend(TConfirmForm& form) = 0;
};

}  // namespace orvane
