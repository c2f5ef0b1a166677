#include "gui/FileListModel.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QMimeDatabase>
#include <QPainter>

#include "gui/QtText.h"

namespace orvane {

namespace {

// Larger pictures show their type's icon: decoding them would hold up the
// window for longer than a thumbnail is worth.
constexpr std::uintmax_t kMaxThumbnailBytes = 32u << 20;

std::optional<QImage> Thumbnail(const FileItem& item, int pixels) {
  if (item.size > kMaxThumbnailBytes) return std::nullopt;
  QImageReader reader(PathToQString(item.path));
  reader.setAutoTransform(true);
  const QSize full = reader.size();
  if (!reader.canRead() || full.isEmpty()) return std::nullopt;
  reader.setScaledSize(full.scaled(pixels, pixels, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
  const QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  // In the middle of a square, so that names line up under icons and
  // pictures of any shape.
  QImage square(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  square.fill(Qt::transparent);
  QPainter painter(&square);
  painter.drawImage((pixels - image.width()) / 2, (pixels - image.height()) / 2, image);
  return square;
}

QIcon TypeIcon(const FileItem& item) {
  static const QFileIconProvider provider;
  const QString path = PathToQString(item.path);
  const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
  QIcon fallback = provider.icon(QFileInfo(path));
  return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), fallback));
}

}  // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractListModel(parent) {}

void FileListModel::SetFiles(std::vector<FileItem> files) {
  beginResetModel();
  files_ = std::move(files);
  decorations_.assign(files_.size(), std::nullopt);
  endResetModel();
}

void FileListModel::SetThumbnailSize(int pixels) {
  beginResetModel();
  thumbnailSize_ = pixels;
  decorations_.assign(files_.size(), std::nullopt);
  endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

QIcon FileListModel::Decoration(size_t row) const {
  std::optional<QIcon>& cached = decorations_[row];
  if (!cached) {
    if (auto image = Thumbnail(files_[row], thumbnailSize_))
      cached = QIcon(QPixmap::fromImage(*image));
    else
      cached = TypeIcon(files_[row]);
  }
  return *cached;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<size_t>(index.row());
  const FileItem& item = files_[row];
  switch (role) {
    case Qt::DisplayRole:
      return PathToQString(item.path.filename());
    case Qt::DecorationRole:
      return Decoration(row);
    case Qt::ToolTipRole:
      return PathToQString(item.path) + QLatin1Char('\n') +
             QLocale::c().toString(static_cast<qulonglong>(item.size)) + QStringLiteral(" Byte");
    default:
      return {};
  }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  // Shown and chosen only: no renaming, no dragging.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace orvane
