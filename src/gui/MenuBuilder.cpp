#include "gui/MenuBuilder.h"

#include <QActionGroup>

#include "gui/QtText.h"

namespace orvane {

namespace {

// An action entry shown with another caption or hint than its action's
// (none of them is a toggle).
QAction* ProxyAction(QMenu* menu, const MenuEntry& entry, QAction* shared) {
  QString text = ToQString(CaptionOf(entry));
  // The shortcut belongs to the shared action; the menu only shows it.
  if (!shared->shortcut().isEmpty())
    text += QLatin1Char('\t') + shared->shortcut().toString(QKeySequence::NativeText);
  auto* proxy = new QAction(text, menu);
  proxy->setStatusTip(ToQString(HintOf(entry)));
  proxy->setIcon(shared->icon());
  QObject::connect(proxy, &QAction::triggered, shared, &QAction::trigger);
  return proxy;
}

}  // namespace

void FillMenu(QMenu* menu, const MenuEntry& entry, const ActionSet& actions,
              const std::function<void(MenuCommand, int)>& onCommand) {
  menu->setObjectName(QString::fromStdString(entry.name));
  menu->setTitle(ToQString(entry.caption));
  menu->menuAction()->setStatusTip(ToQString(entry.hint));
  QActionGroup* radioGroup = nullptr;
  for (const MenuEntry& item : entry.items) {
    switch (item.kind) {
      case MenuEntryKind::Separator:
        menu->addSeparator();
        break;
      case MenuEntryKind::Submenu:
        FillMenu(menu->addMenu(QString()), item, actions, onCommand);
        break;
      case MenuEntryKind::Action: {
        QAction* shared = actions.Action(item.action);
        QAction* shown =
            item.caption.empty() && item.hint.empty() ? shared : ProxyAction(menu, item, shared);
        menu->addAction(shown);
        if (!item.name.empty() && shown != shared)
          shown->setObjectName(QString::fromStdString(item.name));
        break;
      }
      case MenuEntryKind::Command: {
        QAction* action = menu->addAction(ToQString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        action->setStatusTip(ToQString(item.hint));
        if (item.radio) {
          if (!radioGroup) radioGroup = new QActionGroup(menu);
          action->setCheckable(true);
          radioGroup->addAction(action);
        }
        const MenuCommand command = item.command;
        const int tag = item.tag;
        QObject::connect(action, &QAction::triggered, menu,
                         [onCommand, command, tag] { onCommand(command, tag); });
        break;
      }
    }
  }
}

}  // namespace orvane
