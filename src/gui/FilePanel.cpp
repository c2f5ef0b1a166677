#include "gui/FilePanel.h"

#include <QEvent>

namespace orvane {

namespace {

constexpr int kThumbnailPixels = 64;
// Room for a name of about this many half-width characters below an icon.
constexpr int kNameColumns = 16;

}  // namespace

FilePanel::FilePanel(QWidget* parent) : QListView(parent), model_(new FileListModel(this)) {
  setModel(model_);
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setFlow(QListView::LeftToRight);
  setWrapping(true);
  setWordWrap(true);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setDragEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setIconSize(QSize(kThumbnailPixels, kThumbnailPixels));
  model_->SetThumbnailSize(kThumbnailPixels);
  FitGrid();
}

void FilePanel::SetFiles(std::vector<FileItem> files) {
  model_->SetFiles(std::move(files));
}

std::vector<FileItem> FilePanel::SelectedFiles() const {
  std::vector<FileItem> selected;
  for (int row = 0; row < model_->rowCount(); ++row)
    if (selectionModel()->isRowSelected(row, QModelIndex()))
      selected.push_back(model_->Files()[static_cast<size_t>(row)]);
  return selected;
}

void FilePanel::FitGrid() {
  // An icon and two lines of its name, at the font in use.
  const QFontMetrics metrics = fontMetrics();
  const int width =
      std::max(kThumbnailPixels, metrics.horizontalAdvance(QLatin1Char('x')) * kNameColumns);
  setGridSize(QSize(width + 8, kThumbnailPixels + 2 * metrics.lineSpacing() + 12));
}

void FilePanel::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitGrid();
}

}  // namespace orvane
