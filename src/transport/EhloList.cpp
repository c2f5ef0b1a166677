#include "transport/EhloList.h"

#include <cctype>
#include <utility>

#include "transport/LineTransport.h"

namespace orvane {
namespace {

std::string_view NameOf(std::string_view entry) {
  return entry.substr(0, entry.find('='));
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithAsciiText(a, b);
}

AnsiString Upper(std::string_view text) {
  AnsiString upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

AnsiString* TEhloList::Find(std::string_view keyword) {
  for (AnsiString& entry : entries_)
    if (EqualNoCase(NameOf(entry), keyword)) return &entry;
  return nullptr;
}

const AnsiString* TEhloList::Find(std::string_view keyword) const {
  return const_cast<TEhloList*>(this)->Find(keyword);
}

void TEhloList::Parse(std::string_view text) {
  entries_.clear();
  bool greeting = true;
  while (!text.empty()) {
    std::size_t end = text.find("\r\n");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    if (std::exchange(greeting, false)) continue;
    if (line.size() <= 4) continue;
    line.remove_prefix(4);
    std::size_t blank = line.find(' ');
    std::string_view keyword = line.substr(0, blank);
    std::string_view rest = blank == std::string_view::npos ? line : line.substr(blank);
    if (AnsiString* entry = Find(keyword)) {
      *entry += rest;
    } else {
      AnsiString added(line);
      if (blank != std::string_view::npos) added[blank] = '=';
      entries_.push_back(std::move(added));
    }
  }
}

bool TEhloList::Has(std::string_view keyword, std::string_view value) const {
  if (value.empty()) {
    for (const AnsiString& entry : entries_)
      if (EqualNoCase(entry, keyword) || EqualNoCase(NameOf(entry), keyword)) return true;
    return false;
  }
  const AnsiString* entry = Find(keyword);
  std::size_t equals = entry ? entry->find('=') : std::string_view::npos;
  AnsiString parameters =
      equals == std::string_view::npos ? AnsiString() : entry->substr(equals + 1);
  return (' ' + Upper(parameters) + ' ').find(' ' + Upper(value) + ' ') != AnsiString::npos;
}

}  // namespace orvane
