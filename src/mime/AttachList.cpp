#include "mime/AttachList.h"

#include "mime/ZelMime.h"
#include "platform/ListIndex.h"

namespace orvane {

void TAttachList::AttachPart(const std::filesystem::path& fileName) {
  TZelMessagePart* existing = FindMessagePart(owner_.RootPart(), fileName);
  if (existing && existing->Inline) return;
  auto part = std::make_unique<TZelMessagePart>();
  part->SetFileName(fileName);
  owner_.AddPart(std::move(part));
}

void TAttachList::Add(const std::filesystem::path& fileName) {
  items_.push_back(fileName);
  AttachPart(fileName);
}

void TAttachList::Insert(size_t index, const std::filesystem::path& fileName) {
  CheckListIndex(index, items_.size() + 1);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), fileName);
  AttachPart(fileName);
}

void TAttachList::Delete(size_t index) {
  CheckListIndex(index, items_.size());
  TZelMessagePart* part = FindMessagePart(owner_.RootPart(), items_[index]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  if (part && !part->Inline) RemovePart(owner_.root_, part);
}

void TAttachList::Clear() {
  while (!items_.empty()) Delete(items_.size() - 1);
}

void TAttachList::Put(size_t index, const std::filesystem::path& fileName) {
  CheckListIndex(index, items_.size());
  TZelMessagePart* part = FindMessagePart(owner_.RootPart(), items_[index]);
  items_[index] = fileName;
  if (part) part->SetFileName(fileName);
}

void TAttachList::Assign(const std::vector<std::filesystem::path>& fileNames) {
  Clear();
  for (const auto& name : fileNames) Add(name);
}

const std::filesystem::path& TAttachList::operator[](size_t index) const {
  CheckListIndex(index, items_.size());
  return items_[index];
}

void TAttachList::Refresh() {
  items_.clear();
  FindPart(owner_.RootPart(), [&](TZelMimePart& part) {
    if (auto* message = dynamic_cast<TZelMessagePart*>(&part);
        message && !message->FileName.empty())
      items_.push_back(message->FileName);
    if (auto* text = dynamic_cast<TZelTextPart*>(&part))
      items_.insert(items_.end(), text->UUFiles.begin(), text->UUFiles.end());
    return false;
  });
}

}  // namespace orvane
