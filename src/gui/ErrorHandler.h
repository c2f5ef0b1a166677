#pragma once

#include <QWidget>
#include <functional>

#include "platform/Prompt.h"
#include "platform/Types.h"

namespace orvane {

// The program's message box for a failure: caption "Orvane", the error
// icon and an OK button.
void ShowError(QWidget* parent, const WideString& message);

// Runs an action at the edge of the user interface: an error it raises is
// shown and the action abandoned; the program goes on. Returns whether the
// action ran to its end.
bool RunGuarded(QWidget* parent, const std::function<void()>& action);
// The same, the error shown through a prompt (so that a window handed a
// scripted prompt never waits for a message box).
bool RunGuarded(Prompt& prompt, const std::function<void()>& action);

}  // namespace orvane
