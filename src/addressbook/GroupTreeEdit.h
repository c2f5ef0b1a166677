#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "addressbook/GroupTree.h"

namespace orvane {

// A group's place in the tree: the index among its siblings at each depth,
// from the top level down.
using GroupPath = std::vector<size_t>;

// The place of the group of that name (names are unique in the tree);
// nullopt when the tree holds none.
std::optional<GroupPath> FindGroup(const GroupTree& tree, std::u16string_view name);
// The group at a place that FindGroup gave.
GroupNode& NodeAt(GroupTree& tree, const GroupPath& path);
const GroupNode& NodeAt(const GroupTree& tree, const GroupPath& path);

// The group becomes the last child of target. Nothing moves (false) for a
// top-level group, and for a target that is the group itself or lies
// inside it.
bool MoveGroupInto(GroupTree& tree, std::u16string_view group, std::u16string_view target);
// Adds a group as the last child of parent, or as the last top-level group
// without one.
void AddGroupTo(GroupTree& tree, const std::optional<WideString>& parent, WideString name);
// Removes the group with its subgroups.
void RemoveGroup(GroupTree& tree, std::u16string_view group);

}  // namespace orvane
