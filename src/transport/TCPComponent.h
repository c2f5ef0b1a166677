#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/MainThread.h"
#include "platform/Types.h"
#include "transport/PlainAuth.h"
#include "transport/TlsSession.h"

namespace orvane {

class TTCPComponent;
class TTCPThread;

// The live connections of one component, shared with its items so that an
// item that outlives the component still finds the lock, and finds the
// component gone.
struct TTCPItemList {
  std::recursive_mutex Lock;
  std::vector<class TTCPItem*> Items;
  TTCPComponent* Component = nullptr;
};

// One connection: a snapshot of the component's settings taken when the
// connection was requested, so that later changes of the properties do not
// touch a running connection. Freed by its worker, on the main thread, when
// the dialogue has ended; or by Cancel while no worker is attached.
class TTCPItem {
 public:
  explicit TTCPItem(TTCPComponent& component);
  virtual ~TTCPItem();
  TTCPItem(const TTCPItem&) = delete;
  TTCPItem& operator=(const TTCPItem&) = delete;

  // With a worker attached, asks it to terminate; otherwise frees the item.
  virtual void Cancel();

  // The owning component; null once it has been destroyed.
  TTCPComponent* Component() const;
  TTCPThread* Thread() const { return thread_; }
  // Why the connection failed on this side, in the user's words: the host
  // was not found, the connection was refused or closed, no reply came in
  // time. Empty while nothing failed, and when the server refused what it
  // was asked (its reply says why). Written by the worker before it hands
  // over the notification that reports the failure.
  const WideString& LocalError() const { return localError_; }

  const AnsiString Host;
  const AnsiString User;
  const AnsiString Password;
  const int Port;
  const TSecurity Security;
  const AnsiString TlsFingerprint;
  const TPlainAuthPolicy PlainAuth;

 protected:
  // Runs fn with the component under its item lock, when it still exists.
  void WithComponent(const std::function<void(TTCPComponent&)>& fn);

 private:
  friend class TTCPThread;
  std::shared_ptr<TTCPItemList> list_;
  TTCPThread* thread_ = nullptr;
  WideString localError_;
};

// The base of the SMTP and POP3 clients: settings copied into each new
// connection, the list of live connections and the main thread to which
// every notification is handed.
class TTCPComponent {
 public:
  explicit TTCPComponent(MainThread& mainThread);
  // Cancels every connection. Running ones end on their own; their items
  // no longer reach this component.
  virtual ~TTCPComponent();
  TTCPComponent(const TTCPComponent&) = delete;
  TTCPComponent& operator=(const TTCPComponent&) = delete;

  const AnsiString& Host() const { return host_; }
  virtual void SetHost(const AnsiString& host) { host_ = host; }
  int Port() const { return port_; }
  virtual void SetPort(int port) { port_ = port; }
  const AnsiString& User() const { return user_; }
  void SetUser(const AnsiString& user) { user_ = user; }
  const AnsiString& Password() const { return password_; }
  void SetPassword(const AnsiString& password) { password_ = password; }
  // Plain text, STARTTLS (STLS for POP3) or TLS from the first byte.
  TSecurity Security() const { return security_; }
  void SetSecurity(TSecurity security) { security_ = security; }
  // When set, the SHA-256 fingerprint of the one certificate accepted.
  const AnsiString& TlsFingerprint() const { return tlsFingerprint_; }
  void SetTlsFingerprint(const AnsiString& value) { tlsFingerprint_ = value; }
  // Whether credentials may go out without TLS.
  TPlainAuthPolicy PlainAuth() const { return plainAuth_; }
  void SetPlainAuth(TPlainAuthPolicy policy) { plainAuth_ = policy; }
  // Milliseconds each read may wait; only a value above 10000 is used,
  // anything else means ten minutes.
  int Timeout() const { return timeout_; }
  void SetTimeout(int timeout) { timeout_ = timeout; }
  // Milliseconds a worker waits after its last command before it closes.
  int Pause() const { return pause_; }
  void SetPause(int pause) { pause_ = pause; }

  MainThread& Main() const { return *main_; }

  // Cancels every item, from the last to the first.
  void CancelAll();
  // The live items at this moment.
  std::vector<TTCPItem*> Items() const;

 protected:
  // Cancels every item and cuts the running ones off this component. Each
  // protocol's destructor calls it first, while its notifiers still exist.
  void DetachItems();
  // Creates an item of `self` and starts its connection, under the lock.
  template <class Item, class Component>
  Item* StartItem(Component& self) {
    std::lock_guard guard(list_->Lock);
    auto item = std::make_unique<Item>(self);
    item->Start();
    return item.release();
  }

 private:
  friend class TTCPItem;
  MainThread* main_;
  std::shared_ptr<TTCPItemList> list_;
  AnsiString host_;
  AnsiString user_;
  AnsiString password_;
  int port_ = 0;
  TSecurity security_ = scNone;
  AnsiString tlsFingerprint_;
  TPlainAuthPolicy plainAuth_ = paLegacy;
  int timeout_ = 0;
  int pause_ = 3000;
};

}  // namespace orvane
