#pragma once

#include <functional>

#include "platform/MainThread.h"
#include "platform/Types.h"
#include "transport/TCPComponent.h"

namespace orvane {

class TPopItem;

enum TPopErrorEventType {
  peConnect,  // no connection, a negative greeting, or an error outside the login
  peStat,
  peList,
  peUidl,
  peAuth,  // the login was refused or failed
  peTimeOut,
  peTls,  // TLS asked for and not set up: STLS refused, or the handshake or
          // the server's certificate failed
};

using TPopErrorEvent = std::function<void(TPopItem& Item, TPopErrorEventType Error)>;
using TPopStatusEvent = std::function<void(TPopItem& Item, const AnsiString& S)>;
using TPopItemDestroyEvent = std::function<void(TPopItem& Item)>;
using TPopAuthenticatedEvent = std::function<void(TPopItem& Item, bool BeforeSmtp)>;

// The POP3 client, for logging in before an SMTP delivery: each
// Authenticate logs in with USER and PASS or APOP (RFC 1939), over TLS when
// asked (port 995, or STLS of RFC 2595), on a worker
// thread of its own, reports the outcome and quits.
class TZelPop3 : public TTCPComponent {
 public:
  explicit TZelPop3(MainThread& mainThread);
  ~TZelPop3() override;

  bool APOP() const { return apop_; }
  void SetAPOP(bool value) { apop_ = value; }
  bool AuthOnly() const { return authOnly_; }
  bool BeforeSmtp() const { return beforeSmtp_; }

  // Starts one login and returns its item, valid until OnItemDestroy.
  // OnAuthenticated or OnAuthenticateFail carry `beforeSmtp` back.
  TPopItem* Authenticate(bool beforeSmtp);

  TPopErrorEvent OnPopError;
  TPopStatusEvent OnPopStatus;
  TPopStatusEvent OnServerStatus;
  TPopItemDestroyEvent OnItemDestroy;
  TPopAuthenticatedEvent OnAuthenticated;
  TPopAuthenticatedEvent OnAuthenticateFail;
  // A line of the client's own for the log (Shift_JIS): how the connection
  // is secured, why TLS failed and the certificate's fingerprint, what
  // became of the password.
  TPopStatusEvent OnPopNotice;

  // The notifiers: each calls its event when a handler is set.
  virtual void DoServerStatus(TPopItem& item, const AnsiString& s);
  virtual void DoPopStatus(TPopItem& item, const AnsiString& s);
  virtual void DoPopError(TPopItem& item, TPopErrorEventType error);
  virtual void DoItemDestroy(TPopItem& item);
  virtual void DoAuthenticated(TPopItem& item, bool beforeSmtp);
  virtual void DoAuthenticateFail(TPopItem& item, bool beforeSmtp);
  virtual void DoPopNotice(TPopItem& item, const AnsiString& s);

 private:
  bool apop_ = false;
  bool authOnly_ = false;
  bool beforeSmtp_ = false;
};

// The snapshot of one login.
class TPopItem final : public TTCPItem {
 public:
  explicit TPopItem(TZelPop3& component);
  ~TPopItem() override;

  // Creates the worker unless there is one.
  void Start();

  const bool APOP;
  const bool BeforeSmtp;
  const bool AuthOnly;
};

}  // namespace orvane
