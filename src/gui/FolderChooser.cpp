#include "gui/FolderChooser.h"

#include "gui/QtText.h"

namespace orvane {

FolderChooser::FolderChooser(QWidget* parent, const QString& caption,
                             const std::filesystem::path& start)
    : QFileDialog(parent, caption, PathToQString(start)) {
  setObjectName(QStringLiteral("FolderChooser"));
  setFileMode(QFileDialog::Directory);
  setOption(QFileDialog::ShowDirsOnly);
  setAcceptMode(QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> FolderChooser::Choose(QWidget* parent, const QString& caption,
                                                           const std::filesystem::path& start) {
  FolderChooser chooser(parent, caption, start);
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return std::nullopt;
  return QStringToPath(chooser.selectedFiles().constFirst());
}

}  // namespace orvane
