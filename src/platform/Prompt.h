#pragma once

#include <optional>

#include "platform/Types.h"

namespace orvane {

enum class PromptAnswer { Yes, No, Cancel };

// The buttons of a question; the default answer is the preselected button.
enum class PromptButtons { YesNo, YesNoCancel };

// The questions and messages a workflow puts to the user, each in the
// program's message box (caption "Orvane") or its one-line input box. The
// user interface implements it; tests script it.
class Prompt {
 public:
  virtual ~Prompt() = default;
  // A question with the question icon.
  virtual PromptAnswer Ask(const WideString& text, PromptButtons buttons = PromptButtons::YesNo,
                           PromptAnswer defaultAnswer = PromptAnswer::Yes) = 0;
  // A notice with the information icon and an OK button.
  virtual void Inform(const WideString& text) = 0;
  // A caution with the warning icon and an OK button, under its own caption.
  virtual void Warn(const WideString& text, const WideString& caption) = 0;
  // A failure with the error icon and an OK button.
  virtual void ShowError(const WideString& text) = 0;
  // A one-line input box preset with `text`; nullopt when cancelled.
  virtual std::optional<WideString> Input(const WideString& caption, const WideString& prompt,
                                          const WideString& text) = 0;
};

}  // namespace orvane
