#include "checks/LookAlike.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "checks/MailDomain.h"

namespace orvane {

namespace {

// Second-level labels under which names are registered: co.jp, ne.jp,
// com.au and the like.
constexpr std::array<std::u16string_view, 14> kSecondLevels{u"ac",  u"ad",  u"co",  u"ed", u"go",
                                                            u"gr",  u"lg",  u"ne",  u"or", u"com",
                                                            u"edu", u"gov", u"net", u"org"};

struct SplitDomain {
  std::u16string_view name;    // before the suffix
  std::u16string_view suffix;  // "co.jp", "com"
};

SplitDomain Split(std::u16string_view domain) {
  const size_t last = domain.rfind(u'.');
  if (last == std::u16string_view::npos || last == 0) return {domain, {}};
  size_t start = last;
  const size_t second = domain.rfind(u'.', last - 1);
  if (second != std::u16string_view::npos) {
    const std::u16string_view label = domain.substr(second + 1, last - second - 1);
    if (std::find(kSecondLevels.begin(), kSecondLevels.end(), label) != kSecondLevels.end())
      start = second;
  }
  return {domain.substr(0, start), domain.substr(start + 1)};
}

// The characters that pass for one another in most fonts, each pair made
// one: "rn" reads as "m", "0" as "o", "1" as "l".
WideString Skeleton(std::u16string_view text) {
  WideString skeleton;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'r' && i + 1 < text.size() && text[i + 1] == u'n') {
      skeleton += u'm';
      ++i;
    } else {
      skeleton += c == u'0' ? u'o' : c == u'1' ? u'l' : c;
    }
  }
  return skeleton;
}

// The edits (change, insertion, deletion, swap of neighbours) that turn one
// text into the other, each character edited once at most (optimal string
// alignment); any count above `limit` comes back as limit + 1.
int EditDistance(std::u16string_view a, std::u16string_view b, int limit) {
  if (std::abs(static_cast<long>(a.size()) - static_cast<long>(b.size())) > limit) return limit + 1;
  const size_t columns = b.size() + 1;
  std::vector<int> before(columns), previous(columns), current(columns);
  for (size_t j = 0; j < columns; ++j) previous[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    current[0] = static_cast<int>(i);
    for (size_t j = 1; j < columns; ++j) {
      const int change = a[i - 1] == b[j - 1] ? 0 : 1;
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before.swap(previous);
    previous.swap(current);
  }
  return std::min(previous[b.size()], limit + 1);
}

bool Resembles(std::u16string_view domain, std::u16string_view known) {
  if (IsSubdomainOf(domain, known)) return false;
  const SplitDomain d = Split(domain);
  const SplitDomain k = Split(known);
  if (!k.name.empty() && d.name == k.name) return true;
  if (Skeleton(domain) == Skeleton(known)) return true;
  const int distance = EditDistance(domain, known, 2);
  if (distance == 1) return k.name.size() >= 3;
  return distance == 2 && k.name.size() >= 6 && domain.front() == known.front();
}

}  // namespace

std::optional<WideString> LookAlikeOf(std::u16string_view domain,
                                      const std::vector<WideString>& known) {
  if (domain.empty() || std::find(known.begin(), known.end(), domain) != known.end())
    return std::nullopt;
  for (const WideString& candidate : known)
    if (!candidate.empty() && Resembles(domain, candidate)) return candidate;
  return std::nullopt;
}

}  // namespace orvane
