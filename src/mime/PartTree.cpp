#include "mime/PartTree.h"

#include <utility>
#include <vector>

#include "mime/ByteText.h"
#include "platform/ListIndex.h"

namespace orvane {
namespace {

// Visits the parts below a multipart depth-first without recursion, so a
// deep tree cannot exhaust the stack.
TZelMimePart* FindBelow(TZelMultiPart& top, const std::function<bool(TZelMimePart&)>& visit) {
  std::vector<std::pair<TZelMultiPart*, size_t>> stack{{&top, 0}};
  while (!stack.empty()) {
    auto& [multi, next] = stack.back();
    if (next == multi->Parts.Count()) {
      stack.pop_back();
      continue;
    }
    TZelMimePart& part = multi->Parts[next++];
    if (visit(part)) return &part;
    if (auto* nested = dynamic_cast<TZelMultiPart*>(&part)) stack.emplace_back(nested, 0);
  }
  return nullptr;
}

}  // namespace

TZelMimePart* AddPart(TPartRoot& root, std::unique_ptr<TZelMimePart> part, const Clock& clock) {
  if (!part) {
    root.reset();
    return nullptr;
  }
  if (!root) {
    root = std::move(part);
    return root.get();
  }
  auto* multi = dynamic_cast<TZelMultiPart*>(root.get());
  if (multi && SameAsciiText(multi->SubType, "mixed")) return multi->Parts.Add(std::move(part));
  auto mixed = std::make_unique<TZelMultiPart>(clock);
  mixed->Parts.Add(std::move(root));
  TZelMimePart* added = mixed->Parts.Add(std::move(part));
  root = std::move(mixed);
  return added;
}

TZelMimePart* FindPart(TZelMimePart* root, const std::function<bool(TZelMimePart&)>& visit) {
  if (!root) return nullptr;
  if (visit(*root)) return root;
  auto* multi = dynamic_cast<TZelMultiPart*>(root);
  return multi ? FindBelow(*multi, visit) : nullptr;
}

TZelTextPart* MainTextPart(TZelMimePart* root) {
  return static_cast<TZelTextPart*>(FindPart(root, [](TZelMimePart& p) {
    auto* text = dynamic_cast<TZelTextPart*>(&p);
    return text && text->HasText;
  }));
}

TZelHtmlPart* FirstHtmlPart(TZelMimePart* root) {
  return static_cast<TZelHtmlPart*>(
      FindPart(root, [](TZelMimePart& p) { return dynamic_cast<TZelHtmlPart*>(&p) != nullptr; }));
}

TZelMultiPart* FindMultiPart(TZelMimePart* root, std::string_view boundary) {
  return static_cast<TZelMultiPart*>(FindPart(root, [&](TZelMimePart& p) {
    auto* multi = dynamic_cast<TZelMultiPart*>(&p);
    return multi && multi->Boundary == boundary;
  }));
}

TZelMessagePart* FindMessagePart(TZelMimePart* root, const std::filesystem::path& fileName) {
  return static_cast<TZelMessagePart*>(FindPart(root, [&](TZelMimePart& p) {
    auto* message = dynamic_cast<TZelMessagePart*>(&p);
    return message && SameAsciiText(message->FileName.native(), fileName.native());
  }));
}

size_t PartCount(TZelMimePart* root) {
  if (!root) return 0;
  auto* multi = dynamic_cast<TZelMultiPart*>(root);
  if (!multi) return 1;
  size_t count = 0;
  FindBelow(*multi, [&](TZelMimePart&) {
    ++count;
    return false;
  });
  return count;
}

TZelMimePart& PartAt(TZelMimePart* root, size_t index) {
  TZelMimePart* found = nullptr;
  if (auto* multi = dynamic_cast<TZelMultiPart*>(root)) {
    size_t position = 0;
    found = FindBelow(*multi, [&](TZelMimePart&) { return position++ == index; });
  } else if (root && index == 0) {
    found = root;
  }
  if (!found) CheckListIndex(index, PartCount(root));
  return *found;
}

void RemovePart(TPartRoot& root, TZelMimePart* part) {
  if (!part) return;
  if (part == root.get()) {
    root.reset();
  } else if (TZelMultiPart* parent = part->Parent()) {
    parent->Parts.Remove(part);
  }
}

}  // namespace orvane
