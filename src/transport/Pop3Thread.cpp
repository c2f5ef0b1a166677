#include "transport/Pop3Thread.h"

#include <algorithm>

#include "transport/LineTransport.h"
#include "transport/rfcMD5.h"

namespace orvane {

std::optional<AnsiString> ApopTimestamp(std::string_view greeting) {
  for (std::size_t open = greeting.rfind('<'); open != std::string_view::npos;
       open = open == 0 ? std::string_view::npos : greeting.rfind('<', open - 1)) {
    const std::size_t close = greeting.find('>', open);
    if (close == std::string_view::npos) continue;
    const std::string_view inside = greeting.substr(open + 1, close - open - 1);
    const std::size_t at = inside.find('@');
    const bool printable = std::all_of(inside.begin(), inside.end(),
                                       [](char c) { return c > ' ' && c < 0x7F && c != '<'; });
    if (printable && at != 0 && at != std::string_view::npos && at + 1 < inside.size())
      return AnsiString(greeting.substr(open, close - open + 1));
  }
  return std::nullopt;
}

TPopThread::TPopThread(TPopItem& item)
    : TTCPThread(item), APOP(item.APOP), BeforeSmtp(item.BeforeSmtp) {
  Resume();
}

void TPopThread::Notify(const std::function<void(TZelPop3&, TPopItem&)>& fn) {
  Synchronize([&](TTCPComponent& c) { fn(static_cast<TZelPop3&>(c), PopItem()); });
}

void TPopThread::NotifyError(TPopErrorEventType kind) {
  ErrorKind = kind;
  Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoPopError(item, ErrorKind); });
}

void TPopThread::NotifyRefused() {
  Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoAuthenticateFail(item, BeforeSmtp); });
  NotifyError(peAuth);
}

bool TPopThread::Reply() {
  ReceiveReply();
  Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoServerStatus(item, LastReply); });
  return ResponseIs("+ok");
}

void TPopThread::Execute() {
  try {
    Connect();
    if (Terminated()) return;
    if (Security == scTls && !EstablishTls(false)) return FailTls();
    if (!Reply()) {
      NotifyError(peConnect);
      return Disconnect();
    }
    Greeting = LastReply;
    if (Terminated()) return Disconnect();
    if (Security == scStartTls && !StartTls()) return FailTls();
    if (!Login()) return;
    Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoAuthenticated(item, BeforeSmtp); });
    Quit();
  } catch (const std::exception&) {
    if (Ended()) return;
    NotifyError(peConnect);
    Quit();
  }
}

// RFC 2595 section 4: a server that refuses STLS ends the login; nothing
// of the credentials goes out in plain text.
bool TPopThread::StartTls() {
  SendCommand("STLS", "");
  if (!Reply()) {
    KeepLocalError(u"サーバが STLS を断ったため、暗号化できません");
    return false;
  }
  return EstablishTls(true);
}

void TPopThread::FailTls() {
  if (!Terminated()) NotifyError(peTls);
  Quit();
}

bool TPopThread::Login() {
  auto refused = [this] {
    NotifyRefused();
    Quit();
    return false;
  };
  TPlainAuthVerdict verdict = PlainAuthVerdict();
  if (verdict == TPlainAuthVerdict::kRefuse) {
    KeepLocalError(kPlainAuthRefused);
    return refused();
  }
  auto warn = [&] {
    if (verdict == TPlainAuthVerdict::kSendAndWarn) Notice(kPlainAuthWarning);
  };
  try {
    if (APOP) {
      // Without the server's timestamp the digest would be the same at
      // every login, and anyone who saw it once could replay it.
      const std::optional<AnsiString> timestamp = ApopTimestamp(Greeting);
      if (!timestamp) {
        KeepLocalError(
            u"サーバの応答に APOP のタイムスタンプ (<…@…>) がないため、APOP でログインできません。"
            u"Pop Before Smtp の設定の「APOP認証」を外してください");
        return refused();
      }
      // The password goes out only inside the digest, but one holding CR
      // or LF is refused here as everywhere else.
      if (!IsSafeCommandLine(Password)) return refused();
      warn();
      if (!SendCommand("APOP", User + ' ' + MD5Hex(*timestamp + Password))) return refused();
    } else {
      if (!SendCommand("USER", User) || !Reply()) return refused();
      if (Terminated()) {
        Disconnect();
        return false;
      }
      if (!IsSafeCommandLine(Password)) return refused();
      warn();
      if (!SendCommand("PASS", Password)) return refused();
    }
    return Reply() || refused();
  } catch (const ProtocolError&) {
    throw;
  } catch (const std::exception&) {
    if (Ended()) return false;
    NotifyRefused();
    Disconnect();
    return false;
  }
}

void TPopThread::DoTimeout() {
  NotifyError(peTimeOut);
}

void TPopThread::DoServerClosed() {
  // The caller waits for an outcome; a server that hangs up gives it one.
  NotifyError(peConnect);
}

void TPopThread::DoNotice(const AnsiString& text) {
  Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoPopNotice(item, text); });
}

void TPopThread::DoCommandSent(const AnsiString& command, const AnsiString& argument) {
  StatusText = Trim(command + ' ' + argument);
  // The secret part of these two commands is never reported.
  if (StartsWithAsciiText(StatusText, "APOP") || StartsWithAsciiText(StatusText, "PASS"))
    StatusText.resize(4);
  Notify([&](TZelPop3& pop, TPopItem& item) { pop.DoPopStatus(item, StatusText); });
}

}  // namespace orvane
