#pragma once

#include <vector>

#include "transport/EhloList.h"
#include "transport/SmtpExtensions.h"
#include "transport/TCPThread.h"
#include "transport/ZelSmtp.h"

namespace orvane {

// The worker of one delivery: greeting, EHLO or HELO, authentication,
// MAIL FROM, RCPT TO, DATA and QUIT (RFC 5321), over TLS from the first
// byte (RFC 8314) or after STARTTLS (RFC 3207) when asked.
class TSmtpThread final : public TSendTCPThread {
 public:
  explicit TSmtpThread(TSmtpItem& item);

 protected:
  void Execute() override;
  void DoCommandSent(const AnsiString& command, const AnsiString& argument) override;
  void DoQuit() override;
  void DoDataSent() override;
  bool ReportsProgress() const override { return SmtpItem().ReportsProgress; }
  void DoNotice(const AnsiString& text) override;
  // A reply is complete with its last line (RFC 5321 section 4.2.1): the
  // line whose code is not followed by "-".
  bool ReplyComplete(std::string_view received) const override;
  std::size_t FirstReplyLength(std::string_view received) const override;

 private:
  void Dialogue();
  // Greeting, EHLO or HELO, TLS and sign-in; false once the delivery has
  // ended.
  bool OpenSession();
  // After a delivery, leaves the connection open in the item's pool for
  // the next one instead of QUIT; false when there is no pool or the
  // connection is not fit to be kept.
  bool KeepForNext();
  // Ends the delivery with seSize, nothing offered, when the message is
  // larger than the server's advertised limit.
  bool RefusedForSize();
  // Receive, OnServerStatus, and whether the reply carries `code`.
  bool Reply(std::string_view code);
  bool ReceiveEhloReply();
  // STARTTLS after the first EHLO; false when the delivery must end.
  bool StartTls();
  // Ends a delivery whose TLS failed: OnSmtpError with seTls unless the
  // user cancelled, and no further line once the handshake had begun.
  void FailTls();
  // Refuses or warns about credentials without TLS, then Authenticate.
  bool SmtpLogin();
  // CRAM-MD5, else LOGIN, after a failed CRAM-MD5 over TLS only; PLAIN
  // only when neither is offered.
  bool Authenticate();
  bool CramMd5Exchange();
  bool LoginExchange();
  bool PlainExchange();
  // Signs in with the access token, over TLS only.
  bool BearerLogin();
  // "AUTH mechanism response"; a 334 carries the server's error report,
  // answered with `errorAnswer` so that the server ends the exchange.
  bool BearerExchange(const AnsiString& mechanism, const AnsiString& response,
                      std::string_view errorAnswer);
  // Writes a line that the events never show.
  bool SendHidden(const AnsiString& line);
  // RCPT TO for each recipient; OnRcptError names those refused. False
  // when none was accepted, a command could not be written, or one was
  // refused and every recipient is required.
  bool SendRecipients();
  // "RCPT TO:<address>", with NOTIFY where the server takes DSN.
  AnsiString RcptLine(const AnsiString& address) const;
  // RFC 6152: a message with 8-bit data goes as it is only to a server
  // that advertised 8BITMIME; any other gets it re-encoded (a streamed
  // message is read whole for that first). False when the rest of the
  // message could not be read.
  bool FitBodyToServer();
  // MAIL, RCPT and DATA in one write, their replies read in order (RFC
  // 2920); true at the server's 354, false once the delivery has ended.
  bool PipelinedEnvelope(const AnsiString& mail);
  // Reads the reply to RCPT for each recipient, after writing its command
  // unless the commands are `written` already; OnRcptError names those
  // refused. True when one was accepted and every command could be written.
  bool RecipientReplies(bool written);
  // Ends a delivery at its recipients: seRcpt, RSET when some were
  // accepted, then QUIT.
  void FailRecipients();
  // OnSmtpError with `kind`, then Quit, which reports the delivery failed.
  void Fail(TSmtpErrorEventType kind);

  TSmtpItem& SmtpItem() const { return static_cast<TSmtpItem&>(Item()); }
  void Notify(const std::function<void(TZelSmtp&, TSmtpItem&)>& fn);
  void NotifyServerStatus(const AnsiString& s);
  void NotifyError(TSmtpErrorEventType kind);
  void NotifyClosed();

  const AnsiString MailFrom;
  const std::vector<AnsiString> Recipients;
  const bool SmtpAuth;
  const AnsiString AccessToken;
  const AnsiString PoolKey;  // which kept connections this delivery may use
  // This delivery goes over a connection an earlier one left open, which
  // has carried Deliveries messages.
  bool Continued = false;
  int Deliveries = 0;
  AnsiString StatusText;
  std::vector<AnsiString> Rejected;
  std::vector<AnsiString> RejectedReplies;  // the reply to each of Rejected
  bool RecipientsAccepted = false;
  TEhloList Capabilities;
  // What the last EHLO reply advertised; nothing after HELO.
  TSmtpExtensions Extensions;
  // The message re-encoded for a server without 8BITMIME; Data views it.
  AnsiString SevenBit;
  bool EhloMultiline = false;
  bool HideCommand = false;
  // A line carrying credentials, or an answer made from them, has gone out.
  bool CredentialsSent = false;
  // The first such line is preceded by the plain-text warning.
  bool WarnBeforeCredentials = false;
  TSmtpErrorEventType ErrorKind = seConnect;
};

}  // namespace orvane
