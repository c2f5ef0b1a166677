#include "mime/FileNames.h"

#include <algorithm>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Path.h"

namespace orvane {
namespace {

constexpr std::u16string_view kReplacedByFullWidth = u"\\/:,;*?\"<>|";
constexpr size_t kMaxPathChars = 260;
constexpr size_t kMaxNameBytes = 255;

bool IsExtensionChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'+' || c == u'-';
}

}  // namespace

WideString SanitizeFileName(const WideString& name) {
  WideString out;
  out.reserve(name.size());
  for (char16_t c : name) {
    if (c == u'\t' || c == u'\n' || c == u'\r' || c == 0) continue;
    out += kReplacedByFullWidth.find(c) != std::u16string_view::npos ? FullWidthForm(c) : c;
  }
  size_t begin = 0, end = out.size();
  while (begin < end && out[begin] <= u' ') ++begin;
  while (end > begin && out[end - 1] <= u' ') --end;
  return out.substr(begin, end - begin);
}

bool IsUsableFileName(const WideString& name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  return name.find(u'/') == WideString::npos && name.find(u'\0') == WideString::npos;
}

WideString DefaultAttachName(const std::filesystem::path& folder, const WideString& extension,
                             WideString name, const WideString& subfolderName) {
  if (name.empty()) name = u"Attach" + subfolderName;
  WideString ext = extension.substr(0, extension.empty() ? 0 : 1);
  for (size_t i = 1; i < extension.size() && IsExtensionChar(extension[i]); ++i)
    ext += extension[i];
  size_t fixed = PathToWide(folder / "").size() + ext.size();
  if (fixed + name.size() >= kMaxPathChars) {
    size_t keep = fixed < kMaxPathChars ? kMaxPathChars - fixed : 0;
    if (keep > 0 && keep < name.size() && IsHighSurrogate(name[keep - 1])) --keep;
    name.resize(std::min(keep, name.size()));
  }
  return name + ext;
}

WideString FitFileNameLength(WideString name) {
  if (WideToUtf8(name).size() <= kMaxNameBytes) return name;
  size_t dot = name.rfind(u'.');
  WideString ext = dot != WideString::npos && name.size() - dot <= 32 ? name.substr(dot) : u"";
  size_t budget = kMaxNameBytes - WideToUtf8(ext).size();
  size_t used = 0, keep = 0;
  for (size_t i = 0; i < name.size() - ext.size(); ++i) {
    char16_t c = name[i];
    size_t bytes = c < 0x80             ? 1
                   : c < 0x800          ? 2
                   : IsHighSurrogate(c) ? 4
                   : IsLowSurrogate(c)  ? 0
                                        : 3;
    if (used + bytes > budget) break;
    used += bytes;
    keep = i + 1;
  }
  if (keep > 0 && IsHighSurrogate(name[keep - 1])) --keep;
  return name.substr(0, keep) + ext;
}

}  // namespace orvane
