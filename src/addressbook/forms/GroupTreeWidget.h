#pragma once

#include <QTreeWidget>
#include <functional>

#include "addressbook/GroupTree.h"
#include "platform/Types.h"

namespace orvane {

// The group tree of the address book windows. Each item holds its group's
// name. With drop handlers set, groups below the top level can be dragged
// onto other groups and contacts from the list dropped on a group; the
// tree itself changes only as the handlers' owner renders it anew.
class GroupTreeWidget : public QTreeWidget {
 public:
  explicit GroupTreeWidget(QWidget* parent = nullptr);

  // Shows the tree, everything expanded, the group of that name selected
  // (none when it is not there).
  void Render(const GroupTree& tree, const std::optional<WideString>& selected);
  std::optional<WideString> SelectedGroup() const;
  static WideString GroupOf(const QTreeWidgetItem* item);

  // A group dropped on another group, contacts dropped on a group.
  std::function<void(const WideString& group, const WideString& target)> OnDropGroup;
  std::function<void(const WideString& target)> OnDropContacts;
  void EnableDrops();

 protected:
  void startDrag(Qt::DropActions actions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool Accepts(const QDropEvent* event) const;
};

}  // namespace orvane
