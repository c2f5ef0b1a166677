#pragma once

#include <QListView>
#include <filesystem>
#include <vector>

#include "gui/FileListModel.h"

namespace orvane {

// Files shown as icons, pictures as thumbnails, with their names below;
// several can be selected at once. It lists what it is given and does
// nothing of its own on double-click, drag or right-click; it does not
// watch the folder the files are in.
class FilePanel : public QListView {
 public:
  explicit FilePanel(QWidget* parent = nullptr);

  void SetFiles(std::vector<FileItem> files);
  const std::vector<FileItem>& Files() const { return model_->Files(); }
  // The selected files, in the order shown.
  std::vector<FileItem> SelectedFiles() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitGrid();

  FileListModel* model_;
};

}  // namespace orvane
