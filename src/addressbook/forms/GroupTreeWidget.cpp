#include "addressbook/forms/GroupTreeWidget.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>

#include "addressbook/forms/MailItemModel.h"
#include "gui/QtText.h"

namespace orvane {
namespace {

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<GroupNode>& nodes,
              const std::optional<WideString>& selected, QTreeWidgetItem*& found) {
  for (const GroupNode& node : nodes) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, ToQString(node.Name));
    item->setData(0, Qt::UserRole, ToQString(node.Name));
    if (selected && node.Name == *selected) found = item;
    AddNodes(item, tree, node.Children, selected, found);
  }
}

}  // namespace

GroupTreeWidget::GroupTreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void GroupTreeWidget::EnableDrops() {
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

void GroupTreeWidget::Render(const GroupTree& tree, const std::optional<WideString>& selected) {
  const QSignalBlocker quiet(this);
  clear();
  QTreeWidgetItem* found = nullptr;
  AddNodes(nullptr, this, tree, selected, found);
  expandAll();
  if (found) {
    setCurrentItem(found);
    found->setSelected(true);
  }
}

WideString GroupTreeWidget::GroupOf(const QTreeWidgetItem* item) {
  return item ? ToWide(item->data(0, Qt::UserRole).toString()) : WideString();
}

std::optional<WideString> GroupTreeWidget::SelectedGroup() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  if (items.isEmpty()) return std::nullopt;
  return GroupOf(items.front());
}

void GroupTreeWidget::startDrag(Qt::DropActions actions) {
  // A top-level group stays where it is.
  if (!currentItem() || !currentItem()->parent()) return;
  QTreeWidget::startDrag(actions);
}

bool GroupTreeWidget::Accepts(const QDropEvent* event) const {
  if (event->source() == this) return static_cast<bool>(OnDropGroup);
  return OnDropContacts &&
         event->mimeData()->hasFormat(QLatin1String(MailItemModel::kRowsMimeType));
}

void GroupTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (Accepts(event))
    event->acceptProposedAction();
  else
    event->ignore();
}

void GroupTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts(event) && itemAt(event->position().toPoint())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void GroupTreeWidget::dropEvent(QDropEvent* event) {
  QTreeWidgetItem* target = itemAt(event->position().toPoint());
  // The windows move what was dropped themselves and render the tree anew;
  // the drag's source removes nothing.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (!target || !Accepts(event)) return;
  const WideString targetGroup = GroupOf(target);
  // Handled once the drag has ended: rendering the tree anew deletes the
  // items the drag started from.
  if (event->source() == this) {
    if (!currentItem()) return;
    const WideString group = GroupOf(currentItem());
    QMetaObject::invokeMethod(
        this, [this, group, targetGroup] { OnDropGroup(group, targetGroup); },
        Qt::QueuedConnection);
  } else {
    QMetaObject::invokeMethod(
        this, [this, targetGroup] { OnDropContacts(targetGroup); }, Qt::QueuedConnection);
  }
}

}  // namespace orvane
