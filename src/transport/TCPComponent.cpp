#include "transport/TCPComponent.h"

#include <algorithm>

#include "transport/TCPThread.h"

namespace orvane {

TTCPItem::TTCPItem(TTCPComponent& component)
    : Host(component.Host()),
      User(component.User()),
      Password(component.Password()),
      Port(component.Port()),
      Security(component.Security()),
      TlsFingerprint(component.TlsFingerprint()),
      PlainAuth(component.PlainAuth()),
      list_(component.list_) {
  std::lock_guard guard(list_->Lock);
  list_->Items.push_back(this);
}

TTCPItem::~TTCPItem() {
  std::lock_guard guard(list_->Lock);
  std::erase(list_->Items, this);
}

void TTCPItem::Cancel() {
  if (thread_)
    thread_->Terminate();
  else
    delete this;
}

TTCPComponent* TTCPItem::Component() const {
  std::lock_guard guard(list_->Lock);
  return list_->Component;
}

void TTCPItem::WithComponent(const std::function<void(TTCPComponent&)>& fn) {
  std::lock_guard guard(list_->Lock);
  if (list_->Component) fn(*list_->Component);
}

TTCPComponent::TTCPComponent(MainThread& mainThread)
    : main_(&mainThread), list_(std::make_shared<TTCPItemList>()) {
  list_->Component = this;
}

TTCPComponent::~TTCPComponent() {
  DetachItems();
}

void TTCPComponent::CancelAll() {
  std::lock_guard guard(list_->Lock);
  // Cancelling an idle item frees it, which takes it off the list.
  for (std::size_t i = list_->Items.size(); i-- > 0;)
    if (i < list_->Items.size()) list_->Items[i]->Cancel();
}

void TTCPComponent::DetachItems() {
  std::lock_guard guard(list_->Lock);
  CancelAll();
  list_->Component = nullptr;
}

std::vector<TTCPItem*> TTCPComponent::Items() const {
  std::lock_guard guard(list_->Lock);
  return list_->Items;
}

}  // namespace orvane
