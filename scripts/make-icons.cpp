// Draws the 22 toolbar and menu images (index 0 to 21) as 16x16 PNG files
// with 32x32 "@2x" companions into the folder given as argument. The PNG
// files are committed; run scripts/make-icons after changing a drawing.

#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Drawing happens on a 16-unit grid whatever the pixel size.
using Draw = std::function<void(QPainter&)>;

const QColor kInk(40, 48, 64);
const QColor kPaper(250, 250, 246);
const QColor kBlue(46, 110, 200);
const QColor kGreen(40, 150, 80);
const QColor kRed(200, 50, 45);
const QColor kYellow(245, 190, 40);

QPen Pen(const QColor& color, double width = 1.0) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void Text(QPainter& p, const QRectF& box, const QString& text, double size, const QColor& color,
          bool bold = true, const char* family = "DejaVu Sans") {
  QFont font(family);
  // An image has 72 dots per inch: a point is one unit of the grid.
  font.setPointSizeF(size);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void Document(QPainter& p, const QRectF& r) {
  QPainterPath path;
  const double fold = 3.5;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(Pen(kInk));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter& p, double left, double right, double top, int count) {
  p.setPen(Pen(QColor(120, 130, 150), 0.9));
  for (int i = 0; i < count; ++i)
    p.drawLine(QPointF(left, top + i * 2.2), QPointF(right, top + i * 2.2));
}

void Envelope(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(Pen(kInk));
  p.setBrush(fill);
  p.drawRect(r);
  p.drawLine(r.topLeft(), QPointF(r.center().x(), r.center().y() + 1));
  p.drawLine(r.topRight(), QPointF(r.center().x(), r.center().y() + 1));
}

void Person(QPainter& p, double cx, double top, double scale, const QColor& color) {
  p.setPen(Pen(kInk, 0.9));
  p.setBrush(color);
  p.drawEllipse(QPointF(cx, top + 2.6 * scale), 2.4 * scale, 2.4 * scale);
  QPainterPath body;
  body.moveTo(cx - 4.8 * scale, top + 11 * scale);
  body.cubicTo(cx - 4.8 * scale, top + 6 * scale, cx + 4.8 * scale, top + 6 * scale,
               cx + 4.8 * scale, top + 11 * scale);
  body.closeSubpath();
  p.drawPath(body);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, double width = 1.6) {
  p.setPen(Pen(color, width));
  p.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double head = 3.0;
  for (double side : {-0.6, 0.6})
    p.drawLine(to, to - QPointF(head * std::cos(angle + side), head * std::sin(angle + side)));
}

void Tag(QPainter& p, const QString& text, const QColor& color) {
  p.setPen(Pen(color));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 2, 2);
  Text(p, QRectF(0, 3, 16, 10), text, text.size() > 2 ? 6.6 : 8.2, color);
}

std::vector<std::pair<const char*, Draw>> Images() {
  return {
      {"separator",
       [](QPainter& p) {
         p.setPen(Pen(QColor(150, 150, 150), 1));
         p.drawLine(QPointF(7.5, 2), QPointF(7.5, 14));
         p.setPen(Pen(Qt::white, 1));
         p.drawLine(QPointF(8.5, 2), QPointF(8.5, 14));
       }},
      {"account",
       [](QPainter& p) {
         Person(p, 6.5, 1.5, 1.0, kBlue);
         Envelope(p, QRectF(8.5, 9.5, 7, 5), kPaper);
       }},
      {"encode",
       [](QPainter& p) {
         p.setPen(Pen(kInk));
         p.setBrush(QColor(225, 235, 250));
         p.drawRoundedRect(QRectF(0.5, 0.5, 9, 9), 1.5, 1.5);
         Text(p, QRectF(0.5, 0.5, 9, 9), "A", 8, kBlue);
         Arrow(p, QPointF(8, 12.5), QPointF(15, 12.5), kGreen, 1.4);
         Text(p, QRectF(8.5, 0, 8, 9), QString::fromUtf8("あ"), 7.5, kInk, true,
              "Noto Sans CJK JP");
       }},
      {"warning",
       [](QPainter& p) {
         QPainterPath triangle;
         triangle.moveTo(8, 1);
         triangle.lineTo(15.2, 14.5);
         triangle.lineTo(0.8, 14.5);
         triangle.closeSubpath();
         p.setPen(Pen(QColor(120, 80, 0)));
         p.setBrush(kYellow);
         p.drawPath(triangle);
         p.setPen(Pen(kInk, 1.8));
         p.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
         p.drawPoint(QPointF(8, 12.2));
       }},
      {"toolbar",
       [](QPainter& p) {
         p.setPen(Pen(kInk));
         p.setBrush(kPaper);
         p.drawRect(QRectF(0.5, 1.5, 15, 13));
         p.setBrush(QColor(200, 215, 240));
         p.drawRect(QRectF(0.5, 1.5, 15, 4));
         p.setPen(Qt::NoPen);
         for (int i = 0; i < 4; ++i) {
           p.setBrush(i % 2 ? kGreen : kBlue);
           p.drawRect(QRectF(2 + i * 3.3, 2.6, 2.2, 2));
         }
       }},
      {"signature",
       [](QPainter& p) {
         QPainterPath squiggle;
         squiggle.moveTo(1, 13);
         squiggle.cubicTo(3, 8, 4, 15, 6, 11);
         squiggle.cubicTo(7, 9, 8, 14, 10, 12);
         p.setPen(Pen(kBlue, 1.2));
         p.setBrush(Qt::NoBrush);
         p.drawPath(squiggle);
         p.setPen(Pen(kInk, 0.8));
         p.drawLine(QPointF(1, 15), QPointF(15, 15));
         QPainterPath pen;
         pen.moveTo(10, 10);
         pen.lineTo(15, 2);
         pen.lineTo(16, 3.5);
         pen.lineTo(11, 11);
         pen.closeSubpath();
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(kYellow);
         p.drawPath(pen);
       }},
      {"options",
       [](QPainter& p) {
         QPainterPath gear;
         const QPointF c(8, 8);
         for (int i = 0; i < 16; ++i) {
           const double a = i * M_PI / 8;
           const double r = (i % 2) ? 5.2 : 7.2;
           QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
           i ? gear.lineTo(pt) : gear.moveTo(pt);
         }
         gear.closeSubpath();
         gear.addEllipse(c, 2.2, 2.2);
         p.setPen(Pen(kInk, 0.9));
         p.setBrush(QColor(150, 160, 175));
         p.drawPath(gear);
       }},
      {"addressbook",
       [](QPainter& p) {
         p.setPen(Pen(kInk));
         p.setBrush(QColor(180, 70, 60));
         p.drawRoundedRect(QRectF(2.5, 0.5, 12, 15), 1, 1);
         p.setBrush(kPaper);
         p.drawRect(QRectF(4.5, 2.5, 9, 11));
         Text(p, QRectF(4.5, 2.5, 9, 11), "@", 8.5, kBlue);
         p.setPen(Pen(kInk, 1));
         for (double y : {3.5, 7.5, 11.5}) p.drawLine(QPointF(1, y), QPointF(3.5, y));
       }},
      {"inputaddress",
       [](QPainter& p) {
         p.setPen(Pen(kInk));
         p.setBrush(kPaper);
         p.drawRect(QRectF(0.5, 9.5, 15, 6));
         p.setPen(Pen(kInk, 1));
         p.drawLine(QPointF(3, 11.5), QPointF(3, 13.5));
         Text(p, QRectF(4, 0, 10, 9), "@", 8.5, kBlue);
         Arrow(p, QPointF(2, 2), QPointF(5, 8), kGreen, 1.3);
       }},
      {"attachment",
       [](QPainter& p) {
         QPainterPath clip;
         clip.moveTo(10.5, 4);
         clip.lineTo(10.5, 11);
         clip.arcTo(QRectF(5.5, 8.5, 5, 5), 0, -180);
         clip.lineTo(5.5, 3.5);
         clip.arcTo(QRectF(5.5, 0.5, 7, 6), 180, -180);
         clip.lineTo(12.5, 12);
         clip.arcTo(QRectF(3.5, 7.5, 9, 8), 0, -180);
         clip.lineTo(3.5, 5);
         p.setPen(Pen(QColor(90, 100, 115), 1.3));
         p.setBrush(Qt::NoBrush);
         p.drawPath(clip);
       }},
      {"template",
       [](QPainter& p) {
         Document(p, QRectF(2.5, 0.5, 11, 15));
         p.setPen(QPen(kBlue, 1, Qt::DotLine));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(4.5, 5.5, 7, 6));
         TextLines(p, 4.5, 9, 3, 1);
         TextLines(p, 5.5, 10.5, 7.5, 2);
       }},
      {"xheader",
       [](QPainter& p) {
         Document(p, QRectF(2.5, 0.5, 11, 15));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(210, 225, 245));
         p.drawRect(QRectF(3, 1, 7, 5));
         Text(p, QRectF(2.5, 0.5, 8, 6), "X-", 6.5, kBlue);
         TextLines(p, 4.5, 11.5, 8.5, 3);
       }},
      {"replyto",
       [](QPainter& p) {
         QPainterPath curve;
         curve.moveTo(14.5, 12);
         curve.cubicTo(14.5, 5, 9, 4.5, 3.5, 4.5);
         p.setPen(Pen(kBlue, 1.7));
         p.setBrush(Qt::NoBrush);
         p.drawPath(curve);
         p.drawLine(QPointF(3.5, 4.5), QPointF(6.5, 1.5));
         p.drawLine(QPointF(3.5, 4.5), QPointF(6.5, 7.5));
         Text(p, QRectF(0, 8, 9, 8), "R", 7.5, kInk);
       }},
      {"inreplyto",
       [](QPainter& p) {
         Envelope(p, QRectF(4.5, 6.5, 11, 8), kPaper);
         Arrow(p, QPointF(0.5, 2), QPointF(6, 8), kGreen, 1.5);
         Text(p, QRectF(7, 0, 9, 6), "In", 6, kBlue);
       }},
      {"version",
       [](QPainter& p) {
         p.setPen(Pen(QColor(25, 70, 140)));
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(8, 8), 7, 7);
         p.setPen(Pen(Qt::white, 2));
         p.drawPoint(QPointF(8, 4.5));
         p.drawLine(QPointF(8, 7.5), QPointF(8, 12));
       }},
      {"help",
       [](QPainter& p) {
         p.setPen(Pen(QColor(20, 100, 50)));
         p.setBrush(kGreen);
         p.drawEllipse(QPointF(8, 8), 7, 7);
         Text(p, QRectF(1, 1, 14, 14), "?", 10.5, Qt::white);
       }},
      {"postself",
       [](QPainter& p) {
         Envelope(p, QRectF(0.5, 1.5, 10, 7), kPaper);
         Person(p, 11.5, 7, 0.8, kYellow);
         Arrow(p, QPointF(4, 10), QPointF(6.5, 13.5), kBlue, 1.3);
       }},
      {"filemake",
       [](QPainter& p) {
         Document(p, QRectF(1.5, 0.5, 10, 14));
         TextLines(p, 3.5, 8.5, 4, 3);
         p.setPen(Pen(kGreen, 2));
         p.drawLine(QPointF(12.5, 9), QPointF(12.5, 15));
         p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12));
       }},
      {"to", [](QPainter& p) { Tag(p, "To", kBlue); }},
      {"cc", [](QPainter& p) { Tag(p, "Cc", kGreen); }},
      {"bcc", [](QPainter& p) { Tag(p, "Bcc", QColor(130, 80, 170)); }},
      {"exit",
       [](QPainter& p) {
         p.setPen(Pen(kInk));
         p.setBrush(QColor(160, 110, 60));
         p.drawRect(QRectF(1.5, 0.5, 8, 15));
         p.setPen(Pen(kYellow, 1.5));
         p.drawPoint(QPointF(7.5, 8.5));
         Arrow(p, QPointF(9, 8), QPointF(15.5, 8), kRed, 1.8);
       }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const auto images = Images();
  for (size_t index = 0; index < images.size(); ++index) {
    for (int scale : {1, 2}) {
      QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setRenderHint(QPainter::TextAntialiasing);
      painter.scale(scale, scale);
      images[index].second(painter);
      painter.end();
      const QString name = QString("%1/%2-%3%4.png")
                               .arg(folder)
                               .arg(index, 2, 10, QChar('0'))
                               .arg(images[index].first)
                               .arg(scale == 2 ? "@2x" : "");
      if (!image.save(name)) {
        std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(name));
        return 1;
      }
    }
  }
  return 0;
}
