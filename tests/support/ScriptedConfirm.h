#pragma once

#include "app/ConfirmDisplay.h"

namespace orvane::test {

// Answers the send's confirmation with a scripted choice, having moved the
// outside addresses into Bcc when told to and ticked every line when it
// goes on; counts how often it was asked.
class ScriptedConfirm final : public ConfirmDisplay {
 public:
  explicit ScriptedConfirm(TConfirmChoice choice, bool moveToBcc = false)
      : choice_(choice), moveToBcc_(moveToBcc) {}
  TConfirmChoice ConfirmSend(TConfirmForm& form) override {
    ++asked;
    if (moveToBcc_) form.MoveOutsideToBcc();
    if (choice_ == TConfirmChoice::GoOn)
      for (size_t line = 0; line < form.Lines().size(); ++line) form.SetTicked(line, true);
    return choice_;
  }
  int asked = 0;

 private:
  TConfirmChoice choice_;
  bool moveToBcc_;
};

}  // namespace orvane::test
