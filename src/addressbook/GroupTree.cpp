#include "addressbook/GroupTree.h"

#include <set>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/ProfileBlock.h"
#include "settings/SettingKeys.h"

namespace orvane {
namespace {

void FormatNodes(const std::vector<GroupNode>& nodes, size_t depth, AnsiString& out) {
  for (const GroupNode& node : nodes) {
    if (IsFixedTopGroup(node.Name)) {
      FormatNodes(node.Children, depth, out);
      continue;
    }
    out.append(depth, '\t');
    out += WideToSjis(node.Name);
    out += "\r\n";
    FormatNodes(node.Children, depth + 1, out);
  }
}

}  // namespace

bool IsFixedTopGroup(std::u16string_view name) {
  return name == kFavouritesGroup || name == kTemporaryGroup;
}

bool IsStorableGroupName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  // The tree file is never a group, on a file system that ignores case too.
  if (SameAsciiText(WideToUtf8(name) + kGroupFileExtension, kGroupTreeFileName)) return false;
  for (char16_t c : name)
    if (c < u' ' || c == u'\x7F' || c == u'/') return false;
  bool lost = false;
  AnsiString stored = WideToSjis(name, &lost);
  return !lost && SjisToWide(stored) == name;
}

GroupTree ParseGroupTree(std::string_view text) {
  GroupTree tree;
  // The groups kept that a following line can belong to, with the depth
  // their lines were written at. A skipped line is not among them, so its
  // subgroups, all of them, become children of the group above it.
  std::vector<std::pair<size_t, GroupNode*>> chain;
  std::set<WideString> seen;
  for (const AnsiString& line : SplitTextLines(text)) {
    size_t depth = line.find_first_not_of('\t');
    if (depth == AnsiString::npos) continue;
    WideString name = SjisToWide(std::string_view(line).substr(depth));
    while (!chain.empty() && chain.back().first >= depth) chain.pop_back();
    if (!IsStorableGroupName(name) || IsFixedTopGroup(name) || !seen.insert(name).second) continue;
    std::vector<GroupNode>& siblings = chain.empty() ? tree : chain.back().second->Children;
    siblings.push_back({std::move(name), {}});
    chain.emplace_back(depth, &siblings.back());
  }
  return tree;
}

AnsiString FormatGroupTree(const GroupTree& tree) {
  AnsiString out;
  FormatNodes(tree, 0, out);
  return out;
}

}  // namespace orvane
