#pragma once

#include <QPixmap>
#include <filesystem>

namespace orvane {

// The picture in a file; a file that is no picture Qt can read throws
// Error "画像ファイル %s を読み込めません".
QPixmap LoadPicture(const std::filesystem::path& path);

// The picture scaled down, keeping its proportions, to fit the size; a
// smaller picture keeps its size.
QPixmap FitPicture(const QPixmap& picture, const QSize& room);

}  // namespace orvane
