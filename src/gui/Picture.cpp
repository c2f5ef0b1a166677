#include "gui/Picture.h"

#include "gui/QtText.h"
#include "platform/Error.h"
#include "platform/Path.h"

namespace orvane {

QPixmap LoadPicture(const std::filesystem::path& path) {
  QPixmap picture;
  if (!picture.load(PathToQString(path)))
    throw Error(FormatMessage(u"画像ファイル %s を読み込めません", PathToWide(path)));
  return picture;
}

QPixmap FitPicture(const QPixmap& picture, const QSize& room) {
  if (picture.width() <= room.width() && picture.height() <= room.height()) return picture;
  return picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace orvane
