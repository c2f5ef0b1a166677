#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompt.h"

namespace orvane {

// The program's message boxes and input box, over the window that asks.
class MessagePrompt final : public Prompt {
 public:
  explicit MessagePrompt(QWidget* parent = nullptr) : parent_(parent) {}

  PromptAnswer Ask(const WideString& text, PromptButtons buttons,
                   PromptAnswer defaultAnswer) override;
  void Inform(const WideString& text) override;
  void ShowError(const WideString& text) override;
  std::optional<WideString> Input(const WideString& caption, const WideString& prompt,
                                  const WideString& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvane
