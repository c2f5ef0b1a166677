#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "extras/MacroUnit.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

constexpr const char* kAccount = "work";

// An account "work" whose signature and template date formats differ, and
// a clock at 12:34:56 on Sunday 5 January 2003 in Japan.
class MacroUnitTest : public ::testing::Test {
 protected:
  MacroUnitTest() : settings_(folder_.Path()), clock_(JapanNoon()) {
    SetAccount("Account", "Name", u"山田 太郎");
    SetAccount("Account", "Address", u"taro@example.jp");
    SetAccount("Signature", "DateTime1", u"ggge年m月d日");
    SetAccount("Signature", "DateTime2", u"yyyy/mm/dd");
    SetAccount("Template", "DateTime1", u"yyyy");
    SetAccount("Template", "DateTime2", u"hh:nn");
  }

  void SetAccount(const char* section, const char* key, std::u16string_view value) {
    settings_.WriteAccountValue(kAccount, section, key, WideToSjis(value));
  }

  std::string Expand(std::u16string_view text, TMacroMode mode,
                     const TAnsweredMessage* answered = nullptr, const char* account = kAccount) {
    return WideToUtf8(ExpandMacros(settings_, clock_, account, WideString(text), mode, answered));
  }

  struct Row {
    TMacroMode mode;
    std::u16string_view text;
    std::u16string_view expected;
  };
  void ExpectRows(const std::vector<Row>& rows, const TAnsweredMessage* answered = nullptr) {
    for (const Row& row : rows)
      EXPECT_EQ(Expand(row.text, row.mode, answered), WideToUtf8(row.expected))
          << "mode " << row.mode << ": " << WideToUtf8(row.text);
  }

  ScopedTimeZone zone_{"Asia/Tokyo"};
  TempFolder folder_;
  IniFileUnit settings_;
  FixedClock clock_;
};

TEST_F(MacroUnitTest, EachMacroOfASignature) {
  ExpectRows({
      {mmSignature, u"%datetime1%", u"平成15年1月5日"},
      {mmSignature, u"%datetime2%", u"2003/01/05"},
      {mmSignature, u"%datetime3%", u"2003/01/05 12:34:56"},  // no format: "C"
      {mmSignature, u"%name%", u"山田 太郎"},
      {mmSignature, u"%address%", u"taro@example.jp"},
      {mmSignature, u"%date%", u"元メールの送信時間"},
      {mmSignature, u"%subject%", u"元メールの件名"},
      {mmSignature, u"%messageid%", u"元メールのMessageId"},
      {mmSignature, u"%fname%", u"元メールの送信者"},
      {mmSignature, u"%faddress%", u"元メールのアドレス"},
      {mmSignature, u"-- \r\n%name% <%address%>\r\n%datetime1%\r\n",
       u"-- \r\n山田 太郎 <taro@example.jp>\r\n平成15年1月5日\r\n"},
  });
}

TEST_F(MacroUnitTest, MacrosAreFoundWithoutRegardToCase) {
  ExpectRows({
      {mmSignature, u"%NAME%", u"山田 太郎"},
      {mmSignature, u"%Name% %nAmE%", u"山田 太郎 山田 太郎"},
      {mmSignature, u"%DateTime1%", u"平成15年1月5日"},
      {mmSignature, u"%SUBJECT%", u"元メールの件名"},
      {mmTemplate, u"%FAddress%", u"元メールのアドレス"},
  });
}

TEST_F(MacroUnitTest, TextThatOnlyResemblesAMacroStays) {
  ExpectRows({
      {mmSignature, u"%nam% %names% % name% 100% %", u"%nam% %names% % name% 100% %"},
      {mmSignature, u"%%name%%", u"%山田 太郎%"},
      {mmSignature, u"%datetime4% %datetime%", u"%datetime4% %datetime%"},
      {mmSignature, u"％name％", u"％name％"},  // full-width percent signs
  });
}

TEST_F(MacroUnitTest, TheModeChoosesTheDateFormatsAndTheMessageFields) {
  TAnsweredMessage answered;
  answered.date = FromUtcDateTime(2024, 6, 1, 1, 2, 3);
  answered.subject = u"見積の件";
  answered.messageId = "<20240601.abc@example.jp>";
  answered.senderName = u"鈴木 一郎";
  answered.senderAddress = u"ichiro@example.com";
  const std::u16string_view reply =
      u"%date% %subject% %messageid% %fname% %faddress% %datetime1% %datetime2%";
  ExpectRows(
      {
          {mmSignature, reply,
           u"元メールの送信時間 元メールの件名 元メールのMessageId 元メールの送信者 "
           u"元メールのアドレス 平成15年1月5日 2003/01/05"},
          {mmTemplate, reply,
           u"元メールの送信時間 元メールの件名 元メールのMessageId 元メールの送信者 "
           u"元メールのアドレス 2003 12:34"},
          {mmReply, reply,
           u"Sat, 1 Jun 2024 10:02:03 +0900 見積の件 <20240601.abc@example.jp> 鈴木 一郎 "
           u"ichiro@example.com 2003 12:34"},
      },
      &answered);
  // Without a message to answer the reply macros show what they stand for.
  EXPECT_EQ(Expand(u"%subject%", mmReply), "元メールの件名");
}

TEST_F(MacroUnitTest, AMissingDateOfTheAnsweredMessageIsNow) {
  TAnsweredMessage answered;
  answered.subject = u"Re: x";
  EXPECT_EQ(Expand(u"%date%|%fname%|%faddress%", mmReply, &answered),
            "Sun, 5 Jan 2003 12:34:56 +0900||");
}

TEST_F(MacroUnitTest, LaterMacrosApplyToTheValuesOfEarlierOnes) {
  // In table order: %datetime1%, %datetime2%, %datetime3%, %name%,
  // %address%, %date%, %subject%, %messageid%, %fname%, %faddress%.
  SetAccount("Account", "Name", u"%address% / %datetime1%");
  SetAccount("Signature", "DateTime2", u"'%name%' yyyy");
  EXPECT_EQ(Expand(u"%name%", mmSignature), "taro@example.jp / %datetime1%");
  EXPECT_EQ(Expand(u"%datetime2%", mmSignature), "taro@example.jp / %datetime1% 2003");

  TAnsweredMessage answered;
  answered.subject = u"about %FNAME% and %name%";
  answered.senderName = u"鈴木";
  EXPECT_EQ(Expand(u"%subject%", mmReply, &answered), "about 鈴木 and %name%");
}

TEST_F(MacroUnitTest, BothPlacesOfOneMacroShowTheSameMoment) {
  SetAccount("Signature", "DateTime1", u"hh:nn:ss.zzz");
  clock_.Set(JapanNoon() + std::chrono::milliseconds(999));
  EXPECT_EQ(Expand(u"%datetime1% = %DATETIME1%", mmSignature), "12:34:56.999 = 12:34:56.999");
}

TEST_F(MacroUnitTest, SettingsAreReadAtEveryExpansion) {
  EXPECT_EQ(Expand(u"%datetime1%", mmSignature), "平成15年1月5日");
  SetAccount("Signature", "DateTime1", u"ee");
  EXPECT_EQ(Expand(u"%datetime1%", mmSignature), "15");
  SetAccount("Account", "Name", u"");
  EXPECT_EQ(Expand(u"[%name%]", mmSignature), "[]");
}

TEST_F(MacroUnitTest, AMissingAccountGivesEmptyValues) {
  EXPECT_EQ(Expand(u"%name% <%address%> %datetime1%", mmSignature, nullptr, "nobody"),
            " <> 2003/01/05 12:34:56");
}

TEST_F(MacroUnitTest, TextOutsideShiftJisStaysAsTyped) {
  EXPECT_EQ(Expand(u"😀 %name% ① 𠮷", mmSignature), "😀 山田 太郎 ① 𠮷");
}

}  // namespace
}  // namespace orvane::test
