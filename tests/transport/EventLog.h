#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/TransferEncoding.h"
#include "platform/CodePage.h"
#include "transport/LineTransport.h"
#include "transport/ZelPop3.h"
#include "transport/ZelSmtp.h"
#include "transport/rfcSASL.h"

namespace orvane::test {

// The credentials every transport test logs in with. No status text handed
// to an event handler may give the password away, in any form.
inline const AnsiString kCanaryUser = "orvane";
inline const AnsiString kCanaryPassword = "Canary-7f3Q9zx!";

// The milliseconds a client's worker lingers after its dialogue in tests,
// instead of three seconds: every test waits for its workers.
inline constexpr int kQuickPause = 5;

// Watches the status texts of one connection for the canary password: as
// it is, in base64 (AUTH LOGIN), in the AUTH PLAIN answer, and as the
// CRAM-MD5 answer to any challenge the server sent.
class SecretWatch {
 public:
  void Check(const AnsiString& text) {
    EXPECT_EQ(text.find(kCanaryPassword), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Q2FuYXJ5LTdmM1E5engh"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("AG9ydmFuZQBDYW5hcnktN2YzUTl6eCE="), AnsiString::npos) << text;
    for (const AnsiString& answer : cramAnswers_)
      EXPECT_EQ(text.find(answer), AnsiString::npos) << text;
    ++checked_;
  }
  void CheckServer(const AnsiString& reply) {
    Check(reply);
    if (reply.starts_with("334 ")) {
      AnsiString challenge(Trim(std::string_view(reply).substr(4)));
      cramAnswers_.push_back(CramMd5Response(kCanaryPassword, challenge, kCanaryUser));
    }
  }
  int Checked() const { return checked_; }

 private:
  std::vector<AnsiString> cramAnswers_;
  int checked_ = 0;
};

// The events of a client, one line each, in the order raised.
struct EventTrace {
  void Status(const AnsiString& s) {
    secrets.Check(s);
    Trace.push_back("status " + s);
  }
  void Server(const AnsiString& s) {
    secrets.CheckServer(s);
    Trace.push_back("server " + s);
  }
  // A line of the client's own; kept apart from the trace of the dialogue.
  void Notice(const AnsiString& s) {
    secrets.Check(s);
    Notices.push_back(s);
  }
  void Error(int kind) { Trace.push_back("error " + std::to_string(kind)); }
  void Destroy() {
    Trace.push_back("destroy");
    ++Destroyed;
  }

  // Whether a notice holds `text`.
  bool Noticed(std::u16string_view text) const {
    AnsiString wanted = WideToSjis(text);
    for (const AnsiString& n : Notices)
      if (n.find(wanted) != AnsiString::npos) return true;
    return false;
  }

  // Forgets everything recorded, for the next case of a table.
  void Clear() {
    Trace.clear();
    Notices.clear();
    Destroyed = 0;
  }

  // The trace without server replies: what the client did.
  std::vector<std::string> Actions() const {
    std::vector<std::string> actions;
    for (const std::string& t : Trace)
      if (!t.starts_with("server ")) actions.push_back(t);
    return actions;
  }

  std::vector<std::string> Trace;
  std::vector<AnsiString> Notices;
  int Destroyed = 0;
  SecretWatch secrets;
};

struct SmtpEvents : EventTrace {
  explicit SmtpEvents(TZelSmtp& smtp) {
    smtp.OnSmtpStatus = [this](TSmtpItem&, const AnsiString& s) { Status(s); };
    smtp.OnServerStatus = [this](TSmtpItem&, const AnsiString& s) { Server(s); };
    smtp.OnSmtpError = [this](TSmtpItem&, TSmtpErrorEventType e) { Error(e); };
    smtp.OnSmtpClosed = [this](TSmtpItem& item, bool success) {
      Trace.push_back(success ? "closed ok" : "closed failed");
      ++Closed;
      Success = success;
      LocalError = WideToUtf8(item.LocalError());
    };
    smtp.OnProgress = [this](TSmtpItem&, std::int64_t max, std::int64_t sended) {
      Progress.emplace_back(max, sended);
    };
    smtp.OnRcptError = [this](TSmtpItem&, const std::vector<AnsiString>& addresses,
                              const std::vector<AnsiString>& replies) {
      std::string line = "rcpt-error";
      for (size_t i = 0; i < addresses.size(); ++i)
        line +=
            ' ' + addresses[i] + " (" + std::string(TrimRight(std::string_view(replies[i]))) + ')';
      Trace.push_back(line);
    };
    smtp.OnItemDestroy = [this](TSmtpItem&) { Destroy(); };
    smtp.OnSmtpNotice = [this](TSmtpItem&, const AnsiString& s) { Notice(s); };
  }

  void Clear() {
    EventTrace::Clear();
    Progress.clear();
    Closed = 0;
    Success = false;
    LocalError.clear();
  }

  std::vector<std::pair<std::int64_t, std::int64_t>> Progress;
  int Closed = 0;
  bool Success = false;
  std::string LocalError;  // the item's, when it closed
};

struct PopEvents : EventTrace {
  explicit PopEvents(TZelPop3& pop) {
    pop.OnPopStatus = [this](TPopItem&, const AnsiString& s) { Status(s); };
    pop.OnServerStatus = [this](TPopItem&, const AnsiString& s) { Server(s); };
    pop.OnPopError = [this](TPopItem& item, TPopErrorEventType e) {
      Error(e);
      LocalError = WideToUtf8(item.LocalError());
    };
    pop.OnAuthenticated = [this](TPopItem&, bool beforeSmtp) {
      Trace.push_back(beforeSmtp ? "authenticated before-smtp" : "authenticated");
    };
    pop.OnAuthenticateFail = [this](TPopItem&, bool beforeSmtp) {
      Trace.push_back(beforeSmtp ? "auth-failed before-smtp" : "auth-failed");
    };
    pop.OnItemDestroy = [this](TPopItem&) { Destroy(); };
    pop.OnPopNotice = [this](TPopItem&, const AnsiString& s) { Notice(s); };
  }

  void Clear() {
    EventTrace::Clear();
    LocalError.clear();
  }

  std::string LocalError;  // the item's, at the last error
};

}  // namespace orvane::test
