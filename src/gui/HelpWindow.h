#pragma once

#include <QWidget>
#include <filesystem>

namespace orvane {

// Opens the help book at a topic in the help window, a window of the owner
// that is made once and shown again for later topics.
void ShowHelpTopic(QWidget* owner, const std::filesystem::path& indexPage, int topic);

}  // namespace orvane
