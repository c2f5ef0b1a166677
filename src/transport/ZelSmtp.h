#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/MainThread.h"
#include "platform/Types.h"
#include "transport/Dsn.h"
#include "transport/LineTransport.h"
#include "transport/MessageSource.h"
#include "transport/SmtpConnectionPool.h"
#include "transport/SmtpExtensions.h"
#include "transport/TCPComponent.h"

namespace orvane {

class TSmtpItem;

// The failed step of a delivery.
enum TSmtpErrorEventType {
  seConnect,  // no connection, a greeting other than 220, or an error in the dialogue
  seAuth,     // authentication was asked for and did not succeed
  seEhlo,     // EHLO refused; the dialogue goes on with HELO
  seHelo,
  seFrom,
  seRcpt,  // no recipient accepted
  seData,  // DATA refused, the message not written whole, or not accepted
  seTimeOut,
  seTls,   // TLS asked for and not set up: not offered, refused, or the
           // handshake or the server's certificate failed
  seSize,  // the message is larger than the server's advertised limit:
           // nothing was uploaded
};

using TSmtpClosedEvent = std::function<void(TSmtpItem& Item, bool Success)>;
using TSmtpStatusEvent = std::function<void(TSmtpItem& Item, const AnsiString& S)>;
using TSmtpErrorEvent = std::function<void(TSmtpItem& Item, TSmtpErrorEventType Error)>;
using TSmtpProgressEvent =
    std::function<void(TSmtpItem& Item, std::int64_t Max, std::int64_t Sended)>;
using TSmtpItemDestroyEvent = std::function<void(TSmtpItem& Item)>;
using TSmtpExtensionsEvent =
    std::function<void(TSmtpItem& Item, const TSmtpExtensions& Extensions)>;
// The refused recipients, and the server's reply to each, in the same order.
using TSmtpRcptErrorEvent =
    std::function<void(TSmtpItem& Item, const std::vector<AnsiString>& ErrorAddress,
                       const std::vector<AnsiString>& Replies)>;

// The SMTP client: each Send delivers the message to the server on a worker
// thread of its own; everything it learns arrives as events on the main
// thread while the worker waits.
class TZelSmtp : public TTCPComponent {
 public:
  explicit TZelSmtp(MainThread& mainThread);
  ~TZelSmtp() override;

  // The envelope sender, without angle brackets.
  const AnsiString& MailFrom() const { return mailFrom_; }
  void SetMailFrom(const AnsiString& value) { mailFrom_ = value; }
  // Authenticate (CRAM-MD5, else LOGIN, else PLAIN) after a successful EHLO.
  bool SmtpAuth() const { return smtpAuth_; }
  void SetSmtpAuth(bool value) { smtpAuth_ = value; }
  // An OAuth 2.0 access token: when set, authentication sends it (AUTH
  // OAUTHBEARER, else XOAUTH2) in place of the password, and only over TLS.
  const AnsiString& AccessToken() const { return accessToken_; }
  void SetAccessToken(const AnsiString& value) { accessToken_ = value; }
  // The whole message, header and body, lines ended by CR LF.
  const AnsiString& Message() const { return *message_; }
  void SetMessage(AnsiString value) {
    message_ = std::make_shared<const AnsiString>(std::move(value));
  }
  // The same without a copy: the text is shared with whoever holds it.
  void SetMessage(std::shared_ptr<const AnsiString> value) { message_ = std::move(value); }
  // The rest of a message whose beginning alone is Message, read as it
  // goes out; null when Message is whole. A source is read once: it is
  // given to one Send.
  void SetMessageRest(std::shared_ptr<MessageSource> value) { messageRest_ = std::move(value); }
  // How the end of the message's body goes out: trimmed (the default) or
  // as given.
  BodyEnd MessageEnd() const { return messageEnd_; }
  void SetMessageEnd(BodyEnd value) { messageEnd_ = value; }
  // The envelope recipients, owned by the caller; Send copies them.
  const std::vector<AnsiString>* Recipients() const { return recipients_; }
  void SetRecipients(const std::vector<AnsiString>* value) { recipients_ = value; }
  // Whether a refused recipient stops the delivery before DATA, so that
  // either every recipient gets the message or none does. Off: the message
  // goes to those accepted, and OnRcptError names the others.
  bool AllRecipientsRequired() const { return allRecipientsRequired_; }
  void SetAllRecipientsRequired(bool value) { allRecipientsRequired_ = value; }
  // The delivery status notifications asked for (RFC 3461): sent where
  // the server advertised DSN, else a notice says they are not asked.
  const TDsnRequest& Dsn() const { return dsn_; }
  void SetDsn(TDsnRequest value) { dsn_ = std::move(value); }
  // Where a delivery leaves its connection open for the next one, and
  // finds the one an earlier delivery left; none: each delivery has its own.
  void SetConnectionPool(std::shared_ptr<TSmtpConnectionPool> value) {
    connectionPool_ = std::move(value);
  }

  // Starts one delivery of the current settings and returns its item,
  // valid until OnItemDestroy. Raises Error when Recipients is not set.
  TSmtpItem* Send();

  TSmtpClosedEvent OnSmtpClosed;
  TSmtpStatusEvent OnSmtpStatus;
  TSmtpStatusEvent OnServerStatus;
  TSmtpErrorEvent OnSmtpError;
  TSmtpProgressEvent OnProgress;
  TSmtpItemDestroyEvent OnItemDestroy;
  TSmtpRcptErrorEvent OnRcptError;
  // A line of the client's own for the log (Shift_JIS): how the connection
  // is secured, why TLS failed and the certificate's fingerprint, what
  // became of the password.
  TSmtpStatusEvent OnSmtpNotice;
  // What the server's EHLO reply advertised, once the dialogue knows it
  // (after STARTTLS, the reply that followed it); not raised after HELO.
  TSmtpExtensionsEvent OnExtensions;

  // The notifiers: each calls its event when a handler is set.
  virtual void DoServerStatus(TSmtpItem& item, const AnsiString& s);
  virtual void DoSmtpStatus(TSmtpItem& item, const AnsiString& s);
  virtual void DoSmtpError(TSmtpItem& item, TSmtpErrorEventType error);
  virtual void DoSmtpClosed(TSmtpItem& item, bool success);
  virtual void DoProgress(TSmtpItem& item, std::int64_t max, std::int64_t sended);
  virtual void DoItemDestroy(TSmtpItem& item);
  virtual void DoRcptError(TSmtpItem& item, const std::vector<AnsiString>& errorAddress,
                           const std::vector<AnsiString>& replies);
  virtual void DoSmtpNotice(TSmtpItem& item, const AnsiString& s);
  virtual void DoExtensions(TSmtpItem& item, const TSmtpExtensions& extensions);

 private:
  friend class TSmtpItem;
  AnsiString mailFrom_;
  bool smtpAuth_ = false;
  AnsiString accessToken_;
  // Shared with the items, which keep the text they were given.
  std::shared_ptr<const AnsiString> message_ = std::make_shared<const AnsiString>();
  std::shared_ptr<MessageSource> messageRest_;
  BodyEnd messageEnd_ = BodyEnd::Trimmed;
  const std::vector<AnsiString>* recipients_ = nullptr;
  bool allRecipientsRequired_ = false;
  std::shared_ptr<TSmtpConnectionPool> connectionPool_;
  TDsnRequest dsn_;
};

// The snapshot of one delivery.
class TSmtpItem final : public TTCPItem {
 public:
  explicit TSmtpItem(TZelSmtp& component);
  ~TSmtpItem() override;

  // Creates the worker unless there is one.
  void Start();

  const bool SmtpAuth;
  const AnsiString AccessToken;
  const AnsiString MailFrom;
  const std::shared_ptr<const AnsiString> Message;
  const std::shared_ptr<MessageSource> MessageRest;
  const BodyEnd MessageEnd;
  const std::vector<AnsiString> Recipients;
  const bool AllRecipientsRequired;
  const std::shared_ptr<TSmtpConnectionPool> ConnectionPool;
  const TDsnRequest Dsn;
  // Whether OnProgress was set: each report is a wait for the component's
  // thread, some 70,000 of them for a 70 MB message.
  const bool ReportsProgress;
};

}  // namespace orvane
