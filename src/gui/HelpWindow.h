#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

namespace orvane {

// Opens the help book at a topic in the help window, a window of the owner
// that is made once and shown again for later topics.
void ShowHelpTopic(QWidget* owner, const std::filesystem::path& indexPage, int topic);

// Opens the help book at a topic, the help window owned by the given window
// (a modal dialog's own window stays usable while the dialog is open);
// throws Error when the book is missing.
using HelpOpener = std::function<void(QWidget* owner, int topic)>;

// A dialog's help: the topic opens with the dialog as the help window's
// owner, so that the help can be read and scrolled while the modal dialog
// is open; a missing book is reported in a message box.
void ShowDialogHelp(QWidget* dialog, const HelpOpener& help, int topic);

}  // namespace orvane
