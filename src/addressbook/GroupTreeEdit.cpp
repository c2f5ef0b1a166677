#include "addressbook/GroupTreeEdit.h"

#include <algorithm>
#include <utility>

namespace orvane {
namespace {

bool Find(const std::vector<GroupNode>& nodes, std::u16string_view name, GroupPath& path) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    path.push_back(i);
    if (nodes[i].Name == name || Find(nodes[i].Children, name, path)) return true;
    path.pop_back();
  }
  return false;
}

template <typename Tree>
auto& SiblingsOf(Tree& tree, const GroupPath& path) {
  auto* siblings = &tree;
  for (size_t depth = 0; depth + 1 < path.size(); ++depth)
    siblings = &(*siblings)[path[depth]].Children;
  return *siblings;
}

}  // namespace

std::optional<GroupPath> FindGroup(const GroupTree& tree, std::u16string_view name) {
  GroupPath path;
  if (Find(tree, name, path)) return path;
  return std::nullopt;
}

GroupNode& NodeAt(GroupTree& tree, const GroupPath& path) {
  return SiblingsOf(tree, path)[path.back()];
}

const GroupNode& NodeAt(const GroupTree& tree, const GroupPath& path) {
  return SiblingsOf(tree, path)[path.back()];
}

bool MoveGroupInto(GroupTree& tree, std::u16string_view group, std::u16string_view target) {
  const std::optional<GroupPath> from = FindGroup(tree, group);
  const std::optional<GroupPath> to = FindGroup(tree, target);
  if (!from || !to || from->size() == 1) return false;
  // The target is the group itself or one of its subgroups.
  if (to->size() >= from->size() && std::equal(from->begin(), from->end(), to->begin()))
    return false;
  std::vector<GroupNode>& siblings = SiblingsOf(tree, *from);
  GroupNode moved = std::move(siblings[from->back()]);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(from->back()));
  // Removing the group may have moved the target's place.
  NodeAt(tree, *FindGroup(tree, target)).Children.push_back(std::move(moved));
  return true;
}

void AddGroupTo(GroupTree& tree, const std::optional<WideString>& parent, WideString name) {
  std::optional<GroupPath> at;
  if (parent) at = FindGroup(tree, *parent);
  std::vector<GroupNode>& siblings = at ? NodeAt(tree, *at).Children : tree;
  siblings.push_back({std::move(name), {}});
}

void RemoveGroup(GroupTree& tree, std::u16string_view group) {
  const std::optional<GroupPath> path = FindGroup(tree, group);
  if (!path) return;
  std::vector<GroupNode>& siblings = SiblingsOf(tree, *path);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(path->back()));
}

}  // namespace orvane
