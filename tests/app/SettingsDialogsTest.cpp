// The controllers of the option, encoding and toolbar dialogs: what they
// read, what OK writes.

#include <gtest/gtest.h>

#include <optional>

#include "app/EncodeUnit.h"
#include "app/OptionUnit.h"
#include "app/ToolBarCustmUnit.h"
#include "app/ToolBarSettings.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// The general settings file, Shift_JIS as written; UTF-8 here for reading.
class SettingsDialogs : public ::testing::Test {
 protected:
  void Given(const std::string& utf8) {
    WriteFile(home / "orvane.ini", WideToSjis(Utf8ToWide(utf8)));
  }
  std::string File() const {
    return fs::exists(home / "orvane.ini") ? WideToUtf8(SjisToWide(ReadFile(home / "orvane.ini")))
                                           : "";
  }
  TempFolder home;
  IniFileUnit settings{home.Path()};
};

TEST_F(SettingsDialogs, OptionsReadEveryKeyWithItsDefault) {
  const WideString programFolder = Utf8ToWide(home.Path().native() + "/");
  const ProxyValues manual{2, u"http://proxy.example.jp:8080", u"taro", u"pw", u".example.jp"};
  struct Case {
    const char* file;
    OptionValues expected;
  } cases[] = {
      {"", {false, programFolder, 0, u"eml", false, 230, false, false}},
      {"[Option]\r\nFileSave=1\r\nPATH=/home/太郎/メール/\r\nFileName=2\r\nExtention=txt\r\n"
       "AlphaBlend=1\r\nAlphaBlendValue=128\r\nGoBlend=1\r\nSendBeforExit=1\r\n"
       "[Proxy]\r\nMode=2\r\nUrl=http://proxy.example.jp:8080\r\nUser=taro\r\nPass=pw\r\n"
       "NoProxy=.example.jp\r\n",
       {true, u"/home/太郎/メール/", 2, u"txt", true, 128, true, true, manual}},
      // A naming rule outside the list chooses nothing; a proxy mode outside
      // it is the default.
      {"[Option]\r\nFileName=4\r\n[Proxy]\r\nMode=3\r\n",
       {false, programFolder, -1, u"eml", false, 230, false, false}},
      {"[Option]\r\nFileName=-3\r\n", {false, programFolder, -1, u"eml", false, 230, false, false}},
  };
  for (const Case& c : cases) {
    Given(c.file);
    EXPECT_EQ(TOptionForm(settings).Load(), c.expected) << c.file;
  }
}

TEST_F(SettingsDialogs, OptionsOkWritesEveryKeyAsShown) {
  Given("[Option]\r\nSendToSelf=1\r\n");
  TOptionForm form(settings);
  const ProxyValues proxy{2, u"http://proxy.example.jp:8080", u"taro", u"p@ss 語",
                          u"*.local, 10.0.0.1"};
  const OptionValues values{true, u"/home/太郎/", -1, u"eml", false, 200, true, false, proxy};
  form.Save(values);
  EXPECT_EQ(File(),
            "[Option]\r\nSendToSelf=1\r\nFileSave=1\r\nPATH=/home/太郎/\r\nFileName=-1\r\n"
            "Extention=eml\r\nAlphaBlend=0\r\nAlphaBlendValue=200\r\nGoBlend=1\r\n"
            "SendBeforExit=0\r\n\r\n[Proxy]\r\nMode=2\r\nUrl=http://proxy.example.jp:8080\r\n"
            "User=taro\r\nPass=p@ss 語\r\nNoProxy=*.local, 10.0.0.1\r\n");
  // A file with a password is for its owner's eyes only.
  EXPECT_EQ(fs::status(home / "orvane.ini").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  // The naming rule -1 is read back as none chosen, the rest as written.
  EXPECT_EQ(form.Load(), values);
}

// The settings file is Shift_JIS: a folder or extension it cannot hold as
// typed is refused by name, a proxy password without echoing it, and so is
// a manual proxy that is no http://host:port; the file stays as it was.
TEST_F(SettingsDialogs, OptionsOkRefusesTextsTheSettingsCannotHold) {
  struct Case {
    const char16_t* path;
    const char16_t* extension;
    const char16_t* refusal;  // nullptr: stored
    ProxyValues proxy = {};
  } cases[] = {
      {u"/home/u/Müll/", u"eml",
       u"保存するフォルダ /home/u/Müll/ には設定ファイルに保存できない文字が含まれています。"
       u"別のフォルダを選んでください"},
      {u"/home/u/a\u301Cb/", u"eml",  // WAVE DASH would come back as FULLWIDTH TILDE
       u"保存するフォルダ /home/u/a\u301Cb/ には設定ファイルに保存できない文字が含まれています。"
       u"別のフォルダを選んでください"},
      {u"/home/u/", u"mé", u"拡張子 mé には設定ファイルに保存できない文字が含まれています"},
      {u"/home/u/ﾒｰﾙ～①/", u"eml", nullptr},
      {u"/home/u/",
       u"eml",
       u"プロキシのパスワードに設定ファイルに保存できない文字が含まれています",
       {1, u"", u"", u"pass\U0001F600", u""}},
      {u"/home/u/",
       u"eml",
       u"プロキシのアドレスは http://ホスト名:ポート番号 の形で入力してください。"
       u"ユーザ名とパスワードはそれぞれの欄に入力します",
       {2, u"proxy.example.jp", u"", u"", u""}},
  };
  for (const Case& c : cases) {
    Given("[Option]\r\nPATH=/home/u/old/\r\n");
    OptionValues values;
    values.path = c.path;
    values.extension = c.extension;
    values.proxy = c.proxy;
    try {
      TOptionForm(settings).Save(values);
      EXPECT_EQ(c.refusal, nullptr) << WideToUtf8(c.path);
      EXPECT_EQ(TOptionForm(settings).Load().path, c.path);
    } catch (const Error& error) {
      EXPECT_EQ(error.Message(), c.refusal ? c.refusal : u"(stored)");
      EXPECT_EQ(File(), "[Option]\r\nPATH=/home/u/old/\r\n");
    }
  }
}

TEST_F(SettingsDialogs, AChosenFolderEndsInASeparator) {
  struct Case {
    const char* folder;
    const char16_t* text;
  } cases[] = {{"/home/taro", u"/home/taro/"},
               {"/home/taro/", u"/home/taro/"},
               {"/", u"/"},
               {"/home/太郎/メール", u"/home/太郎/メール/"}};
  for (const Case& c : cases) EXPECT_EQ(TOptionForm::ChosenFolderText(c.folder), c.text);
}

TEST_F(SettingsDialogs, EncodingReadsAndWritesTheListIndexes) {
  EXPECT_EQ(TEncodeForm::CharsetItems(),
            (std::vector<WideString>{u"US-ASCII", u"ISO-2022-JP", u"S-JIS", u"EUC-JP ", u"UTF-7",
                                     u"UTF-8"}));
  EXPECT_EQ(TEncodeForm::AttachItems(),
            (std::vector<WideString>{u"MimeBでエンコード", u"Rfc2231に準じてエンコード",
                                     u"Iso-2022-Jpでエンコード", u"シフトJisのまま"}));
  struct Case {
    const char* file;
    EncodeChoice expected;
  } cases[] = {
      {"", {0, 0}},
      {"[Encode]\r\nEncode=5\r\nAttach=1\r\n", {5, 1}},
      {"[Encode]\r\nEncode=6\r\nAttach=-1\r\n", {-1, -1}},
      {"[Encode]\r\nEncode=utf8\r\n", {0, 0}},
  };
  for (const Case& c : cases) {
    Given(c.file);
    EXPECT_EQ(TEncodeForm(settings).Load(), c.expected) << c.file;
  }
  TEncodeForm(settings).Save({5, 3});
  EXPECT_EQ(File(), "[Encode]\r\nEncode=5\r\nAttach=3\r\n");
}

// One toolbar dialog session: the stored toolbar, what the user does, and
// what the list, the modified flag and the file show afterwards.
TEST_F(SettingsDialogs, ToolBarDialogEditsTheListAndWritesItWhenChanged) {
  enum Op { Add, Delete, Up, Down, Reset, Flat };
  struct Step {
    Op op;
    int arg;       // the code to add, or the row
    int selected;  // the row selected afterwards
  };
  using Keys = ProfileText::Keys;
  const std::vector<int> defaults = DefaultToolBar();
  struct Case {
    const char* what;
    const char* stored;
    std::vector<Step> steps;
    std::vector<int> codes;
    bool modified;
    std::optional<Keys> section;  // ToolBar as written; none: no section
    const char* flat;             // ToolBarOpt/Flat as written
  } cases[] = {
      {"never changed: no section", "", {}, defaults, false, std::nullopt, "0"},
      {"a stored list counts as changed",
       "[ToolBar]\r\nItemCount=3\r\nItem1=21\r\nItem2=0\r\nItem3=15\r\n",
       {},
       {21, 0, 15},
       true,
       Keys{{"ItemCount", "3"}, {"Item1", "21"}, {"Item2", "0"}, {"Item3", "15"}},
       "0"},
      {"deleting every item stores none",
       "[ToolBar]\r\nItemCount=2\r\nItem1=21\r\nItem2=15\r\n",
       {{Delete, 0, 0}, {Delete, 0, -1}},
       {},
       true,
       Keys{{"ItemCount", "0"}},
       "0"},
      {"an empty toolbar shows empty",
       "[ToolBar]\r\nItemCount=0\r\n",
       {},
       {},
       true,
       Keys{{"ItemCount", "0"}},
       "0"},
      {"reset removes the section",
       "[ToolBar]\r\nItemCount=1\r\nItem1=21\r\n[ToolBarOpt]\r\nFlat=1\r\n",
       {{Reset, 0, -1}},
       defaults,
       false,
       std::nullopt,
       "1"},
      {"up on the first row changes nothing", "", {{Up, 0, 0}}, defaults, false, std::nullopt, "0"},
      {"down on the last row changes nothing",
       "",
       {{Down, 9, 9}},
       defaults,
       false,
       std::nullopt,
       "0"},
      {"add, move up and down, flat",
       "[ToolBar]\r\nItemCount=2\r\nItem1=1\r\nItem2=2\r\n",
       {{Add, 21, 2}, {Up, 2, 1}, {Up, 1, 0}, {Down, 0, 1}, {Flat, 1, 1}},
       {1, 21, 2},
       true,
       Keys{{"ItemCount", "3"}, {"Item1", "1"}, {"Item2", "21"}, {"Item3", "2"}},
       "1"},
      {"a change from the default is written",
       "",
       {{Delete, 1, 1}},
       {1, 7, 0, 9, 5, 11, 0, 14, 15},
       true,
       Keys{{"ItemCount", "9"},
            {"Item1", "1"},
            {"Item2", "7"},
            {"Item3", "0"},
            {"Item4", "9"},
            {"Item5", "5"},
            {"Item6", "11"},
            {"Item7", "0"},
            {"Item8", "14"},
            {"Item9", "15"}},
       "0"},
  };
  for (const Case& c : cases) {
    Given(c.stored);
    TToolBarCustmForm form(settings);
    form.Load();
    for (const Step& step : c.steps) {
      int selected = step.selected;
      switch (step.op) {
        case Add:
          selected = form.Add(step.arg);
          break;
        case Delete:
          selected = form.Delete(step.arg);
          break;
        case Up:
          selected = form.MoveUp(step.arg);
          break;
        case Down:
          selected = form.MoveDown(step.arg);
          break;
        case Reset:
          form.Reset();
          break;
        case Flat:
          form.SetFlat(step.arg != 0);
          break;
      }
      EXPECT_EQ(selected, step.selected) << c.what;
    }
    EXPECT_EQ(form.Codes(), c.codes) << c.what;
    EXPECT_EQ(form.Modified(), c.modified) << c.what;
    form.Save();
    const ProfileText written = settings.GeneralFile().Load();
    EXPECT_EQ(written.HasSection("ToolBar"), c.section.has_value()) << c.what;
    EXPECT_EQ(written.SectionKeys("ToolBar"), c.section.value_or(Keys{})) << c.what;
    EXPECT_EQ(written.Find("ToolBarOpt", "Flat"), c.flat) << c.what;
    // The main window builds what was written.
    EXPECT_EQ(ReadToolBarLayout(settings).codes, c.codes) << c.what;
  }
}

TEST_F(SettingsDialogs, ToolBarItemsAreNamedByTheirCode) {
  ASSERT_EQ(TToolBarCustmForm::ItemNames().size(), 22u);
  struct Case {
    int code;
    const char16_t* name;
  } cases[] = {{0, u"[区切り線]"},
               {1, u"アカウントの設定"},
               {11, u"拡張ヘッダフィールド設定"},
               {21, u"終了"},
               {30, u"(30)"},
               {-1, u"(-1)"}};
  for (const Case& c : cases) EXPECT_EQ(TToolBarCustmForm::NameOf(c.code), c.name) << c.code;
}

}  // namespace
}  // namespace orvane
