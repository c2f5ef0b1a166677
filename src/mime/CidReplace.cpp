#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "mime/Decode.h"

namespace orvane {
namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// The Content-IDs as a byte trie: the ids a text begins with are all found
// in one walk, however many ids a message declares.
class TContentIdTrie {
 public:
  explicit TContentIdTrie(const std::vector<AnsiString>& ids) {
    for (size_t i = 0; i < ids.size(); ++i) Add(ids[i], i);
  }

  bool Empty() const { return firstIndex_.size() == 1; }

  struct TMatch {
    size_t index = kNone;  // kNone: no id matches
    size_t length = 0;
  };
  // Of the ids the text begins with, the one listed first.
  TMatch FirstListed(std::string_view text) const {
    TMatch match;
    std::uint32_t node = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      auto child = children_.find(Key(node, text[i]));
      if (child == children_.end()) break;
      node = child->second;
      if (firstIndex_[node] < match.index) match = {firstIndex_[node], i + 1};
    }
    return match;
  }

 private:
  static std::uint64_t Key(std::uint32_t node, char byte) {
    return std::uint64_t{node} << 8 | static_cast<unsigned char>(byte);
  }

  void Add(std::string_view id, size_t index) {
    if (id.empty()) return;
    std::uint32_t node = 0;
    for (char byte : id) {
      auto [child, added] =
          children_.try_emplace(Key(node, byte), static_cast<std::uint32_t>(firstIndex_.size()));
      if (added) firstIndex_.push_back(kNone);
      node = child->second;
    }
    if (firstIndex_[node] == kNone) firstIndex_[node] = index;
  }

  std::vector<size_t> firstIndex_{kNone};  // per node, the first id ending there
  std::unordered_map<std::uint64_t, std::uint32_t> children_;
};

}  // namespace

// Points every "cid:" + Content-ID (RFC 2392) in the HTML files saved by
// this run at the file saved for that Content-ID. One pass over each file:
// where several ids match at one place, the one listed first wins, as if
// the ids were replaced one after another in list order.
void TMimeDecoder::ReplaceContentIds() {
  const TContentIdTrie ids(mime_.contentIds_);
  if (ids.Empty()) return;

  for (const std::filesystem::path& file : mime_.Attachments()) {
    AnsiString ext = LowerExtension(file);
    if ((ext != ".htm" && ext != ".html") || !written_.contains(file)) continue;
    AnsiString content;
    if (!mime_.AttachStore->Read(file, content)) continue;
    AnsiString out;
    out.reserve(content.size());
    bool changed = false;
    size_t pos = 0;
    for (size_t at; (at = content.find("cid:", pos)) != AnsiString::npos;) {
      out.append(content, pos, at - pos);
      TContentIdTrie::TMatch match = ids.FirstListed(std::string_view(content).substr(at + 4));
      if (match.index == kNone) {
        out += "cid:";
        pos = at + 4;
        continue;
      }
      out += mime_.savedFiles_[match.index].native();
      pos = at + 4 + match.length;
      changed = true;
    }
    out.append(content, pos);
    if (changed) mime_.AttachStore->Rewrite(file, out);
  }
}

}  // namespace orvane
