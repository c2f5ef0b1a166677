#include <functional>

#include "ChecksScene.h"
#include "platform/Error.h"

namespace orvane::test {
namespace {

// One case of a rule: the scene is changed from the unremarkable message,
// the rule alone is switched on, and these are all the lines collected.
struct RuleCase {
  const char* name;
  std::function<void(ChecksScene&)> setup;
  std::vector<std::string> lines;
};

void RunRule(TWarningRule rule, const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    ChecksScene scene;
    scene.On(rule);
    c.setup(scene);
    EXPECT_EQ(U8(scene.Lines()), c.lines);
  }
}

std::u16string Repeat(std::u16string_view piece, int times) {
  std::u16string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

void Nothing(ChecksScene&) {}

TEST(WarningRules, DraftFieldsThatAreEmptyOrSet) {
  const char* noTo = "[警告01] Toアドレス(送信先)が指定されていません";
  RunRule(TWarningRule::To,
          {
              {"To set", Nothing, {}},
              {"only Cc",
               [](auto& s) { s.draft.ToText.clear(), s.draft.CcText = u"c@example.jp"; },
               {noTo}},
              {"blank To is not empty", [](auto& s) { s.draft.ToText = u" "; }, {}},
          });
  RunRule(
      TWarningRule::Subject,
      {
          {"subject set", Nothing, {}},
          {"no subject", [](auto& s) { s.draft.Subject.clear(); }, {"[警告02] 件名がありません"}},
          {"blank subject is not empty", [](auto& s) { s.draft.Subject = u"　"; }, {}},
      });
  RunRule(TWarningRule::Body,
          {
              {"body", Nothing, {}},
              {"empty body", [](auto& s) { s.body.clear(); }, {"[警告03] 本文がありません"}},
              {"an empty line is a body", [](auto& s) { s.body = u"\r\n"; }, {}},
          });
  RunRule(TWarningRule::Reply, {
                                   {"no Reply-To", Nothing, {}},
                                   {"Reply-To",
                                    [](auto& s) { s.draft.ReplyToText = u"r@example.jp"; },
                                    {"[警告04] Reply-Toフィールドが設定されています"}},
                               });
  RunRule(TWarningRule::Dispostition, {
                                          {"no request", Nothing, {}},
                                          {"read receipt",
                                           [](auto& s) { s.draft.Disposition = true; },
                                           {"[警告14] 開封確認メッセージを要求しています"}},
                                      });
  RunRule(TWarningRule::Cc, {
                                {"no Cc", Nothing, {}},
                                {"Cc",
                                 [](auto& s) { s.draft.CcText = u"c@example.jp"; },
                                 {"[注意01] Ccアドレスが指定されています"}},
                            });
  RunRule(TWarningRule::Bcc, {
                                 {"no Bcc", Nothing, {}},
                                 {"Bcc",
                                  [](auto& s) { s.draft.BccText = u"b@example.jp"; },
                                  {"[注意02] Bccアドレスが指定されています"}},
                             });
  RunRule(TWarningRule::Send, {
                                  {"not sent yet", Nothing, {}},
                                  {"sent",
                                   [](auto& s) { s.draft.SendSucceeded = true; },
                                   {"[注意04] すでに送信が完了しいてます"}},
                              });
  RunRule(TWarningRule::InReply, {
                                     {"no In-Reply-To", Nothing, {}},
                                     {"In-Reply-To",
                                      [](auto& s) { s.draft.InReplyToText = u"<1@example.jp>"; },
                                      {"[注意05] In-Reply-Toフィールドが設定されています"}},
                                 });
  RunRule(TWarningRule::Priority, {
                                      {"normal", Nothing, {}},
                                      {"highest",
                                       [](auto& s) { s.draft.NormalPriority = false; },
                                       {"[注意10] 優先度が設定されています "}},
                                  });
  RunRule(TWarningRule::Account,
          {
              {"account named", Nothing, {"[情報01] アカウント: home"}},
              {"Japanese name",
               [](auto& s) { s.draft.AccountName = WideToSjis(u"仕事用"); },
               {"[情報01] アカウント: 仕事用"}},
              {"no account name", [](auto& s) { s.draft.AccountName.clear(); }, {}},
          });
}

TEST(WarningRules, RecipientEntries) {
  const std::string invalid = "[警告09] メールアドレスとしては無効と思われます ";
  RunRule(TWarningRule::MailAddressVal,
          {
              {"valid", Nothing, {}},
              {"display name kept",
               [](auto& s) { s.draft.ToText = u"山田 太郎 <taro.example.jp>, hanako@example.jp"; },
               {invalid + "山田 太郎 <taro.example.jp>"}},
              {"@ in the display name only",
               [](auto& s) { s.draft.ToText = u"a@b <c>"; },
               {invalid + "a@b <c>"}},
              {"empty entry between reported ones",
               [](auto& s) { s.draft.ToText = u"a,,b"; },
               {invalid + "a", invalid, invalid + "b"}},
              {"empty entry before any reported one",
               [](auto& s) { s.draft.ToText = u"x@example.jp,,b"; },
               {invalid + "b"}},
              {"leading and trailing separators",
               [](auto& s) { s.draft.ToText = u";a;"; },
               {invalid + "a"}},
              {"Cc and Bcc entries too",
               [](auto& s) { s.draft.CcText = u"c", s.draft.BccText = u"d"; },
               {invalid + "c", invalid + "d"}},
          });
  const std::string mobile = "[注意09] 携帯アドレスです ";
  RunRule(TWarningRule::Mobile,
          {
              {"not mobile", Nothing, {}},
              {"carrier domain",
               [](auto& s) { s.draft.ToText = u"花子 <hanako@docomo.ne.jp>"; },
               {mobile + "花子 <hanako@docomo.ne.jp>"}},
              {"capitals are not recognised",
               [](auto& s) { s.draft.ToText = u"HANAKO@DOCOMO.NE.JP"; },
               {}},
              {"subdomain of the domain listed without @",
               [](auto& s) { s.draft.CcText = u"jiro@t.softbank.ne.jp"; },
               {mobile + "jiro@t.softbank.ne.jp"}},
              {"subdomain of a domain listed with @",
               [](auto& s) { s.draft.ToText = u"a@x.docomo.ne.jp"; },
               {}},
              {"domain without @ is never an address",
               [](auto& s) { s.draft.ToText = u"ezweb.ne.jp"; },
               {}},
              {"domains added by hand",
               [](auto& s) {
                 s.Option(keys::kMobileList, u"@mobile.example.jp, \"@pager example\",,");
                 s.draft.ToText = u"a@mobile.example.jp;b@pager example;c@example.jp";
               },
               {mobile + "a@mobile.example.jp", mobile + "b@pager example"}},
          });
  const std::string list = "[注意08] メーリングリストへの投稿です ";
  RunRule(TWarningRule::MailingList,
          {
              {"not a list", Nothing, {}},
              {"list service",
               [](auto& s) { s.draft.BccText = u"<team@googlegroups.com>"; },
               {list + "<team@googlegroups.com>"}},
              {"second service",
               [](auto& s) { s.draft.ToText = u"dev@groups.io"; },
               {list + "dev@groups.io"}},
              {"list added by hand",
               [](auto& s) {
                 s.Option(keys::kMailingList, u"@lists.example.org");
                 s.draft.ToText = u"x@example.jp, all@lists.example.org";
               },
               {list + " all@lists.example.org"}},
          });
  auto separators = [](int count) { return Repeat(u"a@example.jp,", count) + u"a@example.jp"; };
  const char* manyRecipients = "[警告12] 送信先が 100 件以上指定されています";
  RunRule(
      TWarningRule::RcptList,
      {
          {"98 separators", [&](auto& s) { s.draft.ToText = separators(98); }, {}},
          {"99 separators", [&](auto& s) { s.draft.ToText = separators(99); }, {manyRecipients}},
          {"99 counted across the lists with their joins",
           [&](auto& s) {
             s.draft.ToText = Repeat(u";", 48);
             s.draft.CcText = Repeat(u",", 25);
             s.draft.BccText = Repeat(u",", 24);
           },
           {manyRecipients}},
      });
}

TEST(WarningRules, BodyLineLength) {
  const char* longLine = "[警告13] 本文に設定値以上に長い行があります";
  RunRule(
      TWarningRule::LineLength,
      {
          {"59 bytes", [](auto& s) { s.body = Repeat(u"a", 59) + u"\r\n"; }, {}},
          {"exactly 60 bytes", [](auto& s) { s.body = Repeat(u"a", 60) + u"\r\n"; }, {longLine}},
          {"30 full-width characters are 60 bytes",
           [](auto& s) { s.body = u"短い行\r\n" + Repeat(u"あ", 30); },
           {longLine}},
          {"29 full-width and one half-width katakana are 59 bytes",
           [](auto& s) { s.body = Repeat(u"あ", 29) + u"ｱ\n"; },
           {}},
          {"line ends LF and CR alone",
           [](auto& s) { s.body = Repeat(u"a", 40) + u"\n" + Repeat(u"b", 40) + u"\r"; },
           {}},
          {"LineLength set by hand",
           [](auto& s) {
             s.Option(keys::kLineLength, "10");
             s.body = u"0123456789\r\n";
           },
           {longLine}},
          {"LineLength set by hand, one byte short",
           [](auto& s) {
             s.Option(keys::kLineLength, "10");
             s.body = u"012345678\r\n";
           },
           {}},
          {"LineLength that is not a number counts 60",
           [](auto& s) {
             s.Option(keys::kLineLength, "wide");
             s.body = Repeat(u"a", 59);
           },
           {}},
      });
}

TEST(WarningRules, Attachments) {
  const std::string risky = "[警告08] 添付ファイルは警戒されやすい形式です ";
  RunRule(TWarningRule::AttachExtension,
          {
              {"no attachments", Nothing, {}},
              {"built-in extensions, capitals in the file name",
               [](auto& s) {
                 s.Attach("report.DOC", 10);
                 s.Attach("photo.jpg", 10);
                 s.Attach("setup.exe", 10);
               },
               {risky + "report.DOC", risky + "setup.exe"}},
              {"only the last extension counts", [](auto& s) { s.Attach("page.html.txt", 1); }, {}},
              {"hidden files and folders are not attachments",
               [](auto& s) {
                 s.Attach(".hidden.exe", 1);
                 s.Attach("folder.exe/inside.txt", 1);
               },
               {}},
              {"extensions added by hand, capitals never match",
               [](auto& s) {
                 s.Option(keys::kExtensionList, u".zip .LZH");
                 s.Attach("a.zip", 1);
                 s.Attach("b.lzh", 1);
               },
               {risky + "a.zip"}},
          });
  const char* large = "[警告10] 添付ファイルの合計サイズが大きいようです";
  RunRule(TWarningRule::AttachTotal,
          {
              {"one byte under 300 KiB", [](auto& s) { s.Attach("a.bin", 300 * 1024 - 1); }, {}},
              {"exactly 300 KiB", [](auto& s) { s.Attach("a.bin", 300 * 1024); }, {large}},
              {"exactly AttachTotalSize KiB over two files",
               [](auto& s) {
                 s.Option(keys::kAttachTotalSize, "2");
                 s.Attach("a.bin", 1024);
                 s.Attach("b.bin", 1024);
               },
               {large}},
              {"one byte short of AttachTotalSize KiB",
               [](auto& s) {
                 s.Option(keys::kAttachTotalSize, "2");
                 s.Attach("a.bin", 1024);
                 s.Attach("b.bin", 1023);
               },
               {}},
              {"a negative size counts as 300 KiB",
               [](auto& s) {
                 s.Option(keys::kAttachTotalSize, "-1");
                 s.Attach("a.bin", 1024);
               },
               {}},
              {"no attachments are never too large",
               [](auto& s) { s.Option(keys::kAttachTotalSize, "0"); },
               {}},
          });
  RunRule(TWarningRule::Attach,
          {
              {"no folder", Nothing, {}},
              {"empty folder",
               [](auto& s) { std::filesystem::create_directories(s.home / "AttachFiles"); },
               {}},
              {"a file",
               [](auto& s) { s.Attach("a.txt", 0); },
               {"[注意03] ファイルが添付されています"}},
          });
}

TEST(WarningRules, AccountSettings) {
  auto signature = [](auto& s) {
    s.settings.WriteAccountBlock(kAccount, "Signature", "--\r\nTaro");
  };
  RunRule(TWarningRule::Signature, {
                                       {"no account file", Nothing, {"[注意07] 署名がありません"}},
                                       {"signature", signature, {}},
                                   });
  RunRule(TWarningRule::XHeader,
          {
              {"none", Nothing, {}},
              {"one line",
               [](auto& s) { s.settings.WriteAccountBlock(kAccount, "XHeader", "X-Note=1"); },
               {"[注意06] 拡張ヘッダフィールドが設定されています"}},
          });
  RunRule(TWarningRule::SmtpAuth,
          {
              {"missing", Nothing, {}},
              {"-1",
               [](auto& s) { s.AccountValue(keys::kAuth, "-1"); },
               {"[情報02] SMTP認証を試みます"}},
              {"True",
               [](auto& s) { s.AccountValue(keys::kAuth, "true"); },
               {"[情報02] SMTP認証を試みます"}},
              {"False", [](auto& s) { s.AccountValue(keys::kAuth, "False"); }, {}},
              // A token is always presented, whatever Auth says.
              {"OAuth 2.0",
               [](auto& s) {
                 s.AccountValue(keys::kAuth, "0");
                 s.AccountValue(keys::kAuthMethod, "1");
               },
               {"[情報02] SMTP認証を試みます"}},
              {"password", [](auto& s) { s.AccountValue(keys::kAuthMethod, "0"); }, {}},
          });
  RunRule(TWarningRule::BeforeSmtp,
          {
              {"0", [](auto& s) { s.AccountValue(keys::kPopBeforeSmtp, "0"); }, {}},
              {"-1",
               [](auto& s) { s.AccountValue(keys::kPopBeforeSmtp, "-1"); },
               {"[情報03] Pop Before Smtp 認証を試みます"}},
          });
}

// The limit is the one the account's server last advertised; a message of
// about 2,000,000 octets is 1.9 MB.
TEST(WarningRules, SizeLimit) {
  auto large = [](ChecksScene& s, const char* limit) {
    s.body = Repeat(std::u16string(69, u'a') + u"\r\n", 28170);
    s.AccountValue(keys::kSizeLimit, limit);
  };
  const std::string over =
      "[警告17] メールがサーバーの受け付ける大きさを超えています 1.9 MB (上限 1.0 MB)";
  RunRule(TWarningRule::SizeLimit,
          {
              {"no limit known", [&](auto& s) { large(s, ""); }, {}},
              {"under the limit", [&](auto& s) { large(s, "2100000"); }, {}},
              {"over the limit", [&](auto& s) { large(s, "1048576"); }, {over}},
              {"a limit that is no number", [&](auto& s) { large(s, "25MB"); }, {}},
              {"a small message", [](auto& s) { s.AccountValue(keys::kSizeLimit, "1048576"); }, {}},
          });
  ChecksScene byDefault;
  large(byDefault, "1048576");
  EXPECT_EQ(U8(byDefault.Lines()), std::vector<std::string>{over});
}

TEST(WarningRules, AnAccountBooleanThatIsNoBooleanIsReportedOnlyWhenItsRuleIsOn) {
  ChecksScene scene;
  scene.AccountValue(keys::kAuth, "yes");
  scene.On(TWarningRule::Cc);
  EXPECT_TRUE(scene.Lines().empty());
  scene.On(TWarningRule::SmtpAuth);
  EXPECT_THROW(scene.Lines(), ConvertError);
}

TEST(WarningRules, EveryRuleOnKeepsTheOrderOfTheRules) {
  ChecksScene scene;
  for (const TWarningRuleInfo& info : kWarningRules) scene.On(info.rule);
  scene.draft.ToText = u"x";
  scene.draft.CcText = u"c@docomo.ne.jp";
  scene.draft.NormalPriority = false;
  scene.body = u"①を添付します";
  scene.AccountValue(keys::kAuth, "-1");
  EXPECT_EQ(U8(scene.Lines()),
            (std::vector<std::string>{
                "[警告09] メールアドレスとしては無効と思われます x",
                "[注意01] Ccアドレスが指定されています",
                "[注意07] 署名がありません",
                "[注意09] 携帯アドレスです c@docomo.ne.jp",
                "[注意10] 優先度が設定されています ",
                "[情報01] アカウント: home",
                "[情報02] SMTP認証を試みます",
                "[注意11] 本文に添付の記述がありますが、ファイルが添付されていません",
                "[注意12] 機種依存文字が含まれています ① → (1)",
            }));
}

TEST(WarningRules, SwitchesAreNumbersAndOffByDefault) {
  struct Row {
    const char* value;
    bool on;
  } rows[] = {{"1", true}, {"-1", true}, {"$10", true}, {"0", false}, {"on", false}, {"", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    ChecksScene scene;
    scene.draft.CcText = u"c@example.jp";
    scene.settings.WriteGeneralString("Warning", "CC", row.value);
    EXPECT_EQ(scene.Lines().size(), row.on ? 1u : 0u);
  }
}

}  // namespace
}  // namespace orvane::test
