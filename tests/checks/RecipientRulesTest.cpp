// The rules about outside recipients: who is internal, look-alike domains
// ([警告15]) and the Bcc leak ([警告16]).

#include <memory>

#include "ChecksScene.h"
#include "checks/ConfirmSettings.h"
#include "support/ListedHistory.h"

namespace orvane::test {
namespace {

TEST(RecipientRules, InternalOrOutside) {
  struct Row {
    const char* domains;  // Confirm/InternalDomains as stored
    const char* subDomains;
    std::u16string address;
    bool internal;
  } rows[] = {
      {"example.co.jp", "1", u"taro@example.co.jp", true},
      {"example.co.jp", "1", u"Taro@EXAMPLE.Co.JP", true},
      {"@Example.co.jp, example.com", "1", u"a@example.com", true},
      {"example.co.jp", "1", u"a@sales.example.co.jp", true},
      {"example.co.jp", "0", u"a@sales.example.co.jp", false},
      {"example.co.jp", "1", u"a@badexample.co.jp", false},
      {"example.co.jp", "1", u"a@example.co.jp.", true},
      {"example.co.jp.", "1", u"a@example.co.jp", true},
      {"example.co.jp", "1", u"a@ｅｘａｍｐｌｅ．ｃｏ．ｊｐ", true},
      {"xn--r8jz45g.jp", "1", u"a@例え.jp", true},
      {"", "1", u"a@XN--R8JZ45G.jp", true},  // the account's address is at 例え.jp
      {"xn--r8jz45g.jp", "1", u"a@xn--r8jz45h.jp", false},
      {"example.co.jp", "1", u"\"a@example.co.jp\"@evil.example.com", false},
      {"example.co.jp", "1", u"\"yamada taro\"@example.co.jp", true},
      {"example.co.jp", "1", u"\"a\\\"@b\"@example.co.jp", true},
      {"example.co.jp", "1", u"nobody", false},
      {"", "1", u"a@example.co.jp", false},  // the account's own domain only
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(WideToUtf8(row.address) + " / " + row.domains);
    ChecksScene scene;
    scene.AccountValue(keys::kAddress, WideToSjis(u"taro@例え.jp").c_str());
    scene.Option(keys::kConfirmInternalDomains, Utf8ToWide(row.domains));
    scene.settings.WriteGeneralString("Confirm", "SubDomains", row.subDomains);
    EXPECT_EQ(ReadConfirmSettings(scene.settings, kAccount).internal.Contains(row.address),
              row.internal);
  }
}

// The rule's lines for one recipient, with example.co.jp internal and the
// address book holding a contact at orvane-shoji.jp.
TEST(RecipientRules, LookAlikeDomains) {
  const char* line = "[警告15] よく似た別のドメインです ";
  struct Row {
    std::u16string address;
    bool fires;
  } rows[] = {
      {u"a@examp1e.co.jp", true},          // 1 for l
      {u"a@exmaple.co.jp", true},          // a swapped pair
      {u"a@example.jp", true},             // another public suffix
      {u"a@example.com", true},            //
      {u"a@exarnple.co.jp", true},         // rn for m
      {u"a@exampl.co.jp", true},           // a dropped letter
      {u"a@exanple.co.jq", true},          // two edits, same first letter
      {u"a@orvane-shoj1.jp", true},        // like the address book's domain
      {u"a@orvane-shoji.com", true},       //
      {u"a@example.co.jp", false},         // internal
      {u"a@orvane-shoji.jp", false},       // in the address book
      {u"a@sample.co.jp", false},          // another word from its first letter
      {u"a@mail.orvane-shoji.jp", false},  // a subdomain is no look-alike
      {u"a@unrelated.org", false},
      {u"a@ab.jp", false},  // too short a name to resemble ac.jp
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(WideToUtf8(row.address));
    ChecksScene scene;
    scene.On(TWarningRule::LookAlike);
    scene.Option(keys::kConfirmInternalDomains, u"example.co.jp, ac.jp");
    scene.draft.Recipients = {{TRecipientKind::Cc, u"", row.address}};
    scene.draft.History = std::make_shared<ListedHistory>(
        std::vector<WideString>{u"suzuki@orvane-shoji.jp"}, std::vector<WideString>{});
    const std::vector<std::string> expected = {line + WideToUtf8(row.address)};
    EXPECT_EQ(U8(scene.Lines()), row.fires ? expected : std::vector<std::string>{});
  }
}

TEST(RecipientRules, BccLeak) {
  const std::vector<std::string> fires = {
      "[警告16] 社外の複数の宛先が To/Cc に入っています (Bcc にすべきかもしれません)"};
  using K = TRecipientKind;
  const TRecipient a = {K::To, u"", u"a@one.jp"}, b = {K::To, u"", u"b@two.jp"},
                   ccB = {K::Cc, u"", u"b@two.jp"}, ccC = {K::Cc, u"", u"c@two.jp"};
  struct Row {
    const char* name;
    std::vector<TRecipient> recipients;
    const char* limit;
    bool fires;
  } rows[] = {
      {"two outside domains in To", {a, b}, "2", true},
      {"To and Cc together", {a, ccB}, "2", true},
      {"one domain", {a, {K::Cc, u"", u"b@one.jp"}}, "2", false},
      {"the same address twice counts once", {a, {K::Cc, u"", u"A@ONE.JP"}, b}, "3", false},
      {"Bcc already used", {a, {K::Bcc, u"", u"b@two.jp"}}, "2", false},
      {"internal ones do not count", {a, {K::Cc, u"", u"b@example.co.jp"}}, "2", false},
      {"below the limit", {a, b, ccC}, "4", false},
      {"at the limit", {a, b, ccC}, "3", true},
      {"a limit that is no number is 2", {a, b}, "x", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ChecksScene scene;
    scene.On(TWarningRule::BccLeak);
    scene.Option(keys::kConfirmInternalDomains, u"example.co.jp");
    scene.Option(keys::kConfirmBccLeakLimit, row.limit);
    scene.draft.Recipients = row.recipients;
    EXPECT_EQ(U8(scene.Lines()), row.fires ? fires : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace orvane::test
