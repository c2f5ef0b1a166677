#pragma once

#include <filesystem>
#include <vector>

namespace orvane {

class TZelMime;

// The attachment file names of a message, bound to its part tree: adding a
// name attaches the file, deleting one removes its part. Reading the list
// through TZelMime::Attachments refreshes it from the tree, so it always
// shows what the tree holds.
class TAttachList {
 public:
  explicit TAttachList(TZelMime& owner) : owner_(owner) {}
  TAttachList(const TAttachList&) = delete;
  TAttachList& operator=(const TAttachList&) = delete;

  // Adds the entry and, unless an inline part of that file exists, a new
  // attachment part (the same file added twice is attached twice).
  void Add(const std::filesystem::path& fileName);
  void Insert(size_t index, const std::filesystem::path& fileName);
  // Removes the entry and the attachment part of that file.
  void Delete(size_t index);
  // Deletes every entry, the last first.
  void Clear();
  // Renames entry index and the part of the old name.
  void Put(size_t index, const std::filesystem::path& fileName);
  // Clears the list and adds each name.
  void Assign(const std::vector<std::filesystem::path>& fileNames);
  // Lists, depth-first, the FileName of every message part that has one
  // followed by the uuencoded files of every text part; the tree stays.
  void Refresh();

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const std::filesystem::path& operator[](size_t index) const { return items_.at(index); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void AttachPart(const std::filesystem::path& fileName);

  TZelMime& owner_;
  std::vector<std::filesystem::path> items_;
};

}  // namespace orvane
