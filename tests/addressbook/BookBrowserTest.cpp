#include "BookFixture.h"
#include "addressbook/BookBrowser.h"

namespace orvane::test {
namespace {

class Browser : public BookFixture {
 protected:
  Browser() {
    browser.Open();
    Contact("0000", "加藤", "かとう", "kato@example.jp");
    Contact("0001", "安藤", "あんどう", "ando@example.jp");
    Contact("0002", "Smith", "Ｓｍｉｔｈ", "smith@example.jp");
    Contact("0003", "木村", "キムラ", "kimura@example.jp");
    Contact("0004", "田中", "たなか", "tanaka@example.jp");
    Contact("0005", "後藤", "ごとう", "goto@example.jp");
    GroupFile(u"アドレス帳", "0000\r\n0001\r\n0002\r\n0003\r\n0004\r\n0005\r\n");
    browser.SelectGroup(u"アドレス帳");
  }

  BookBrowser browser{settings, clipboard};
};

TEST_F(Browser, SearchByReadingSelectsTheNextMatchAfterTheFirstSelected) {
  struct Case {
    ReadingRow row;
    ListSelection selection;
    std::optional<SearchResult> result;
  } cases[] = {
      // Nothing selected: from the top.
      {ReadingRow::kKa, {}, SearchResult{{0}, 0}},
      {ReadingRow::kKa, {0}, SearchResult{{3}, 3}},  // katakana reading
      {ReadingRow::kKa, {3}, SearchResult{{5}, 5}},  // voiced ご
      // After the last match the search wraps to the top.
      {ReadingRow::kKa, {5}, SearchResult{{0}, 0}},
      // Only the first selected contact is unselected.
      {ReadingRow::kKa, {1, 4}, SearchResult{{3, 4}, 3}},
      {ReadingRow::kA, {2}, SearchResult{{1}, 1}},
      {ReadingRow::kTa, {4}, SearchResult{{4}, 4}},
      // No reading in the row: the selection stays.
      {ReadingRow::kRa, {2}, std::nullopt},
      {ReadingRow::kN, {}, std::nullopt},
      // A full-width Latin reading is found by "A".
      {ReadingRow::kLatin, {0}, SearchResult{{2}, 2}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(browser.Search(c.row, c.selection), c.result)
        << static_cast<int>(c.row) << " after " << (c.selection.empty() ? -1 : int(c.selection[0]));
}

TEST_F(Browser, TheCountAndThePreviewFollowTheGroup) {
  EXPECT_EQ(browser.CountText(), u"登録: 6 件");
  EXPECT_EQ(browser.CurrentGroupFile(), u"アドレス帳.dat");
  EXPECT_EQ(browser.Preview(4), (ContactPreview{u"田中", u"tanaka@example.jp", {}}));
  EXPECT_EQ(browser.Preview(std::nullopt), ContactPreview());

  // The picture shows when its file exists.
  WriteFile(home / "face.png", "x");
  WriteFile(Address("0006.adr"),
            "[Person]\r\nName=a\r\nImage=" + (home / "face.png").string() + "\r\n");
  WriteFile(Address("0007.adr"),
            "[Person]\r\nName=b\r\nImage=" + (home / "gone.png").string() + "\r\n");
  GroupFile(u"写真", "0006\r\n0007\r\n");
  browser.SelectGroup(u"写真");
  EXPECT_EQ(browser.CountText(), u"登録: 2 件");
  EXPECT_EQ(browser.Preview(0).Image, home / "face.png");
  EXPECT_EQ(browser.Preview(1).Image, std::filesystem::path());

  browser.ClearGroup();
  EXPECT_EQ(browser.CountText(), u"登録: 0 件");
  EXPECT_EQ(browser.CurrentGroupFile(), u"");
}

}  // namespace
}  // namespace orvane::test
