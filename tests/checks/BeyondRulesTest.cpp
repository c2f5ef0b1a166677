#include "ChecksScene.h"
#include "checks/AttachReminder.h"
#include "checks/VendorCharacters.h"

namespace orvane::test {
namespace {

TEST(AttachReminder, FiresOnWhatTheUserWroteWithNothingAttached) {
  const std::vector<std::string> reminder = {
      "[注意11] 本文に添付の記述がありますが、ファイルが添付されていません"};
  struct Row {
    const char* name;
    std::u16string body;
    std::u16string signature;
    const char* attachment;  // a file in the attachment folder, or none
    const char16_t* words;   // WOption/AttachWords
    bool fires;
  } rows[] = {
      {"添付 in the body", u"資料を添付します。\r\n", u"", nullptr, u"", true},
      {"with a file attached", u"資料を添付します。\r\n", u"", "資料.pdf", u"", false},
      {"in a quoted line", u"> 資料を添付します。\r\nありがとうございます。\r\n", u"", nullptr, u"",
       false},
      {"quoted with blanks and a full-width bar", u"　｜添付します\r\n", u"", nullptr, u"", false},
      {"quoted with a full-width >", u" ＞同封の件\r\n", u"", nullptr, u"", false},
      {"in the signature", u"よろしくお願いします。\r\n--\r\n添付ファイル歓迎\r\n",
       u"--\r\n添付ファイル歓迎", nullptr, u"", false},
      {"a signature whose last line expanded to nothing", u"添付します\r\n--\r\n", u"--\r\n",
       nullptr, u"", true},
      {"a body of the signature alone", u"--\r\n添付ファイル歓迎\r\n",
       u"--\r\n添付ファイル歓迎\r\n", nullptr, u"", false},
      {"別添", u"別添の通り", u"", nullptr, u"", true},
      {"同封", u"同封いたします", u"", nullptr, u"", true},
      {"添えて", u"写真を添えて送ります", u"", nullptr, u"", true},
      {"English, any case", u"Please see the ATTACHED file.", u"", nullptr, u"", true},
      {"attachment", u"See the attachment", u"", nullptr, u"", true},
      {"full-width Latin", u"ｅｎｃｌｏｓｅｄ ｐｌｅａｓｅ ｆｉｎｄ", u"", nullptr, u"", true},
      {"no mention", u"明日の会議は十時からです。\r\n", u"", nullptr, u"", false},
      {"word added by hand", u"見積書をお送りします。", u"", nullptr, u"見積書,ＰＤＦ", true},
      {"full-width word added by hand", u"pdf で送ります", u"", nullptr, u"見積書,ＰＤＦ", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ChecksScene scene;
    scene.On(TWarningRule::AttachReminder);
    scene.body = row.body;
    scene.draft.Signature = row.signature;
    scene.Option(keys::kAttachWords, row.words);
    if (row.attachment) scene.Attach(row.attachment, 3);
    EXPECT_EQ(U8(scene.Lines()), row.fires ? reminder : std::vector<std::string>{});
  }
}

TEST(VendorCharacters, NamesEachCharacterOnceWithItsReplacement) {
  const std::string prefix = "[注意12] 機種依存文字が含まれています ";
  struct Row {
    const char* name;
    std::u16string subject;
    std::u16string body;
    TMimeCharSet charset;
    std::vector<std::string> items;
  } rows[] = {
      {"plain JIS X 0208 text",
       u"見積もり～お願い",
       u"漢字、ひらがな、カタカナ。ＡＢＣ−",
       mcsISO_2022_JP,
       {}},
      {"circled digit in the subject", u"会議①", u"", mcsISO_2022_JP, {"① → (1)"}},
      {"company sign in the body", u"件名", u"㈱山田商事", mcsISO_2022_JP, {"㈱ → (株)"}},
      {"half-width katakana, one line each", u"", u"ｶﾅｶﾅ", mcsISO_2022_JP, {"ｶ → カ", "ﾅ → ナ"}},
      {"Roman numeral, era, IBM kanji",
       u"Ⅳ号",
       u"㍻の髙橋",
       mcsISO_2022_JP,
       {"Ⅳ → IV", "㍻ → 平成", "髙 → 高"}},
      {"the default charset writes Japanese as ISO-2022-JP", u"⑳", u"", mcsUS_ASCII, {"⑳ → (20)"}},
      {"Shift_JIS requests too", u"ⅱ", u"", mcsSHIFT_JIS, {"ⅱ → ii"}},
      {"characters no Japanese charset has", u"", u"丂😀😀·", mcsISO_2022_JP, {"丂", "😀", "· → ・"}},
      {"an invisible character is named by its code",
       u"",
       u"a\u00A0b",
       mcsISO_2022_JP,
       {"U+00A0 →  "}},
      {"UTF-8 carries everything", u"①", u"ｶﾅ丂", mcsUTF_8, {}},
      {"UTF-7 carries everything", u"①", u"㈱", mcsUTF_7, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ChecksScene scene;
    scene.On(TWarningRule::DependChar);
    scene.draft.Subject = row.subject;
    scene.body = row.body;
    scene.charset = row.charset;
    std::vector<std::string> expected;
    for (const std::string& item : row.items) expected.push_back(prefix + item);
    EXPECT_EQ(U8(scene.Lines()), expected);
  }
}

TEST(VendorCharacters, ReadsTheRecipientsAndTheSendersName) {
  ChecksScene scene;
  scene.On(TWarningRule::DependChar);
  scene.draft.ToText = u"ｲﾁﾛｰ <ichiro@example.jp>";
  scene.draft.ReplyToText = u"㈲ <r@example.jp>";
  scene.AccountValue(keys::kName, WideToSjis(u"山田①").c_str());
  EXPECT_EQ(U8(scene.Lines()),
            (std::vector<std::string>{"[注意12] 機種依存文字が含まれています ｲ → イ",
                                      "[注意12] 機種依存文字が含まれています ﾁ → チ",
                                      "[注意12] 機種依存文字が含まれています ﾛ → ロ",
                                      "[注意12] 機種依存文字が含まれています ｰ → ー",
                                      "[注意12] 機種依存文字が含まれています ㈲ → (有)",
                                      "[注意12] 機種依存文字が含まれています ① → (1)"}));
}

}  // namespace
}  // namespace orvane::test
