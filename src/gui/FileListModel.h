#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace orvane {

// A file shown by the file panel.
struct FileItem {
  std::filesystem::path path;
  std::uintmax_t size = 0;
  bool operator==(const FileItem&) const = default;
};

// The files of a file panel in the order given: the name as text, a
// thumbnail of an image or the icon of the file's type as decoration, the
// full path and size as tool tip. Thumbnails are read when first shown and
// kept until the files are set again.
class FileListModel : public QAbstractListModel {
 public:
  explicit FileListModel(QObject* parent = nullptr);

  void SetFiles(std::vector<FileItem> files);
  const std::vector<FileItem>& Files() const { return files_; }
  void SetThumbnailSize(int pixels);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QIcon Decoration(size_t row) const;

  std::vector<FileItem> files_;
  mutable std::vector<std::optional<QIcon>> decorations_;
  int thumbnailSize_ = 64;
};

}  // namespace orvane
