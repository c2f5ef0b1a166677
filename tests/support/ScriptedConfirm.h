#pragma once

#include "app/ConfirmDisplay.h"

namespace orvane::test {

// Answers the send's confirmation with a scripted choice.
class ScriptedConfirm final : public ConfirmDisplay {
 public:
  explicit ScriptedConfirm(TConfirmChoice choice) : choice_(choice) {}
  TConfirmChoice ConfirmSend(const MessageDraft&, const TZelMime&) override { return choice_; }

 private:
  TConfirmChoice choice_;
};

}  // namespace orvane::test
