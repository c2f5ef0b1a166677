#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

namespace orvane {

// Opens the help book at a topic in the help window, a window of the owner
// that is made once and shown again for later topics.
void ShowHelpTopic(QWidget* owner, const std::filesystem::path& indexPage, int topic);

// Where a dialog finds the help book's index page when the user asks for a
// topic; throws Error when the book is missing.
using HelpBookIndex = std::function<std::filesystem::path()>;

// Opens the topic with the dialog as the help window's owner, so that the
// help can be read and scrolled while the modal dialog is open; a missing
// book is reported in a message box.
void ShowDialogHelp(QWidget* dialog, const HelpBookIndex& helpBook, int topic);

}  // namespace orvane
