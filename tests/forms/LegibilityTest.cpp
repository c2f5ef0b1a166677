// Every window of the gallery shows its texts whole: no label, field, button
// or title is smaller than what its text needs at the font in use, and none
// lies partly outside its window. ctest runs these at 1.0, 1.25 and 1.5 times
// the scale as well.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "FormsFixture.h"
#include "Gallery.h"

namespace orvane::test {
namespace {

using gallery::GalleryWindows;

QString Describe(const QWidget* widget, const QString& text, QSize size, QSize needed) {
  return QStringLiteral("%1 %2 \"%3\": %4x%5, needs %6x%7")
      .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(), text)
      .arg(size.width())
      .arg(size.height())
      .arg(needed.width())
      .arg(needed.height());
}

bool InsideScrolledArea(const QWidget* widget, const QWidget* window) {
  for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(up)) return true;
  return false;
}

// A control: what it shows and the least size that shows it whole.
struct Control {
  QWidget* widget;
  QString text;
  QSize needed;
};

std::optional<Control> AsControl(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->wordWrap())
      return Control{widget, label->text(), QSize(0, label->heightForWidth(label->width()))};
    return Control{widget, label->text(), label->sizeHint()};
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    auto* tool = qobject_cast<QToolButton*>(widget);
    const bool iconOnly =
        tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->icon().isNull();
    return Control{widget, button->text(), iconOnly ? QSize() : button->sizeHint()};
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget))
    return Control{widget, combo->currentText(), combo->sizeHint()};
  // A spin box's own field is measured with the spin box.
  if (qobject_cast<QLineEdit*>(widget) && qobject_cast<QAbstractSpinBox*>(widget->parentWidget()))
    return std::nullopt;
  if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget))
    return Control{widget, QStringLiteral("(field)"), QSize(0, widget->sizeHint().height())};
  if (auto* group = qobject_cast<QGroupBox*>(widget))
    return Control{widget, group->title(), group->minimumSizeHint()};
  return std::nullopt;
}

QStringList CutSections(const QHeaderView* header) {
  QStringList cut;
  for (int i = 0; i < header->count(); ++i) {
    if (header->isSectionHidden(i)) continue;
    const bool across = header->orientation() == Qt::Horizontal;
    const QSize needed = across ? QSize(header->sectionSizeHint(i), header->sizeHint().height())
                                : QSize(header->sizeHint().width(), header->sectionSizeHint(i));
    const QSize size = across ? QSize(header->sectionSize(i), header->height())
                              : QSize(header->width(), header->sectionSize(i));
    if (size.width() < needed.width() || size.height() < needed.height())
      cut << Describe(header, QStringLiteral("section %1").arg(i), size, needed);
  }
  return cut;
}

// The controls of a window that cut their text, one description each: too
// small for it, partly outside the window, or covered by a neighbour.
QStringList CutControls(QWidget* window) {
  QStringList cut;
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  std::vector<Control> placed;
  for (QWidget* widget : widgets) {
    // A window of its own (a tool window a dialog keeps beside itself) is
    // measured as a window of the gallery.
    if (!widget->isVisibleTo(window) || widget->window() != window) continue;
    if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
      for (QAction* action : bar->actions())
        if (action->isVisible() && !bar->rect().contains(bar->actionGeometry(action)))
          cut << QStringLiteral("menu %1 outside the menu bar").arg(action->text());
      continue;
    }
    if (auto* header = qobject_cast<QHeaderView*>(widget)) {
      cut << CutSections(header);
      continue;
    }
    const std::optional<Control> control = AsControl(widget);
    if (!control) continue;
    const QString described = Describe(widget, control->text, widget->size(), control->needed);
    if (widget->width() < control->needed.width() || widget->height() < control->needed.height())
      cut << described;
    if (widget == window || InsideScrolledArea(widget, window)) continue;
    if (!window->rect().contains(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())))
      cut << described + QStringLiteral(" outside its window");
    for (const Control& other : placed)
      if (other.widget->parentWidget() == widget->parentWidget() &&
          other.widget->geometry().intersects(widget->geometry()))
        cut << described + QStringLiteral(" overlaps ") + other.widget->objectName();
    placed.push_back(*control);
  }
  return cut;
}

// A window of the gallery at a font size: the program's own (12 pixels) and
// a large desktop font.
class Legibility : public ::testing::TestWithParam<std::tuple<std::string, int>> {
 protected:
  Legibility() { TestApplication(); }
  ~Legibility() override { QApplication::setFont(WindowFont()); }
};

TEST_P(Legibility, EveryTextIsShownWhole) {
  const auto& [name, pixels] = GetParam();
  QFont font = WindowFont();
  font.setPixelSize(pixels);
  QApplication::setFont(font);
  TempFolder home;
  gallery::GallerySession session(home.Path());
  QWidget* window = gallery::ShowGalleryWindow(session, name);
  ASSERT_TRUE(window) << name;
  EXPECT_EQ(CutControls(window).join('\n').toStdString(), "") << name << " at " << pixels << " px";
}

std::vector<std::string> WindowNames() {
  std::vector<std::string> names;
  for (const auto& window : GalleryWindows()) names.emplace_back(window.name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Gallery, Legibility,
                         ::testing::Combine(::testing::ValuesIn(WindowNames()),
                                            ::testing::Values(12, 16)),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param) + "_" +
                                              std::to_string(std::get<1>(info.param)) + "px";
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

// The check itself: a button squeezed below its text is found, one that
// fits is not; a label beyond its window's edge and one covering another
// are found.
TEST(LegibilityCheck, FindsCutTexts) {
  TestApplication();
  QWidget window;
  window.setFixedSize(200, 100);
  auto* fits = new QPushButton(QStringLiteral("送信"), &window);
  fits->resize(fits->sizeHint());
  auto* squeezed = new QPushButton(QStringLiteral("キャンセル"), &window);
  squeezed->setGeometry(0, 40, 30, 8);
  auto* outside = new QLabel(QStringLiteral("件名"), &window);
  outside->setGeometry(190, 0, outside->sizeHint().width(), outside->sizeHint().height());
  auto* covered = new QLabel(QStringLiteral("添付"), &window);
  covered->setObjectName(QStringLiteral("covered"));
  covered->setGeometry(0, 60, covered->sizeHint().width(), covered->sizeHint().height());
  auto* covering = new QLabel(QStringLiteral("BCC"), &window);
  covering->setGeometry(4, 60, covering->sizeHint().width(), covering->sizeHint().height());
  window.show();
  const QStringList cut = CutControls(&window);
  ASSERT_EQ(cut.size(), 3) << cut.join('\n').toStdString();
  EXPECT_TRUE(cut[0].contains(QStringLiteral("キャンセル")));
  EXPECT_TRUE(cut[1].contains(QStringLiteral("outside its window")));
  EXPECT_TRUE(cut[2].contains(QStringLiteral("overlaps covered")));
}

}  // namespace
}  // namespace orvane::test
