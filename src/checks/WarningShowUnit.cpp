#include "checks/WarningShowUnit.h"

#include <algorithm>
#include <utility>

#include "platform/CodePage.h"

namespace orvane {

namespace {

// The highest code a rule has: [警告17].
constexpr int kHighestCode = 17;

}  // namespace

TWarningForm::TWarningForm(std::vector<WideString> lines) {
  std::vector<std::pair<AnsiString, WideString>> keyed;
  keyed.reserve(lines.size());
  for (WideString& line : lines) keyed.emplace_back(WideToSjis(line), std::move(line));
  // Compared as unsigned bytes: lead bytes are above 0x80.
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(
        a.first.begin(), a.first.end(), b.first.begin(), b.first.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  });
  for (auto& [key, line] : keyed) lines_.push_back(std::move(line));
}

std::optional<TSeverity> TWarningForm::SeverityOf(std::u16string_view line) {
  if (line.size() < 2 || line[0] != u'[') return std::nullopt;
  switch (line[1]) {
    case u'警':
      return TSeverity::Warning;
    case u'注':
      return TSeverity::Caution;
    case u'情':
      return TSeverity::Information;
    default:
      return std::nullopt;
  }
}

int TWarningForm::HelpTopicOf(std::u16string_view line) {
  const std::optional<TSeverity> severity = SeverityOf(line);
  if (!severity) return 0;
  constexpr int kBase[] = {100, 200, 300};
  int code = 0;
  if (line.size() >= 5 && line[3] >= u'0' && line[3] <= u'9' && line[4] >= u'0' &&
      line[4] <= u'9') {
    code = (line[3] - u'0') * 10 + (line[4] - u'0');
    if (code < 1 || code > kHighestCode) code = 0;
  }
  return kBase[static_cast<int>(*severity)] + code;
}

}  // namespace orvane
