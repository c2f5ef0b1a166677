#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Types.h"
#include "transport/ZelPop3.h"
#include "transport/ZelSmtp.h"

namespace orvane {

// Where a send ended. The stages before Setup contact no server.
enum class SendStage {
  Compose,      // the draft did not become a message: a setting that is no number, a body
                // file that cannot be read
  MessageFile,  // the message file (Option/FileSave) could not be written
  Checks,       // the pre-send checks: the user stopped, or they failed (reason)
  Confirm,      // the user did not confirm the send
  Cancelled,    // 取消 during the send delay: the attempt is in the sent log, no server was
                // contacted
  Setup,        // the account's server settings could not be applied: nothing was contacted
  PopLogin,     // the POP3 login before SMTP failed; the SMTP server was not contacted
  SignIn,       // no OAuth 2.0 access token; the SMTP server was not contacted
  Delivery,     // the SMTP dialogue ended: well (success) or not (smtpError, reply, reason)
  Queued,       // put into the outbox for later (後で送信, orvane-send -odq): nothing contacted
  SentLog,      // the attempt ended as success says, but could not be recorded (reason)
};

// An SMTP reply's class, by its first digit (RFC 5321 section 4.2.1).
enum class ReplyClass {
  None,               // no reply, or not one of the four classes
  Positive,           // 2yz
  Intermediate,       // 3yz
  TransientNegative,  // 4yz: the same request may succeed later
  PermanentNegative,  // 5yz
};

// Why a sign-in with OAuth 2.0 ended the send (stage SignIn).
enum class SignInFailure {
  None,
  Settings,     // the account's provider settings are incomplete
  NoGrant,      // never signed in, or the grant expired or was revoked: sign in again
  Unreachable,  // the token endpoint could not be asked, or failed itself (5xx): try later
  Refused,      // the endpoint refused otherwise, or answered what is no token
};

// A recipient the server refused, with its reply as the log shows it
// (empty when the address could not be written as a command).
struct RefusedRecipient {
  WideString address;
  WideString reply;
};

// How a send ended: what the send window shows at its end and what a
// sender without a window turns into its exit status.
struct SendOutcome {
  SendStage stage = SendStage::Compose;
  bool success = false;  // the server took the message
  // The step of the delivery that the client last reported failed ("(Rcpt)"
  // and the like); a sign-in without a token counts as seAuth. A refused
  // EHLO may still be followed by a delivery through HELO.
  std::optional<TSmtpErrorEventType> smtpError;
  // The step of the POP3 login before SMTP that failed (stage PopLogin).
  std::optional<TPopErrorEventType> popError;
  SignInFailure signIn = SignInFailure::None;
  // The class of the last reply the server gave before that report; for a
  // delivery that succeeded, Positive.
  ReplyClass reply = ReplyClass::None;
  // That reply as the log shows it; empty when there was none.
  WideString serverReply;
  // Why, in our own words, where the server's reply does not say it: an
  // error's message, the client's local reason (host not found, time-out).
  // Empty when the user stopped.
  WideString reason;
  // The recipients the server refused, whether or not the others got it.
  std::vector<RefusedRecipient> refused;
  // The message file written on the way (Option/FileSave, ファイル作成).
  std::optional<std::filesystem::path> messageFile;
  // The message waits in the outbox: when it is tried next.
  std::optional<TimePoint> queued = std::nullopt;
  // Notifications were asked for and the server does not take DSN.
  bool dsnUnsupported = false;
  // A rule of section Block stopped the send at the checks; reason says
  // which.
  bool blocked = false;
};

// Whether the same message may well go through later, unchanged: a reply
// 4yz, no connection, a time-out, a POP3 server or a token endpoint out of
// reach. What a person must mend (a refusal 5yz, the sign-in, TLS, the
// size) is not.
bool IsTemporaryFailure(const SendOutcome& outcome);

// Whether the send went as far as the server or its sign-in, so that its
// success is the last delivery's, which a pre-send rule reads.
bool DeliveryEnded(const SendOutcome& outcome);

ReplyClass ReplyClassOf(std::string_view reply);

// The stage label of an SMTP error kind: "(Connect)" to "(TimeOut)" for the
// kinds 0 to 7, "(TLS)" for 8, "(Size)" for 9, empty for any other.
WideString StageLabel(int error);

// "次の宛先には送れませんでした: " and each address with its reply.
WideString RefusedRecipientsText(const std::vector<RefusedRecipient>& refused);

// The refusal a retry can least mend: the first permanent one (5yz), else
// the first. `refused` is not empty.
const RefusedRecipient& WorstRefusal(const std::vector<RefusedRecipient>& refused);

// The status line of a delivery that ended: "送信が無事に終了しました", or
// "送信に失敗しました " followed by the stage label of smtpError.
WideString DeliveryEndText(const SendOutcome& outcome);

}  // namespace orvane
