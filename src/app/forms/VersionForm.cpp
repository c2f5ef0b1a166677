#include "app/forms/VersionForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "app/VersionUnit.h"
#include "gui/ErrorHandler.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

// A title drawn twice: a grey shadow, and the text over it offset by two
// pixels up and to the left.
class ShadowedTitle : public QWidget {
  static constexpr int kShadow = 2;

 public:
  ShadowedTitle(const QString& text, int pixelSize, const QColor& color, QWidget* parent)
      : QWidget(parent), text_(text), color_(color) {
    QFont titleFont = font();
    titleFont.setPixelSize(pixelSize);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    setFont(titleFont);
    setAccessibleName(text);
  }

  // The text, its shadow and the margins of paintEvent, at the font in use.
  QSize sizeHint() const override {
    const QFontMetrics metrics(font());
    // An italic text reaches past its advance.
    const int width =
        std::max(metrics.horizontalAdvance(text_), metrics.boundingRect(text_).width());
    return QSize(width + 8 + kShadow, metrics.height() + 4 + kShadow);
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = rect().adjusted(4, 2, -4 - kShadow, -2 - kShadow);
    painter.setPen(QColor(160, 160, 160));
    painter.drawText(area.translated(kShadow, kShadow), Qt::AlignCenter, text_);
    painter.setPen(color_);
    painter.drawText(area, Qt::AlignCenter, text_);
  }

 private:
  QString text_;
  QColor color_;
};

class DoubleClickLabel : public QLabel {
 public:
  DoubleClickLabel(const QString& text, std::function<void()> onDoubleClick, QWidget* parent)
      : QLabel(text, parent), onDoubleClick_(std::move(onDoubleClick)) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    event->accept();
    onDoubleClick_();
  }

 private:
  std::function<void()> onDoubleClick_;
};

}  // namespace

TVersionForm::TVersionForm(QWidget* parent, TOrvaneMainForm& form) : QDialog(parent) {
  setObjectName(QStringLiteral("VersionForm"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new ShadowedTitle(ToQString(kProgramName), 28, QColor(30, 90, 190), this);
  title->setObjectName(QStringLiteral("ProgramName"));
  layout->addWidget(title);
  auto* version = new ShadowedTitle(ToQString(form.VersionText), 14, QColor(30, 130, 70), this);
  version->setObjectName(QStringLiteral("Version"));
  layout->addWidget(version);

  auto* maker = new QLabel(ToQString(kMakerName), this);
  maker->setObjectName(QStringLiteral("Maker"));
  maker->setAlignment(Qt::AlignCenter);
  layout->addWidget(maker);

  auto* page = new DoubleClickLabel(
      ToQString(kMakerUrl),
      [this, &form] {
        RunGuarded(this, [&] { form.OpenMakerPage(); });
        accept();
      },
      this);
  page->setObjectName(QStringLiteral("WebPage"));
  layout->addWidget(page);

  auto* mail = new DoubleClickLabel(
      ToQString(kMakerAddress),
      [this, &form] {
        form.UseMakerAddress();
        accept();
      },
      this);
  mail->setObjectName(QStringLiteral("MailAddress"));
  layout->addWidget(mail);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace orvane
