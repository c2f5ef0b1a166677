#include <gtest/gtest.h>

#include "addressbook/GroupTree.h"
#include "addressbook/Records.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

TEST(GroupTree, TabsGiveTheDepth) {
  struct Case {
    std::u16string file;
    GroupTree tree;
  } cases[] = {
      {u"", {}},
      {u"A\r\nB\r\n", {{u"A", {}}, {u"B", {}}}},
      {u"A\r\n\tA1\r\n\t\tA11\r\n\tA2\r\nB\r\n",
       {{u"A", {{u"A1", {{u"A11", {}}}}, {u"A2", {}}}}, {u"B", {}}}},
      // LF or CR alone end lines too; empty lines and lines of TABs are skipped.
      {u"A\n\tA1\r\r\n\t\t\r\nB", {{u"A", {{u"A1", {}}}}, {u"B", {}}}},
      // Too deep a line becomes its predecessor's child.
      {u"A\r\n\t\t\tA1\r\n\t\t\t\tA11\r\n", {{u"A", {{u"A1", {{u"A11", {}}}}}}}},
      // The fixed groups are skipped at any depth and their subgroups move up.
      {u"お気に入り\r\n\tX\r\nA\r\n\t一時保存\r\n\t\tY\r\n\tZ\r\n",
       {{u"X", {}}, {u"A", {{u"Y", {}}, {u"Z", {}}}}}},
      // All of them, in order, each keeping its own subgroups.
      {u"A\r\n\t一時保存\r\n\t\tY1\r\n\t\tY2\r\n\t\t\tY21\r\n\t\tY3\r\n\tZ\r\n",
       {{u"A", {{u"Y1", {}}, {u"Y2", {{u"Y21", {}}}}, {u"Y3", {}}, {u"Z", {}}}}}},
      // A second line of a name, and names that name no single file (the
      // tree file's own among them), are skipped.
      {u"A\r\n\tA\r\n\t..\r\n\t\tC\r\n\ta/b\r\nAddress\r\n\tD\r\nB\r\n",
       {{u"A", {{u"C", {}}}}, {u"D", {}}, {u"B", {}}}},
      // Leading blanks belong to the name.
      {u" A\r\n", {{u" A", {}}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseGroupTree(WideToSjis(c.file)), c.tree) << WideToUtf8(c.file);
}

TEST(GroupTree, WritingSkipsTheFixedGroupsAndMovesTheirSubgroupsUp) {
  struct Case {
    GroupTree tree;
    std::u16string file;
  } cases[] = {
      {{}, u""},
      {{{u"アドレス帳", {{u"仕事", {{u"取引先", {}}}}, {u"家族", {}}}}, {u"お気に入り", {}}},
       u"アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n\t家族\r\n"},
      {{{u"A", {{u"お気に入り", {{u"X", {}}}}}}, {u"一時保存", {{u"Y", {}}}}},
       u"A\r\n\tX\r\nY\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGroupTree(c.tree), WideToSjis(c.file)) << WideToUtf8(c.file);
    EXPECT_EQ(FormatGroupTree(ParseGroupTree(FormatGroupTree(c.tree))), FormatGroupTree(c.tree));
  }
}

}  // namespace
}  // namespace orvane
