#include <gtest/gtest.h>

#include "checks/BlockRules.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

// Each rule of section Block against a message: the first rule broken
// names itself and what matched; the body is read only for words.
TEST(BlockRules, TheFirstRuleBrokenStopsTheSendWithWhatMatched) {
  const char* const settings =
      "[Block]\r\nAddresses=rival@example.com\r\nDomains=@example.net, ＸＹＺ.jp\r\n"
      "Words=極秘, \"Top Secret\"\r\nExtensions=.exe, BAT\r\n";
  struct Row {
    const char* name;
    std::vector<WideString> recipients;
    WideString subject, body;
    std::vector<std::filesystem::path> attachments;
    const char* refusal;  // "" when the message may go
  } rows[] = {
      {"nothing forbidden", {u"a@example.jp"}, u"件名", u"本文", {"見積書.pdf"}, ""},
      {"an address, in any case", {u"a@example.jp", u"Rival@Example.COM"}, u"", u"", {},
       "送信できません: 送信を禁止した宛先です (Rival@Example.COM)"},
      {"a subdomain", {u"b@mail.example.net"}, u"", u"", {},
       "送信できません: 送信を禁止したドメインの宛先です (b@mail.example.net)"},
      {"a domain written full-width in the list", {u"c@xyz.jp"}, u"", u"", {},
       "送信できません: 送信を禁止したドメインの宛先です (c@xyz.jp)"},
      {"a domain that only ends alike", {u"d@notexample.net"}, u"", u"", {}, ""},
      {"a word in the body, ASCII in any case", {u"a@example.jp"}, u"", u"これは TOP SECRET です",
       {}, "送信できません: 送信を禁止した言葉が件名か本文にあります (Top Secret)"},
      {"a word in the subject", {u"a@example.jp"}, u"【極秘】資料", u"", {},
       "送信できません: 送信を禁止した言葉が件名か本文にあります (極秘)"},
      {"an extension, in any case", {u"a@example.jp"}, u"", u"", {"/tmp/setup.EXE"},
       "送信できません: 送信を禁止した種類の添付ファイルです (setup.EXE)"},
      {"a name that ends in the extension without its dot", {u"a@example.jp"}, u"", u"",
       {"/tmp/combat"}, ""},
  };
  TempFolder home;
  WriteFile(home / "orvane.ini", WideToSjis(Utf8ToWide(settings)));
  const TBlockRules rules = ReadBlockRules(IniFileUnit(home.Path()));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<WideString> refusal =
        BlockedSend(rules, {row.recipients, row.subject, [&] { return row.body; }, row.attachments});
    EXPECT_EQ(refusal ? WideToUtf8(*refusal) : "", row.refusal);
  }
  bool bodyRead = false;
  BlockedSend(ReadBlockRules(IniFileUnit(TempFolder().Path())),
              {{u"a@example.jp"}, u"", [&] { return bodyRead = true, WideString(); }, {}});
  EXPECT_FALSE(bodyRead);
}

}  // namespace
}  // namespace orvane::test
