#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// One group of the tree with its subgroups in order.
struct GroupNode {
  WideString Name;
  std::vector<GroupNode> Children;
  bool operator==(const GroupNode&) const = default;
};

using GroupTree = std::vector<GroupNode>;  // the top-level groups

// The built-in groups.
inline constexpr const char16_t* kAddressBookGroup = u"アドレス帳";
inline constexpr const char16_t* kFavouritesGroup = u"お気に入り";
inline constexpr const char16_t* kTemporaryGroup = u"一時保存";

// "お気に入り" and "一時保存": never in the tree file, always at the top level.
bool IsFixedTopGroup(std::u16string_view name);

// A name that can be a group's: it names one file of the address folder
// (no "/", NUL or other control character, not "." or "..", not the tree
// file's "Address" in any case), and survives the tree file's Shift_JIS
// unchanged.
bool IsStorableGroupName(std::u16string_view name);

// The tree file's text (Shift_JIS, one line per group in tree order, each
// as many TABs as its depth followed by its name) and back. Reading skips
// empty lines, names that cannot be a group's, the fixed top groups and a
// second line of a name already read; the subgroups of a skipped line,
// all of them in order, move up one level into its place, and a line
// deeper than its predecessor allows becomes that predecessor's child. Writing skips the fixed top
// groups the same way.
GroupTree ParseGroupTree(std::string_view text);
AnsiString FormatGroupTree(const GroupTree& tree);

}  // namespace orvane
