// The group tree file over any bytes: every group read is one a group may
// be, no name comes twice, and the tree written and read again is the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "addressbook/GroupTree.h"

namespace {

void Check(const orvane::GroupTree& nodes, std::set<orvane::WideString>& names) {
  for (const orvane::GroupNode& node : nodes) {
    if (!orvane::IsStorableGroupName(node.Name) || orvane::IsFixedTopGroup(node.Name) ||
        !names.insert(node.Name).second)
      __builtin_trap();
    Check(node.Children, names);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const GroupTree tree = ParseGroupTree(std::string_view(reinterpret_cast<const char*>(data), size));
  std::set<WideString> names;
  Check(tree, names);
  if (ParseGroupTree(FormatGroupTree(tree)) != tree) __builtin_trap();
  return 0;
}
