#include "transport/SmtpThread.h"

#include <algorithm>
#include <optional>
#include <string>

#include "mime/CharSet.h"
#include "mime/SevenBit.h"
#include "mime/TransferEncoding.h"
#include "platform/CodePage.h"
#include "transport/BearerAuth.h"
#include "transport/LineTransport.h"
#include "transport/ReplyReader.h"
#include "transport/rfcSASL.h"

namespace orvane {

namespace {

// Which deliveries may share a connection: the same server, secured the
// same way, signed in as the same user.
AnsiString PoolKeyOf(const TSmtpItem& item) {
  return item.Host + ':' + std::to_string(item.Port) + '|' + item.User + '|' +
         std::to_string(static_cast<int>(item.Security)) + '|' + (item.SmtpAuth ? "1" : "0");
}

}  // namespace

TSmtpThread::TSmtpThread(TSmtpItem& item)
    : TSendTCPThread(item),
      MailFrom(item.MailFrom),
      Recipients(item.Recipients),
      SmtpAuth(item.SmtpAuth),
      AccessToken(item.AccessToken),
      PoolKey(PoolKeyOf(item)) {
  if (item.ConnectionPool) {
    if (std::optional<TKeptSmtpConnection> kept = item.ConnectionPool->Take(PoolKey)) {
      AdoptConnection(std::move(kept->connection));
      Extensions = kept->extensions;
      Deliveries = kept->deliveries;
      Continued = true;
    }
  }
  Data = *item.Message;
  Rest = item.MessageRest.get();
  End = item.MessageEnd;
  Resume();
}

void TSmtpThread::Notify(const std::function<void(TZelSmtp&, TSmtpItem&)>& fn) {
  Synchronize([&](TTCPComponent& c) { fn(static_cast<TZelSmtp&>(c), SmtpItem()); });
}

void TSmtpThread::NotifyServerStatus(const AnsiString& s) {
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoServerStatus(item, s); });
}

void TSmtpThread::NotifyError(TSmtpErrorEventType kind) {
  ErrorKind = kind;
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoSmtpError(item, ErrorKind); });
}

void TSmtpThread::NotifyClosed() {
  bool success = Success();
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoSmtpClosed(item, success); });
}

void TSmtpThread::Execute() {
  try {
    Dialogue();
  } catch (const std::exception&) {
    if (Ended()) return;
    if (Success()) {
      // The server took the message before the failure: it stays delivered.
      NotifyClosed();
      PauseBeforeClosing();
      return;
    }
    Fail(seConnect);
  }
}

void TSmtpThread::Dialogue() {
  if (Continued && !ConnectionIdle()) {
    // The server closed the kept connection, or is about to.
    CloseConnection();
    Continued = false;
  }
  if (Continued) {
    // RFC 5321 section 4.1.1.5: the next transaction on a connection that
    // has carried one starts clean.
    Notice(u"前のメールの接続を続けて使います");
    if (!SendCommand("RSET", "") || !Reply("250")) return Fail(seConnect);
  } else if (!OpenSession()) {
    return;
  }
  // Re-encoding for a server without 8BITMIME only makes a message larger:
  // one over the limit as it is is refused before it is read through.
  if (RefusedForSize()) return;
  if (!FitBodyToServer()) return Fail(seData);
  if (RefusedForSize()) return;
  const auto size = static_cast<std::uint64_t>(DataLength());
  // RFC 5321 section 4.1.2: no blank on either side of the colon.
  const TDsnRequest& dsn = SmtpItem().Dsn;
  if (!dsn.Empty() && !Extensions.dsn)
    Notice(u"サーバが DSN に対応していないため、配送状況の通知は求めません");
  const AnsiString mail = "MAIL FROM:<" + MailFrom + '>' +
                          MailParameters(Extensions, size, Rest || !IsAsciiBytes(Data)) +
                          (Extensions.dsn ? DsnMailParameters(dsn) : AnsiString());
  // A line that cannot be written goes the plain way, which names the
  // recipient it belongs to.
  if (Extensions.pipelining && IsSafeCommandLine(mail) &&
      std::all_of(Recipients.begin(), Recipients.end(), IsSafeCommandLine)) {
    if (!PipelinedEnvelope(mail)) return;
  } else {
    if (!SendCommand(mail, "") || !Reply("250")) return Fail(seFrom);
    if (!SendRecipients()) return FailRecipients();
    if (Terminated()) return Quit();
    SendCommand("DATA", "");
    if (!Reply("354")) return Fail(seData);
  }
  if (!SendData()) return Fail(seData);
  if (!Reply("250")) return Fail(seData);

  // From here the message is delivered, whatever becomes of QUIT: a
  // failure reported now would have the user send it twice. A server that
  // then closes without close_notify counts the same (RFC 8314 section 4.3).
  SetSuccess(true);
  if (KeepForNext()) return;
  SendCommand("QUIT", "");
  ReceiveReply();
  NotifyServerStatus(LastReply);
  NotifyClosed();
  PauseBeforeClosing();
}

bool TSmtpThread::OpenSession() {
  Connect();
  if (Security == scTls && !EstablishTls(false)) {
    FailTls();
    return false;
  }
  if (!Reply("220")) {
    NotifyError(seConnect);
    NotifyClosed();
    Disconnect();
    return false;
  }

  SendCommand("EHLO", ServerHost());
  bool extended = ReceiveEhloReply();
  if (Security == scStartTls) {
    if (!StartTls()) {
      FailTls();
      return false;
    }
    SendCommand("EHLO", ServerHost());
    extended = ReceiveEhloReply();
  }
  if (extended) {
    if (EhloMultiline) Extensions = ExtensionsOf(Capabilities);
    Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoExtensions(item, Extensions); });
    if (SmtpAuth && !SmtpLogin()) {
      Fail(seAuth);
      return false;
    }
  } else {
    NotifyError(seEhlo);
    SendCommand("HELO", ServerHost());
    if (!Reply("250")) {
      Fail(seHelo);
      return false;
    }
  }
  return true;
}

// RFC 1870 section 6: a message over the advertised limit is not offered,
// so the user does not wait for an upload the server would refuse.
bool TSmtpThread::RefusedForSize() {
  const auto size = static_cast<std::uint64_t>(DataLength());
  if (!OverSizeLimit(Extensions, size)) return false;
  KeepLocalError(SizeRefusalText(size, Extensions.sizeLimit));
  Fail(seSize);
  return true;
}

bool TSmtpThread::KeepForNext() {
  const std::shared_ptr<TSmtpConnectionPool>& pool = SmtpItem().ConnectionPool;
  if (!pool || Terminated() || !ConnectionIdle()) return false;
  bool kept = false;
  Synchronize([&](TTCPComponent&) {
    pool->Keep(PoolKey, {ReleaseConnection(), Extensions, Deliveries + 1});
    kept = true;
  });
  if (kept) NotifyClosed();
  return kept;
}

// RFC 3207. Nothing but EHLO and STARTTLS goes out in plain text: a server
// that does not offer it, or refuses it, ends the delivery (section 4.1).
bool TSmtpThread::StartTls() {
  if (!EhloMultiline || !Capabilities.Has("STARTTLS")) {
    KeepLocalError(u"サーバが STARTTLS に対応していないため、暗号化できません");
    return false;
  }
  SendCommand("STARTTLS", "");
  if (!Reply("220")) {
    KeepLocalError(u"サーバが STARTTLS を断ったため、暗号化できません");
    return false;
  }
  if (!EstablishTls(true)) return false;
  // What the server said before TLS may have been forged (section 4.2).
  Capabilities.Clear();
  EhloMultiline = false;
  return true;
}

void TSmtpThread::FailTls() {
  if (Terminated()) return Quit();
  Fail(seTls);
}

bool TSmtpThread::FitBodyToServer() {
  if (Extensions.eightBitMime) return true;
  if (Rest) {
    SevenBit = Data;
    try {
      char buffer[kBufferSize];
      while (std::size_t read = Rest->Read(buffer, sizeof buffer)) SevenBit.append(buffer, read);
    } catch (const std::exception&) {
      KeepLocalError(u"送信するメールの残りを読めませんでした");
      return false;
    }
    Data = SevenBit;
    Rest = nullptr;
  }
  if (IsAsciiBytes(Data)) return true;
  SevenBit = SevenBitMessage(Data);
  Data = SevenBit;
  Notice(
      u"サーバが 8BITMIME に対応していないため、8 ビットの本文を quoted-printable か base64 "
      u"にして送信します");
  return true;
}

bool TSmtpThread::Reply(std::string_view code) {
  ReceiveReply();
  NotifyServerStatus(LastReply);
  return ResponseIs(code);
}

bool TSmtpThread::ReplyComplete(std::string_view received) const {
  return SmtpReplyComplete(received);
}

std::size_t TSmtpThread::FirstReplyLength(std::string_view received) const {
  return received.size() - BeyondFirstReply(received).size();
}

bool TSmtpThread::ReceiveEhloReply() {
  ReceiveReply();
  bool found = ResponseIs("250");
  EhloMultiline = LastReply.starts_with("250-");
  StatusText = LastReply;
  if (EhloMultiline) Capabilities.Parse(StatusText);
  NotifyServerStatus(StatusText);
  return found;
}

bool TSmtpThread::SmtpLogin() {
  if (!AccessToken.empty()) return BearerLogin();
  // Base64 would carry CR or LF in a name or password past the line check;
  // refusing them keeps every command line what it appears to be.
  if (!IsSafeCommandLine(User) || !IsSafeCommandLine(Password)) return false;
  TPlainAuthVerdict verdict = PlainAuthVerdict();
  if (verdict == TPlainAuthVerdict::kRefuse) {
    KeepLocalError(kPlainAuthRefused);
    return false;
  }
  WarnBeforeCredentials = verdict == TPlainAuthVerdict::kSendAndWarn;
  return Authenticate();
}

bool TSmtpThread::Authenticate() {
  bool cramMd5 = Capabilities.Has("AUTH", "CRAM-MD5");
  if (cramMd5 && CramMd5Exchange()) return true;
  // Whoever can fail CRAM-MD5 on a connection without TLS would have the
  // password itself from LOGIN next.
  if (cramMd5 && !Secure()) {
    KeepLocalError(
        u"CRAM-MD5 で認証できませんでした。暗号化されていない接続では、"
        u"パスワードをそのまま送る LOGIN には切り替えません");
    return false;
  }
  if (Capabilities.Has("AUTH", "LOGIN")) return LoginExchange();
  return !cramMd5 && Capabilities.Has("AUTH", "PLAIN") && PlainExchange();
}

bool TSmtpThread::BearerLogin() {
  // A token opens the mailbox to whoever reads it: unlike a password,
  // no setting lets it out in plain text, not even to this machine.
  if (!Secure()) {
    KeepLocalError(
        u"暗号化されていない接続ではトークンを送信しません。"
        u"アカウントの設定で STARTTLS か TLS を選んでください");
    return false;
  }
  // ^A separates the fields of both mechanisms' responses.
  for (char c : User)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  if (Capabilities.Has("AUTH", "OAUTHBEARER"))
    return BearerExchange("OAUTHBEARER",
                          OAuthBearerResponse(User, ServerHost(), SmtpItem().Port, AccessToken),
                          kOAuthBearerErrorAnswer);
  if (Capabilities.Has("AUTH", "XOAUTH2"))
    return BearerExchange("XOAUTH2", XOAuth2Response(User, AccessToken), kXOAuth2ErrorAnswer);
  KeepLocalError(u"サーバが OAuth 2.0 での認証 (OAUTHBEARER、XOAUTH2) に対応していません");
  return false;
}

bool TSmtpThread::BearerExchange(const AnsiString& mechanism, const AnsiString& response,
                                 std::string_view errorAnswer) {
  // The events see the command, never the token (RFC 4954 section 4).
  StatusText = "AUTH " + mechanism + " ********";
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoSmtpStatus(item, StatusText); });
  SendHidden("AUTH " + mechanism + ' ' + response);
  if (Reply("235")) return true;
  if (ResponseIs("334")) {
    SendHidden(AnsiString(errorAnswer));
    Reply("535");
  }
  return false;
}

bool TSmtpThread::SendHidden(const AnsiString& line) {
  // An old account's warning reaches the log before the first such line
  // leaves.
  if (WarnBeforeCredentials && !CredentialsSent) Notice(kPlainAuthWarning);
  CredentialsSent = true;
  HideCommand = true;
  struct Reveal {
    bool& hide;
    ~Reveal() { hide = false; }
  } reveal{HideCommand};
  return SendCommand(line, "");
}

// RFC 2195.
bool TSmtpThread::CramMd5Exchange() {
  SendCommand("AUTH", "CRAM-MD5");
  if (!Reply("334")) return false;
  std::string_view challenge = LastReply;
  challenge = Trim(challenge.substr(std::min<std::size_t>(4, challenge.size())));
  SendHidden(CramMd5Response(Password, challenge, User));
  return Reply("235");
}

bool TSmtpThread::LoginExchange() {
  SendCommand("AUTH", "LOGIN");
  if (!Reply("334")) return false;
  SendHidden(Base64Encode(User));
  if (!Reply("334")) return false;
  SendHidden(Base64Encode(Password));
  return Reply("235");
}

// RFC 4616; the response follows an empty challenge (RFC 4954 section 4).
bool TSmtpThread::PlainExchange() {
  SendCommand("AUTH", "PLAIN");
  if (!Reply("334")) return false;
  SendHidden(Base64Encode(AnsiString(1, '\0') + User + '\0' + Password));
  return Reply("235");
}

bool TSmtpThread::RecipientReplies(bool written) {
  Rejected.clear();
  RejectedReplies.clear();
  bool accepted = false;
  bool unsafe = false;
  auto report = [this] {
    if (!Ended() && !Rejected.empty())
      Notify([&](TZelSmtp& smtp, TSmtpItem& item) {
        smtp.DoRcptError(item, Rejected, RejectedReplies);
      });
  };
  try {
    for (const AnsiString& address : Recipients) {
      if (!written && !SendCommand(RcptLine(address), "")) {
        Rejected.push_back(address);
        RejectedReplies.emplace_back();  // never written: no reply
        unsafe = true;
        break;
      }
      ReceiveReply();
      NotifyServerStatus(LastReply);
      if (ResponseIs("250") || ResponseIs("251")) {
        accepted = true;
      } else {
        Rejected.push_back(address);
        RejectedReplies.push_back(LastReply);
      }
    }
  } catch (...) {
    report();
    throw;
  }
  report();
  RecipientsAccepted = accepted;
  return accepted && !unsafe;
}

AnsiString TSmtpThread::RcptLine(const AnsiString& address) const {
  return "RCPT TO:<" + address + '>' +
         (Extensions.dsn ? DsnRcptParameters(SmtpItem().Dsn) : AnsiString());
}

bool TSmtpThread::SendRecipients() {
  return RecipientReplies(false) && (Rejected.empty() || !SmtpItem().AllRecipientsRequired);
}

// RFC 2920 section 3.1. DATA joins the group only when a refused recipient
// does not stop the delivery: once the server has answered it with 354,
// nothing but dropping the connection keeps the message from going out.
bool TSmtpThread::PipelinedEnvelope(const AnsiString& mail) {
  const bool required = SmtpItem().AllRecipientsRequired;
  std::vector<AnsiString> lines{mail};
  for (const AnsiString& address : Recipients) lines.push_back(RcptLine(address));
  if (!required) lines.push_back("DATA");
  Notice(u"PIPELINING: " + Utf8ToWide(std::to_string(lines.size())) +
         u" 個のコマンドをまとめて送信します");
  SendCommands(lines);
  // The replies to the rest only say that there is no sender; QUIT ends
  // the dialogue without them.
  if (!Reply("250")) {
    Fail(seFrom);
    return false;
  }
  const bool accepted = RecipientReplies(true);
  const bool proceed = accepted && (Rejected.empty() || !required) && !Terminated();
  const bool ready = !required && Reply("354");
  if (ready && !proceed) {
    // The server waits for a message that must not go: only an
    // unterminated transaction is dropped (RFC 5321 section 4.1.1.4).
    NotifyError(seRcpt);
    SetSuccess(false);
    NotifyClosed();
    Disconnect();
    return false;
  }
  if (Terminated()) {
    Quit();
  } else if (!proceed) {
    FailRecipients();
  } else if (ready || (required && SendCommand("DATA", "") && Reply("354"))) {
    return true;
  } else {
    Fail(seData);
  }
  return false;
}

void TSmtpThread::FailRecipients() {
  NotifyError(seRcpt);
  // The transaction some recipients were added to is dropped before QUIT
  // (RFC 5321 section 4.1.1.5), so that none of them gets the message.
  if (RecipientsAccepted && SendCommand("RSET", "")) {
    ReceiveReply();
    NotifyServerStatus(LastReply);
  }
  SetSuccess(false);
  Quit();
}

void TSmtpThread::Fail(TSmtpErrorEventType kind) {
  NotifyError(kind);
  SetSuccess(false);
  Quit();
}

void TSmtpThread::DoCommandSent(const AnsiString& command, const AnsiString& argument) {
  StatusText = Trim(command + ' ' + argument);
  if (!HideCommand)
    Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoSmtpStatus(item, StatusText); });
}

void TSmtpThread::DoQuit() {
  NotifyClosed();
}

void TSmtpThread::DoNotice(const AnsiString& text) {
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoSmtpNotice(item, text); });
}

void TSmtpThread::DoDataSent() {
  std::int64_t max = DataLength();
  std::int64_t sent = Sent();
  Notify([&](TZelSmtp& smtp, TSmtpItem& item) { smtp.DoProgress(item, max, sent); });
}

}  // namespace orvane
