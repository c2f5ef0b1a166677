#include "gui/ActionSet.h"

#include <QKeySequence>

#include "gui/ActionImages.h"
#include "gui/QtText.h"

namespace orvane {

ActionSet::ActionSet(QObject* owner) {
  static_assert(std::tuple_size_v<decltype(actions_)> == 26);
  for (const ActionInfo& info : MainActions()) {
    auto* action = new QAction(ToQString(info.caption), owner);
    action->setObjectName(QString::fromLatin1(info.name));
    action->setStatusTip(ToQString(info.hint));
    action->setToolTip(ToQString(info.hint));
    action->setProperty("category", ToQString(info.category));
    if (info.imageIndex >= 0) action->setIcon(ActionImage(info.imageIndex));
    if (*info.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
    action->setCheckable(info.checkable);
    actions_[static_cast<size_t>(info.id)] = action;
  }
}

}  // namespace orvane
