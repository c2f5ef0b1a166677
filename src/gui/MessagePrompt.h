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
  void Warn(const WideString& text, const WideString& caption) override;
  void ShowError(const WideString& text) override;
  std::optional<WideString> Input(const WideString& caption, const WideString& prompt,
                                  const WideString& text) override;

 private:
  // The window asked for, or else the active one: a box without an owner
  // could open behind a window that stays on top.
  QWidget* Owner() const;

  QPointer<QWidget> parent_;
};

}  // namespace orvane
