#include <gtest/gtest.h>

#include <functional>

#include "app/AddressInput.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

struct Lists {
  std::u16string to, cc, bcc;
  bool operator==(const Lists&) const = default;
};

void PrintTo(const Lists& l, std::ostream* out) {
  *out << "To[" << WideToUtf8(l.to) << "] Cc[" << WideToUtf8(l.cc) << "] Bcc[" << WideToUtf8(l.bcc)
       << "]";
}

MessageDraft DraftOf(const Lists& lists) {
  MessageDraft draft;
  draft.ToText = lists.to;
  draft.CcText = lists.cc;
  draft.BccText = lists.bcc;
  return draft;
}

struct Row {
  int kind;
  std::u16string name, address;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* out) {
  *out << r.kind << ":" << WideToUtf8(r.name) << "|" << WideToUtf8(r.address);
}

std::vector<Row> Rows(const std::vector<TSendItem>& items) {
  std::vector<Row> rows;
  for (const TSendItem& item : items) rows.push_back({item.Kind, item.Name, item.Address});
  return rows;
}

// The picker opened on the draft's lists, the user's changes applied to
// its send list, and the lists rebuilt from it.
TEST(AddressInput, SendListRowsAndTheRecipientsRebuiltFromThem) {
  struct Case {
    const char* what;
    Lists before;
    std::vector<Row> rows;
    std::function<void(std::vector<TSendItem>&)> change;
    Lists after;
  } cases[] = {
      {"two To and one Cc, unchanged",
       {u"花子 <hanako@example.jp>, taro@example.jp", u"次郎 <jiro@example.jp>", u""},
       {{0, u"花子", u"hanako@example.jp"},
        {0, u"", u"taro@example.jp"},
        {1, u"次郎", u"jiro@example.jp"}},
       nullptr,
       {u"花子 <hanako@example.jp>, <taro@example.jp>", u"次郎 <jiro@example.jp>", u""}},
      {"a kind changed to Bcc",
       {u"花子 <hanako@example.jp>, taro@example.jp", u"次郎 <jiro@example.jp>", u""},
       {{0, u"花子", u"hanako@example.jp"},
        {0, u"", u"taro@example.jp"},
        {1, u"次郎", u"jiro@example.jp"}},
       [](std::vector<TSendItem>& list) { list[0].Kind = TSendItem::kBcc; },
       {u" <taro@example.jp>", u"次郎 <jiro@example.jp>", u"花子 <hanako@example.jp>"}},
      {"an address cleared",
       {u"花子 <hanako@example.jp>;taro@example.jp", u"", u"jiro@example.jp"},
       {{0, u"花子", u"hanako@example.jp"},
        {0, u"", u"taro@example.jp"},
        {2, u"", u"jiro@example.jp"}},
       [](std::vector<TSendItem>& list) { list[1].Address.clear(); },
       {u"花子 <hanako@example.jp>", u"", u" <jiro@example.jp>"}},
      {"an address edited",
       {u"花子 <hanako@example.jp>", u"", u""},
       {{0, u"花子", u"hanako@example.jp"}},
       [](std::vector<TSendItem>& list) { list[0].Address = u"hanako@example.com"; },
       {u"花子 <hanako@example.com>", u"", u""}},
      // A quoted display name keeps its comma: the name stays one recipient
      // (splitting at every comma would leave a recipient "\"Yamada").
      {"a quoted name with a comma",
       {u"\"Yamada, Taro\" <taro@example.jp>,hanako@example.jp", u"", u""},
       {{0, u"Yamada, Taro", u"taro@example.jp"}, {0, u"", u"hanako@example.jp"}},
       nullptr,
       {u"\"Yamada, Taro\" <taro@example.jp>, <hanako@example.jp>", u"", u""}},
      {"a quoted pair inside the quotes",
       {u"\"say \\\"hi\\\", Ann\" <ann@example.jp>", u"", u""},
       {{0, u"say \"hi\", Ann", u"ann@example.jp"}},
       nullptr,
       {u"\"say \\\"hi\\\", Ann\" <ann@example.jp>", u"", u""}},
      {"comments: dropped from the address, kept in the name",
       {u"太郎 (営業) <taro@example.jp (会社)>", u"", u""},
       {{0, u"太郎 (営業)", u"taro@example.jp"}},
       nullptr,
       {u"\"太郎 (営業)\" <taro@example.jp>", u"", u""}},
      {"empty pieces give no entry", {u", ;  ,", u";", u""}, {}, nullptr, {u"", u"", u""}},
      {"an entry added in the picker",
       {u"", u"", u""},
       {},
       [](std::vector<TSendItem>& list) {
         list.push_back({u"鈴木", u"suzuki@example.jp", 1});
       },
       {u"", u"鈴木 <suzuki@example.jp>", u""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageDraft draft = DraftOf(c.before);
    std::vector<TSendItem> list = RecipientsOfDraft(draft);
    EXPECT_EQ(Rows(list), c.rows);
    if (c.change) c.change(list);
    SetRecipientsOfDraft(draft, list);
    EXPECT_EQ((Lists{draft.ToText, draft.CcText, draft.BccText}), c.after);
  }
}

TEST(AddressInput, FavouritesSkipMissingContactsAndKeepTheLinesAsTags) {
  TempFolder home;
  IniFileUnit settings(home.Path());
  EXPECT_EQ(FavouriteMenuItems(settings), std::nullopt) << "no favourites file";

  WriteFile(home / "Address/0000.adr",
            WideToSjis(u"[Person]\r\nName=山田, 太郎\r\nAddress=taro@example.jp\r\n"));
  WriteFile(home / "Address/0002.adr",
            WideToSjis(u"[Person]\r\nName=花子\r\nAddress=hanako@example.jp\r\n"));
  WriteFile(home / WideToUtf8(u"Address/お気に入り.dat"), "0000\r\n0001\r\n0002\r\n");
  EXPECT_EQ(FavouriteMenuItems(settings),
            (std::vector<FavouriteMenuItem>{
                {u"山田, 太郎", u"\"山田, 太郎\" <taro@example.jp>", 0},
                {u"花子", u"花子 <hanako@example.jp>", 2},
            }));

  WriteFile(home / WideToUtf8(u"Address/お気に入り.dat"), "0001\r\n");
  EXPECT_EQ(FavouriteMenuItems(settings), std::vector<FavouriteMenuItem>{});

  EXPECT_EQ(AppendRecipient(u"", u"花子 <hanako@example.jp>"), u"花子 <hanako@example.jp>");
  EXPECT_EQ(AppendRecipient(u"a@example.jp", u"花子 <hanako@example.jp>"),
            u"a@example.jp,花子 <hanako@example.jp>");
}

}  // namespace
}  // namespace orvane::test
