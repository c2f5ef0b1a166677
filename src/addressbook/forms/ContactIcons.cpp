#include "addressbook/forms/ContactIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace orvane {
namespace {

// One colour per icon, far enough apart to tell the icons apart in a list.
constexpr std::array<QRgb, kContactIconCount> kColours = {0xd2382f, 0xe8842a, 0xe0b418, 0x3e9b45,
                                                          0x1f9a94, 0x2f72c8, 0x4b4fb8, 0x8a44b0,
                                                          0xd2508e, 0x8a5a36, 0x6b7480};

// A head and shoulders on a 16-unit grid, whatever the pixel size.
QPixmap Figure(QColor colour, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  const QColor outline = colour.darker(160);
  p.setPen(QPen(outline, 0.8));
  p.setBrush(colour);
  QPainterPath shoulders;
  shoulders.moveTo(2.0, 15.2);
  shoulders.cubicTo(2.0, 10.4, 4.8, 9.0, 8.0, 9.0);
  shoulders.cubicTo(11.2, 9.0, 14.0, 10.4, 14.0, 15.2);
  shoulders.closeSubpath();
  p.drawPath(shoulders);
  p.setBrush(colour.lighter(125));
  p.drawEllipse(QPointF(8.0, 5.4), 3.4, 3.4);
  return pixmap;
}

}  // namespace

QIcon ContactIcon(int mark) {
  static const std::array<QIcon, kContactIconCount> icons = [] {
    std::array<QIcon, kContactIconCount> made;
    for (size_t i = 0; i < made.size(); ++i) {
      const QColor colour(kColours[i]);
      made[i].addPixmap(Figure(colour, 16));
      made[i].addPixmap(Figure(colour, 32));
    }
    return made;
  }();
  if (mark < 0 || mark >= kContactIconCount) return QIcon();
  return icons[static_cast<size_t>(mark)];
}

}  // namespace orvane
