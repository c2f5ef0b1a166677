#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/SendOutcome.h"
#include "app/SentLog.h"
#include "oauth/AccessTokens.h"
#include "outbox/Outbox.h"
#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "transport/ZelPop3.h"
#include "transport/ZelSmtp.h"

namespace orvane {

// Makes the clients of one send attempt. Their workers linger three
// seconds after the dialogue before they close, as the components do;
// tests and benchmarks, which wait for every worker, give a shorter pause.
class SendClients {
 public:
  SendClients() = default;
  explicit SendClients(int closingPauseMs) : closingPauseMs_(closingPauseMs) {}
  std::unique_ptr<TZelSmtp> MakeSmtp(MainThread& mainThread) const;
  std::unique_ptr<TZelPop3> MakePop(MainThread& mainThread) const;

 private:
  std::optional<int> closingPauseMs_;
};

// What one send attempt works with.
struct SendServices {
  IniFileUnit settings;
  const Clock& clock;
  // The user-interface thread, to which the clients hand every event.
  MainThread& mainThread;
  const SendClients& clients;
  // The access tokens of accounts that sign in with OAuth 2.0.
  TAccessTokens& tokens;
};

// What is sent: a composed or ready message and its envelope.
struct SendJob {
  AnsiString accountName;
  // As composed, with its Bcc field: the sent log reads To and Subject
  // from it. The server is given it without the Bcc field; a message that
  // holds none is shared with the client, never copied.
  std::shared_ptr<const AnsiString> message;
  std::vector<AnsiString> recipients;  // every address of To, Cc and Bcc
  AnsiString mailFrom;                 // the envelope sender; empty: the account's address
  // Seconds the window waits before it connects, in which the send can be
  // taken back (Cancel); 0 connects at once.
  int delaySeconds = 0;
  // The rest of a message whose header and beginning alone are `message`,
  // read as it goes out; null when `message` is whole.
  std::shared_ptr<MessageSource> rest = nullptr;
  // A message another program wrote keeps the end of its body as given.
  BodyEnd bodyEnd = BodyEnd::Trimmed;
  // Whether a refused recipient stops the delivery before the message goes
  // to anyone; otherwise those accepted get it and the others are named.
  bool allRecipientsRequired = false;
  // A temporary failure puts the message into the outbox ([Outbox]
  // Enabled, orvane-send --queue-on-failure); the outcome says when it is
  // tried next.
  bool queueOnFailure = false;
  // The message comes from the outbox: the sent log says so and records it
  // at the time it went.
  bool fromOutbox = false;
  // Where the delivery leaves its connection for the next message of a
  // run (a flush of the outbox); none: its own connection, ended by QUIT.
  std::shared_ptr<TSmtpConnectionPool> connections = nullptr;
  // Delivery status notifications asked for (orvane-send -N, -R, -V).
  TDsnRequest dsn = {};
  // The window's draft the message was composed from, kept with it when it
  // goes into the outbox; none for a message from another program.
  std::optional<OutboxDraft> draft = std::nullopt;
};

enum class SendState {
  Waiting,    // the send delay: "送信待ち", counting down; 取消 takes the send back
  Sending,    // caption "送信中...", no way to close the window
  Ended,      // the delivery ended, well or not: "送信終了"
  Aborted,    // the POP3 login failed, SMTP was not started: "送信中止"
  Cancelled,  // 取消 in the delay, no server contacted: "送信取消"
};

// The send window's controller: one attempt of POP before SMTP (when the
// account asks for it) and delivery, with its status line, progress and
// communication log. Events of the clients arrive on the user-interface
// thread; what they change is told through OnChanged, OnLogLine and
// OnProgress for the windows to show.
class TSendForm {
 public:
  TSendForm(SendServices services, SendJob job);
  ~TSendForm();
  TSendForm(const TSendForm&) = delete;
  TSendForm& operator=(const TSendForm&) = delete;

  // Showing the window: the first log line, the clients' settings from the
  // account file (SetupSmtp, SetupPop), then the POP3 login or the
  // delivery; an account that signs in with OAuth 2.0 gets its access
  // token first. Throws ConvertError when a port or an encryption setting is
  // not a number it knows; the attempt then never started (Setup) and leaves
  // no sent-log entry.
  //
  // With a delay (SendJob::delaySeconds) showing takes the settings, so
  // that a bad one is told before the wait, and starts the wait (Waiting):
  // Tick, called by the window every so often, counts the seconds down by
  // the clock and writes the first log line and connects once they are
  // over.
  void Show();
  void Tick();
  // 取消 while waiting: contacts no server; the log and the status say
  // "送信を取り消しました", and Close records it.
  void Cancel();
  // Button1 "閉じる" in an end state: records the attempt in the sent log,
  // with the log window's geometry when there is a log window. Throws Error
  // when it cannot; the window then stays open, and pressing again tries
  // again.
  void Close(const std::optional<LogWindowGeometry>& logWindow);

  SendState State() const { return state_; }
  WideString Caption() const;
  const WideString& Status() const { return status_; }
  bool CloseEnabled() const { return state_ != SendState::Sending && state_ != SendState::Waiting; }
  // The progress bar: 0 to 100 until the first chunk is written.
  std::int64_t ProgressMax() const { return progressMax_; }
  std::int64_t ProgressPosition() const { return progressPosition_; }
  // The stage label of the last SMTP error, such as "(Rcpt)".
  WideString ErrorText() const;
  // How the attempt has ended so far: Setup, PopLogin, SignIn or Delivery,
  // and SentLog while the last try to record it failed.
  SendOutcome Outcome() const;
  const SendJob& Job() const { return job_; }
  const std::vector<WideString>& LogLines() const { return logLines_; }

  TZelSmtp& Smtp() { return *smtp_; }
  TZelPop3& Pop() { return *pop_; }

  // The caption, the status line or the close button changed.
  std::function<void()> OnChanged;
  // A line was added to the log.
  std::function<void(const WideString& line)> OnLogLine;
  // The progress bar moved: the window shows it and lets the user
  // interface process what is pending.
  std::function<void()> OnProgress;
  // The delivery ended (the main window's SendSucceeded).
  std::function<void(bool success)> OnDelivered;

 private:
  void LogStart();  // "通信開始..." and the time
  // The clients' settings from the account file; a failure ends the
  // attempt at Setup.
  void Setup();
  // The POP3 login or the delivery.
  void Connect();
  void SetupSmtp();
  // The delivery, after the access token of an OAuth 2.0 account.
  void StartSmtp();
  void TokenFetched(const AccessTokenResult& result);
  // Ends the attempt at "(Auth)" before the SMTP server was contacted; the
  // log shows line.
  void SignInFailed(SignInFailure failure, const WideString& reason, const WideString& line);
  void SetupPop();
  void BindEvents();
  void Log(const WideString& line);
  void SetStatus(const WideString& status);
  void LogLocalError(const TTCPItem& item);
  void Abort(const TTCPItem& item, TPopErrorEventType error);
  // After a failure that may pass: into the outbox when the job asks for
  // it, the status saying so.
  void KeepForLater();
  void Changed();

  // Event handlers.
  void SmtpSmtpStatus(const AnsiString& s);
  void SmtpServerStatus(const AnsiString& s);
  void SmtpProgress(std::int64_t max, std::int64_t sended);
  void SmtpSmtpError(TSmtpErrorEventType error);
  void SmtpSmtpClosed(const TSmtpItem& item, bool success);
  void SmtpRcptError(const std::vector<AnsiString>& addresses,
                     const std::vector<AnsiString>& replies);
  // Keeps the server's size limit in the account ([警告17] reads it).
  void SmtpExtensions(const TSmtpExtensions& extensions);
  void PopAuthenticated();
  void PopAuthenticateFail(const TPopItem& item);
  void PopPopError(const TPopItem& item, TPopErrorEventType error);

  SendServices services_;
  SendJob job_;
  std::unique_ptr<TZelSmtp> smtp_;
  std::unique_ptr<TZelPop3> pop_;
  bool oauth_ = false;  // the account signs in with OAuth 2.0
  std::unique_ptr<TAccessTokenFetch> tokenFetch_;
  SendState state_ = SendState::Sending;
  TimePoint sendAt_{};     // when the delay is over
  bool popLogin_ = false;  // the POP3 login runs; its events count
  WideString status_;
  SendOutcome outcome_;
  ReplyClass lastReply_ = ReplyClass::None;  // to the last command
  WideString lastReplyText_;
  std::optional<WideString> sentLogError_;  // why the last Close failed
  std::int64_t progressMax_ = 100;
  std::int64_t progressPosition_ = 0;
  std::vector<WideString> logLines_;
};

// A command line as the log shows it: the argument of a command that
// carries a secret (PASS, APOP, an AUTH with an initial response) becomes
// "********".
AnsiString MaskSecrets(const AnsiString& commandLine);

}  // namespace orvane
