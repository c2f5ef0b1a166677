#include "app/ReferenceUnit.h"

#include <algorithm>
#include <vector>

#include "app/MailAddUnit.h"
#include "platform/AsciiText.h"

namespace orvane {

namespace {

// The parent's References keep at most this many identifiers; its own
// Message-ID and In-Reply-To always join.
constexpr size_t kMaxInheritedReferences = 16;

class ReferenceChain {
 public:
  void Add(std::u16string_view text) {
    const WideString id = ExtractAddress(text, false, true);
    if (id.empty() || Contains(id)) return;
    ids_.push_back(id);
  }
  size_t Size() const { return ids_.size(); }

  WideString Folded() const {
    WideString value;
    for (size_t i = 0; i < ids_.size(); ++i) {
      if (i > 0) value += u'\t';
      value += ids_[i];
      value += u"\r\n";
    }
    return value;
  }

 private:
  bool Contains(const WideString& id) const {
    return std::any_of(ids_.begin(), ids_.end(),
                       [&](const WideString& each) { return SameAsciiText(each, id); });
  }

  std::vector<WideString> ids_;
};

}  // namespace

WideString BuildReferences(std::u16string_view references, std::u16string_view messageId,
                           std::u16string_view inReplyTo) {
  ReferenceChain chain;
  WideString current;
  bool collecting = false;
  for (char16_t c : references) {
    if (c == u'<') collecting = true;
    if (collecting) current.push_back(c);
    if (c != u'>') continue;
    if (chain.Size() < kMaxInheritedReferences) chain.Add(current);
    current.clear();
    collecting = false;
  }
  chain.Add(messageId);
  chain.Add(inReplyTo);
  return chain.Folded();
}

}  // namespace orvane
