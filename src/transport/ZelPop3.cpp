#include "transport/ZelPop3.h"

#include "transport/Pop3Thread.h"

namespace orvane {

TZelPop3::TZelPop3(MainThread& mainThread) : TTCPComponent(mainThread) {
  SetPort(110);
}

TZelPop3::~TZelPop3() {
  DetachItems();
}

TPopItem* TZelPop3::Authenticate(bool beforeSmtp) {
  authOnly_ = true;
  beforeSmtp_ = beforeSmtp;
  return StartItem<TPopItem>(*this);
}

void TZelPop3::DoServerStatus(TPopItem& item, const AnsiString& s) {
  if (OnServerStatus) OnServerStatus(item, s);
}

void TZelPop3::DoPopStatus(TPopItem& item, const AnsiString& s) {
  if (OnPopStatus) OnPopStatus(item, s);
}

void TZelPop3::DoPopError(TPopItem& item, TPopErrorEventType error) {
  if (OnPopError) OnPopError(item, error);
}

void TZelPop3::DoItemDestroy(TPopItem& item) {
  if (OnItemDestroy) OnItemDestroy(item);
}

void TZelPop3::DoAuthenticated(TPopItem& item, bool beforeSmtp) {
  if (OnAuthenticated) OnAuthenticated(item, beforeSmtp);
}

void TZelPop3::DoAuthenticateFail(TPopItem& item, bool beforeSmtp) {
  if (OnAuthenticateFail) OnAuthenticateFail(item, beforeSmtp);
}

void TZelPop3::DoPopNotice(TPopItem& item, const AnsiString& s) {
  if (OnPopNotice) OnPopNotice(item, s);
}

TPopItem::TPopItem(TZelPop3& component)
    : TTCPItem(component),
      APOP(component.APOP()),
      BeforeSmtp(component.BeforeSmtp()),
      AuthOnly(component.AuthOnly()) {}

TPopItem::~TPopItem() {
  WithComponent([this](TTCPComponent& c) { static_cast<TZelPop3&>(c).DoItemDestroy(*this); });
}

void TPopItem::Start() {
  if (!Thread()) new TPopThread(*this);
}

}  // namespace orvane
