#include <set>
#include <unordered_map>

#include "mime/AttachFile.h"
#include "mime/Decode.h"

namespace orvane {

// Points every "cid:" + Content-ID (RFC 2392) in the HTML files saved by
// this run at the file saved for that Content-ID. One pass over each file:
// where several ids match at one place, the one listed first wins, as if
// the ids were replaced one after another in list order.
void TMimeDecoder::ReplaceContentIds() {
  const auto& ids = mime_.contentIds_;
  if (ids.empty()) return;
  std::unordered_map<std::string_view, size_t> firstIndex;
  std::set<size_t> lengths;
  for (size_t i = 0; i < ids.size(); ++i) {
    if (ids[i].empty()) continue;
    firstIndex.try_emplace(ids[i], i);
    lengths.insert(ids[i].size());
  }
  if (firstIndex.empty()) return;

  for (const std::filesystem::path& file : mime_.Attachments()) {
    AnsiString ext = LowerExtension(file);
    if ((ext != ".htm" && ext != ".html") || !written_.contains(file)) continue;
    AnsiString content;
    if (!ReadFileNoFollow(file, content)) continue;
    AnsiString out;
    out.reserve(content.size());
    bool changed = false;
    size_t pos = 0, at;
    while ((at = content.find("cid:", pos)) != AnsiString::npos) {
      size_t idBegin = at + 4;
      size_t best = ids.size(), bestLength = 0;
      for (size_t length : lengths) {
        if (idBegin + length > content.size()) break;
        auto found = firstIndex.find(std::string_view(content).substr(idBegin, length));
        if (found != firstIndex.end() && found->second < best) {
          best = found->second;
          bestLength = length;
        }
      }
      out.append(content, pos, at - pos);
      if (best < ids.size()) {
        out += mime_.savedFiles_[best].native();
        pos = idBegin + bestLength;
        changed = true;
      } else {
        out += "cid:";
        pos = idBegin;
      }
    }
    out.append(content, pos);
    if (changed) RewriteFileNoFollow(file, out);
  }
}

}  // namespace orvane
