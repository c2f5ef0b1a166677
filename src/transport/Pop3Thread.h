#pragma once

#include <optional>

#include "transport/TCPThread.h"
#include "transport/ZelPop3.h"

namespace orvane {

// The worker of one POP3 login: greeting, USER and PASS or APOP, QUIT; over
// TLS from the first byte or after STLS when asked.
class TPopThread final : public TTCPThread {
 public:
  explicit TPopThread(TPopItem& item);

 protected:
  void Execute() override;
  void DoTimeout() override;
  void DoServerClosed() override;
  void DoCommandSent(const AnsiString& command, const AnsiString& argument) override;
  void DoNotice(const AnsiString& text) override;

 private:
  // STLS after the greeting; false when the login must end.
  bool StartTls();
  // OnPopError with peTls unless the user cancelled, then the end.
  void FailTls();
  // Returns false when the login was refused, after reporting it.
  bool Login();
  // Receive, OnServerStatus, and whether the reply is positive.
  bool Reply();
  // OnAuthenticateFail, then OnPopError with peAuth.
  void NotifyRefused();
  void NotifyError(TPopErrorEventType kind);

  TPopItem& PopItem() const { return static_cast<TPopItem&>(Item()); }
  void Notify(const std::function<void(TZelPop3&, TPopItem&)>& fn);

  const bool APOP;
  const bool BeforeSmtp;
  AnsiString StatusText;
  // The greeting, whose timestamp APOP answers.
  AnsiString Greeting;
  TPopErrorEventType ErrorKind = peConnect;
};

// The APOP timestamp of a greeting (RFC 1939 section 7), wherever it stands:
// the last text in angle brackets that has the form of a message ID (a "@"
// with printable characters and no blank on either side), brackets
// included; nullopt when the greeting holds none.
std::optional<AnsiString> ApopTimestamp(std::string_view greeting);

}  // namespace orvane
