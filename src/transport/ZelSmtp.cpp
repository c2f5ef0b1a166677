#include "transport/ZelSmtp.h"

#include "platform/Error.h"
#include "transport/SmtpThread.h"

namespace orvane {

TZelSmtp::TZelSmtp(MainThread& mainThread) : TTCPComponent(mainThread) {
  SetPort(25);
}

TZelSmtp::~TZelSmtp() {
  DetachItems();
}

TSmtpItem* TZelSmtp::Send() {
  if (!recipients_) throw Error(u"送信先が設定されていません");
  return StartItem<TSmtpItem>(*this);
}

void TZelSmtp::DoServerStatus(TSmtpItem& item, const AnsiString& s) {
  if (OnServerStatus) OnServerStatus(item, s);
}

void TZelSmtp::DoSmtpStatus(TSmtpItem& item, const AnsiString& s) {
  if (OnSmtpStatus) OnSmtpStatus(item, s);
}

void TZelSmtp::DoSmtpError(TSmtpItem& item, TSmtpErrorEventType error) {
  if (OnSmtpError) OnSmtpError(item, error);
}

void TZelSmtp::DoSmtpClosed(TSmtpItem& item, bool success) {
  if (OnSmtpClosed) OnSmtpClosed(item, success);
}

void TZelSmtp::DoProgress(TSmtpItem& item, std::int64_t max, std::int64_t sended) {
  if (OnProgress) OnProgress(item, max, sended);
}

void TZelSmtp::DoItemDestroy(TSmtpItem& item) {
  if (OnItemDestroy) OnItemDestroy(item);
}

void TZelSmtp::DoRcptError(TSmtpItem& item, const std::vector<AnsiString>& errorAddress,
                           const std::vector<AnsiString>& replies) {
  if (OnRcptError) OnRcptError(item, errorAddress, replies);
}

void TZelSmtp::DoSmtpNotice(TSmtpItem& item, const AnsiString& s) {
  if (OnSmtpNotice) OnSmtpNotice(item, s);
}

void TZelSmtp::DoExtensions(TSmtpItem& item, const TSmtpExtensions& extensions) {
  if (OnExtensions) OnExtensions(item, extensions);
}

TSmtpItem::TSmtpItem(TZelSmtp& component)
    : TTCPItem(component),
      SmtpAuth(component.SmtpAuth()),
      AccessToken(component.AccessToken()),
      MailFrom(component.MailFrom()),
      Message(component.message_),
      MessageRest(component.messageRest_),
      MessageEnd(component.messageEnd_),
      Recipients(*component.Recipients()),
      AllRecipientsRequired(component.allRecipientsRequired_),
      ConnectionPool(component.connectionPool_),
      Dsn(component.dsn_),
      ReportsProgress(static_cast<bool>(component.OnProgress)) {}

TSmtpItem::~TSmtpItem() {
  WithComponent([this](TTCPComponent& c) { static_cast<TZelSmtp&>(c).DoItemDestroy(*this); });
}

void TSmtpItem::Start() {
  if (!Thread()) new TSmtpThread(*this);
}

}  // namespace orvane
