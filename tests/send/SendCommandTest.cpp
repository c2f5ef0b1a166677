#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tools/send/Ending.h"
#include "tools/send/SendCommand.h"

namespace orvane::test {
namespace {

Arguments Args(std::initializer_list<const char*> args) {
  Arguments arguments{u"orvane-send"};
  for (const char* arg : args) arguments.push_back(Utf8ToWide(arg));
  return arguments;
}

// What a command line asks for: the mode, the draft's keys or sendmail's
// switches, and the usage errors (64) with their line.
TEST(SendCommand, ReadsEitherTheWindowsKeysOrSendmailsSwitches) {
  struct Row {
    std::initializer_list<const char*> args;
    SendMode mode;
    std::string summary;  // see Summary; for a refusal the Japanese line
  };
  auto summary = [](const SendCommand& c) {
    const MessageDraft& d = c.draft;
    std::string s = c.account + "|" + WideToUtf8(d.ToText) + "|" + WideToUtf8(d.CcText) + "|" +
                    WideToUtf8(d.BccText) + "|" + WideToUtf8(d.Subject) + "|" +
                    d.BodyFileName.native() + "|" + WideToUtf8(d.ReplyToText) + "|" +
                    WideToUtf8(d.InReplyToText) + "|";
    for (const auto& file : c.attachments) s += file.native() + ",";
    s += "|" + std::string(c.ready.recipientsFromHeader ? "t" : "") + (c.dotEndsInput ? "" : "i") +
         "|" + c.ready.envelopeFrom + "|" + WideToUtf8(c.ready.fromName) + "|";
    for (const AnsiString& r : c.ready.recipients) s += r + ",";
    s += std::string("|") + (c.strict ? "strict " : "") + (c.noChecks ? "nochecks " : "") +
         (c.verbose ? "verbose " : "") + (c.noLog ? "nolog " : "") + (c.partial ? "partial " : "") +
         (c.english ? (*c.english ? "en" : "ja") : "");
    if (!c.dsn.Empty()) s += " dsn " + c.dsn.notify + "/" + c.dsn.ret + "/" + c.dsn.envid;
    return s;
  };
  using enum SendMode;
  const Row rows[] = {
      {{"account=taro", "mailto=a@example.jp", "cc:b@example.jp", "bcc=c@example.jp",
        "subject=日本語の件名", "file=/tmp/body.txt", "attach=/tmp/a.pdf", "ATTACH=/tmp/b.zip",
        "replyto=r@example.jp", "inreplyto=<1@x>"},
       Draft,
       "taro|a@example.jp|b@example.jp|c@example.jp|日本語の件名|/tmp/body.txt|r@example.jp|<1@x>|"
       "/tmp/a.pdf,/tmp/b.zip,|||||"},
      {{"mailto=\"花子 <h@example.jp>\"", "--strict", "--no-log", "--lang=en"},
       Draft,
       "|花子 <h@example.jp>||||||||||||strict nolog en"},
      {{"-t", "-oi", "-f", "bounce@example.jp", "-FRobot", "--account", "work", "x@example.jp",
        "-oem", "--verbose", "--no-checks"},
       Sendmail,
       "work|||||||||ti|bounce@example.jp|Robot|x@example.jp,|nochecks verbose "},
      {{"-i", "--lang", "ja", "y@example.jp", "z@example.jp"},
       Sendmail,
       "|||||||||i|||y@example.jp,z@example.jp,|ja"},
      {{"-oem", "-oi", "-r", "b@example.jp", "--", "-odd@example.jp", "--no-log"},
       Sendmail,
       "|||||||||i|b@example.jp||-odd@example.jp,--no-log,|"},
      {{"mailto:a@example.jp", "MAILTO:b@example.jp"}, Draft, "mailto: のリンクは一つだけ"},
      {{"mailto:a@example.jp", "-t"}, Draft, "下書きのキー (mailto= など) と sendmail の指定"},
      {{"-t", "mailto=a@example.jp"}, Draft, "下書きのキー (mailto= など) と sendmail の指定"},
      {{"-t", "-h"}, Draft, "-h の後に値がありません"},
      {{"-bs"}, Draft, "デーモンモード (-bs、-bd) には対応していません"},
      {{"-t", "-f"}, Draft, "-f の後に値がありません"},
      {{"-bv"}, Draft, "知らない指定です: -bv"},
      {{"-t", "-N", "Success,delay", "-Rhdrs", "-V", "batch 7"},
       Sendmail,
       "|||||||||t|||| dsn SUCCESS,DELAY/HDRS/batch 7"},
      {{"-t", "-N", "never,success"}, Draft, "-N は never か success,failure,delay の組み合わせです"},
      {{"-t", "-Rall"}, Draft, "-R は full か hdrs です: all"},
      {{"-t", "-V", "番号"}, Draft, "-V は 100 文字までの ASCII の文字列です"},
      {{"--lang=fr"}, Draft, "--lang は en か ja です"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.summary);
    try {
      const SendCommand command = ParseSendCommand(Args(row.args));
      EXPECT_EQ(command.mode, row.mode);
      EXPECT_EQ(summary(command), row.summary);
    } catch (const EndingError& e) {
      EXPECT_EQ(e.Get().status, EX_USAGE);
      EXPECT_TRUE(WideToUtf8(e.Get().japanese).starts_with(row.summary))
          << WideToUtf8(e.Get().japanese);
      EXPECT_FALSE(e.Get().english.empty());
    }
  }
}

// The one mapping from a send's outcome to the exit status and its line.
TEST(SendEnding, EachOutcomeHasItsExitStatusAndLine) {
  using enum SendStage;
  using enum ReplyClass;
  struct Row {
    SendOutcome outcome;
    int status;
    std::string japanese;  // the line's beginning
  };
  auto outcome = [](SendStage stage, bool success, std::optional<TSmtpErrorEventType> smtp = {},
                    std::optional<TPopErrorEventType> pop = {},
                    SignInFailure signIn = SignInFailure::None, ReplyClass reply = None,
                    const char* serverReply = "", const char* reason = "") {
    return SendOutcome{
        stage, success, smtp, pop, signIn, reply, Utf8ToWide(serverReply), Utf8ToWide(reason), {}, {}};
  };
  auto failed = [&](TSmtpErrorEventType error, ReplyClass reply, const char* serverReply,
                    const char* reason = "") {
    return outcome(Delivery, false, error, {}, SignInFailure::None, reply, serverReply, reason);
  };
  auto signIn = [&](SignInFailure failure) {
    return outcome(SignIn, false, seAuth, {}, failure, None, "", "理由");
  };
  const Row rows[] = {
      {outcome(Delivery, true, {}, {}, SignInFailure::None, Positive), EX_OK, ""},
      {outcome(Checks, false), EX_DATAERR, "[警告] があるため送信しませんでした"},
      {outcome(Compose, false, {}, {}, SignInFailure::None, None, "", "壊れた設定"), EX_CONFIG,
       "壊れた設定"},
      {outcome(Setup, false, {}, {}, SignInFailure::None, None, "", "ポート"), EX_CONFIG, "ポート"},
      {failed(seRcpt, PermanentNegative, "550 5.1.1 no such user"), EX_UNAVAILABLE,
       "送信に失敗しました (Rcpt): "
       "【宛先のメールアドレスがありません。アドレスを確かめてください】 "
       "550 5.1.1 no such user"},
      {failed(seData, TransientNegative, "451 4.3.0 try later"), EX_TEMPFAIL,
       "送信に失敗しました (Data): 【相手のメールシステムが一時的に受け取れません】 451 4.3.0 try "
       "later"},
      {failed(seAuth, PermanentNegative, "535 5.7.8 bad credentials"), EX_NOPERM,
       "送信に失敗しました (Auth): 【認証が通りません。ユーザー名とパスワードを確かめてください】 "
       "535"},
      {failed(seConnect, None, "", "接続が拒否されました"), EX_TEMPFAIL,
       "送信に失敗しました (Connect): 接続が拒否されました"},
      {failed(seTimeOut, None, ""), EX_TEMPFAIL, "送信に失敗しました (TimeOut)"},
      {failed(seTls, None, "", "証明書の期限切れ"), EX_UNAVAILABLE, "送信に失敗しました (TLS)"},
      {failed(seSize, None, "",
              "メールの大きさ (31.2 MB) がサーバーの上限 (25.0 MB) を超えています"),
       EX_UNAVAILABLE, "送信に失敗しました (Size): メールの大きさ (31.2 MB)"},
      {outcome(PopLogin, false, {}, peAuth, SignInFailure::None, None, "", "-ERR"), EX_NOPERM,
       "POP 認証に失敗しました: -ERR"},
      {outcome(PopLogin, false, {}, peConnect), EX_TEMPFAIL, "POP 認証に失敗しました"},
      {signIn(SignInFailure::NoGrant), EX_NOPERM,
       "送信に失敗しました (Auth): 理由。サインインは orvane-send --sign-in work でもできます"},
      {signIn(SignInFailure::Unreachable), EX_TEMPFAIL, "送信に失敗しました (Auth): 理由"},
      {signIn(SignInFailure::Settings), EX_CONFIG, "送信に失敗しました (Auth): 理由"},
      {outcome(SentLog, true, {}, {}, SignInFailure::None, Positive, "", "満杯"), EX_OK,
       "送信しましたが、送信ログに記録できませんでした: 満杯"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.japanese);
    const Ending ending = EndingOf(row.outcome, "work");
    EXPECT_EQ(ending.status, row.status);
    EXPECT_TRUE(WideToUtf8(ending.japanese).starts_with(row.japanese))
        << WideToUtf8(ending.japanese);
    EXPECT_EQ(ending.english.empty(), row.japanese.empty());
  }
}

}  // namespace
}  // namespace orvane::test
