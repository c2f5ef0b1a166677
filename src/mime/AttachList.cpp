#include "mime/AttachList.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "mime/ZelMime.h"

namespace orvane {
namespace {

void CheckIndex(size_t index, size_t count) {
  if (index >= count)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

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
  CheckIndex(index, items_.size() + 1);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), fileName);
  AttachPart(fileName);
}

void TAttachList::Delete(size_t index) {
  CheckIndex(index, items_.size());
  TZelMessagePart* part = FindMessagePart(owner_.RootPart(), items_[index]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  if (part && !part->Inline) RemovePart(owner_.root_, part);
}

void TAttachList::Clear() {
  while (!items_.empty()) Delete(items_.size() - 1);
}

void TAttachList::Put(size_t index, const std::filesystem::path& fileName) {
  CheckIndex(index, items_.size());
  TZelMessagePart* part = FindMessagePart(owner_.RootPart(), items_[index]);
  items_[index] = fileName;
  if (part) part->SetFileName(fileName);
}

void TAttachList::Assign(const std::vector<std::filesystem::path>& fileNames) {
  Clear();
  for (const auto& name : fileNames) Add(name);
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
