#pragma once

#include <QString>
#include <QWidget>

class QToolBar;
class QVBoxLayout;

namespace orvane {

// A control's hint: shown in the status bar while the mouse is over it, and
// as its tool tip.
void SetHint(QWidget* widget, const QString& hint);

// A window laid out as a toolbar (16-pixel icons) over its content, edge
// to edge: the content goes into the layout below the toolbar.
struct ToolBarWindow {
  QVBoxLayout* layout;
  QToolBar* bar;
};
ToolBarWindow LayOutToolBarWindow(QWidget* window);

}  // namespace orvane
