#pragma once

#include <QFileDialog>
#include <filesystem>
#include <optional>

namespace orvane {

// A dialog that chooses one existing folder.
class FolderChooser : public QFileDialog {
 public:
  FolderChooser(QWidget* parent, const QString& caption, const std::filesystem::path& start);

  // Shows a chooser starting in `start`; the chosen folder, or nothing when
  // the user cancels.
  static std::optional<std::filesystem::path> Choose(QWidget* parent, const QString& caption,
                                                     const std::filesystem::path& start);
};

}  // namespace orvane
