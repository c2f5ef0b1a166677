#pragma once

#include <QMimeData>
#include <QWidget>
#include <filesystem>
#include <vector>

#include "extras/AttList.h"
#include "platform/Prompt.h"

namespace orvane {

// The local files a drop names, in the order the desktop gives them.
std::vector<std::filesystem::path> DroppedFiles(const QMimeData* data);

// Attaches files the way the attachment dialog does: a large file's copy
// shows a progress dialog with a cancel button over `parent`, and the files
// that could not be copied are named in one message afterwards.
void AttachFiles(QWidget* parent, const TAttachForm& form, Prompt& prompt,
                 const std::vector<std::filesystem::path>& paths);

}  // namespace orvane
