#include "tools/send/Ending.h"

#include <algorithm>

#include "app/OutboxQueue.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "transport/ReplyExplanation.h"

namespace orvane {
namespace {

using enum SendStage;

WideString WithDetail(const WideString& line, const WideString& detail) {
  return detail.empty() ? line : line + u": " + OneLine(detail);
}

// A server's reply is quoted in the English line as it came; our own
// reasons are Japanese and are said there in other words.
std::string EnglishDetail(const std::string& what, const SendOutcome& outcome) {
  if (outcome.serverReply.empty()) return what;
  return what + " (the server replied: " + WideToUtf8(OneLine(outcome.serverReply)) + ")";
}

std::string DeliveryEnglish(const SendOutcome& outcome) {
  const std::string label = WideToUtf8(StageLabel(*outcome.smtpError));
  switch (*outcome.smtpError) {
    case seConnect:
      return "sending failed " + label + ": no connection to the server, or it broke off";
    case seAuth:
      return "sending failed " + label + ": the server did not accept the sign-in";
    case seEhlo:
    case seHelo:
      return "sending failed " + label + ": the server refused the greeting";
    case seFrom:
      return "sending failed " + label + ": the server refused the sender";
    case seRcpt:
      return "sending failed " + label + ": the server accepted none of the recipients";
    case seData:
      return "sending failed " + label + ": the server did not take the message";
    case seTimeOut:
      return "sending failed " + label + ": the server did not answer in time";
    case seTls:
      return "sending failed " + label + ": no secure connection (TLS) could be set up";
    case seSize:
      return "sending failed " + label + ": the message is larger than the server accepts";
  }
  return "sending failed";
}

int DeliveryStatus(const SendOutcome& outcome) {
  if (IsTemporaryFailure(outcome)) return EX_TEMPFAIL;
  return outcome.smtpError == seAuth ? EX_NOPERM : EX_UNAVAILABLE;
}

// Each refused recipient and the server's reply, in English words.
std::string RefusedEnglish(const SendOutcome& outcome) {
  std::string text = "the server refused ";
  for (size_t i = 0; i < outcome.refused.size(); ++i) {
    const RefusedRecipient& refused = outcome.refused[i];
    text += (i > 0 ? ", " : "") + WideToUtf8(refused.address);
    if (!refused.reply.empty()) text += " (" + WideToUtf8(OneLine(refused.reply)) + ")";
  }
  return text;
}

Ending DeliveryEnding(const SendOutcome& outcome) {
  const WideString line = DeliveryEndText(outcome);
  if (!outcome.smtpError) return {EX_TEMPFAIL, WithDetail(line, outcome.reason), "sending failed"};
  if (outcome.smtpError == seRcpt && !outcome.refused.empty())
    return {DeliveryStatus(outcome), line + u": " + RefusedRecipientsText(outcome.refused),
            "sending failed (Rcpt), nothing was sent: " + RefusedEnglish(outcome)};
  return {DeliveryStatus(outcome),
          WithDetail(line,
                     outcome.reason.empty() ? ExplainedReply(outcome.serverReply) : outcome.reason),
          EnglishDetail(DeliveryEnglish(outcome), outcome)};
}

// A delivery that reached some recipients and, as asked, not the others.
Ending PartialEnding(const SendOutcome& outcome) {
  return {EX_OK, u"送信しました。" + RefusedRecipientsText(outcome.refused),
          "sent, but " + RefusedEnglish(outcome)};
}

Ending PopEnding(const SendOutcome& outcome) {
  const WideString line = WithDetail(u"POP 認証に失敗しました", outcome.reason);
  switch (outcome.popError.value_or(peConnect)) {
    case peAuth:
      return {EX_NOPERM, line, "POP before SMTP: the POP3 server refused the login"};
    case peTls:
      return {EX_UNAVAILABLE, line, "POP before SMTP: no secure connection (TLS) could be set up"};
    default:
      return {EX_TEMPFAIL, line, "POP before SMTP: no connection to the POP3 server, or no answer"};
  }
}

Ending SignInEnding(const SendOutcome& outcome, const AnsiString& account) {
  const WideString line = WithDetail(DeliveryEndText(outcome), outcome.reason);
  const std::string name = WideToUtf8(SjisToWide(account));
  switch (outcome.signIn) {
    case SignInFailure::NoGrant:
      return {
          EX_NOPERM,
          line + u"。サインインは orvane-send --sign-in " + SjisToWide(account) + u" でもできます",
          "the account is not signed in, or its sign-in has expired: sign in from the account "
          "dialog or with orvane-send --sign-in " +
              name};
    case SignInFailure::Unreachable:
      return {EX_TEMPFAIL, line,
              "the token endpoint could not be reached, or failed: try again later"};
    case SignInFailure::Settings:
      return {EX_CONFIG, line, "the account's OAuth 2.0 settings are incomplete"};
    default:
      return {EX_NOPERM, line, "the token endpoint refused to give an access token"};
  }
}

// Queued: the outbox has taken responsibility for the message, as sendmail
// has when it queues one.
Ending QueuedEnding(const SendOutcome& outcome, const AnsiString& account) {
  if (outcome.stage == Queued) return {EX_OK, u"送信待ちに入れました", "queued in the outbox"};
  SendOutcome failed = outcome;
  failed.queued.reset();
  const Ending ending = EndingOf(failed, account);
  const WideString next = MomentText(*outcome.queued, std::chrono::system_clock::now());
  return {EX_OK, ending.japanese + u"。送信待ちに入れました (次の送信: " + next + u")",
          ending.english + "; queued in the outbox, next attempt " + WideToUtf8(next)};
}

}  // namespace

Ending EndingOf(const SendOutcome& outcome, const AnsiString& account) {
  if (outcome.queued) return QueuedEnding(outcome, account);
  switch (outcome.stage) {
    case Compose:
      return {EX_CONFIG, outcome.reason,
              "the message could not be composed: a setting is not valid"};
    case MessageFile:
      return {EX_CONFIG, outcome.reason, "the message file (Option/FileSave) could not be written"};
    case Checks:
      if (outcome.blocked)
        return {EX_DATAERR, outcome.reason, "not sent: a rule of section Block forbids it"};
      if (!outcome.reason.empty())
        return {EX_CONFIG, outcome.reason, "the pre-send checks could not read their settings"};
      return {EX_DATAERR, u"[警告] があるため送信しませんでした (--strict)",
              "not sent: a warning came up and --strict is given"};
    case Confirm:
      return {EX_DATAERR, u"送信しませんでした", "not sent: not confirmed"};
    case Cancelled:
      return {EX_DATAERR, u"送信を取り消しました", "not sent: taken back during the send delay"};
    case Setup:
      return {EX_CONFIG, outcome.reason,
              "the account's server settings are not valid, or its password could not be read"};
    case PopLogin:
      return PopEnding(outcome);
    case SignIn:
      return SignInEnding(outcome, account);
    case Queued:  // the outbox could not take it (reason)
      return {EX_CANTCREAT, outcome.reason, "the message could not be put into the outbox"};
    case Delivery:
      if (outcome.success) return outcome.refused.empty() ? Ending{} : PartialEnding(outcome);
      return DeliveryEnding(outcome);
    case SentLog:
      if (outcome.success)
        return {EX_OK, u"送信しましたが、送信ログに記録できませんでした: " + outcome.reason,
                "sent, but the sent log could not be written"};
      return DeliveryEnding(outcome);
  }
  return {EX_SOFTWARE, outcome.reason, "sending ended unexpectedly"};
}

}  // namespace orvane
