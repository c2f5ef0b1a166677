#pragma once

#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/Types.h"

namespace orvane {

struct TParsedAddress {
  AnsiString address;  // Shift_JIS
  WideString rest;     // the text after the first list separator
};

// The address of the first element of a comma-separated address list: the
// text inside angle brackets (quoted strings inside them included) before
// the first comma outside quotes, comments and brackets; without angle
// brackets, the ASCII runs and quoted strings before that comma (blanks,
// comments and non-ASCII text left out).
TParsedAddress ParseAddress(const WideString& text);

// An address list with its groups (RFC 5322 section 3.4) opened up: a
// group's name and colon go and its semicolon becomes a comma, so that
// "Team: a@x, b@y;" lists a@x and b@y and an empty group nothing.
WideString OpenGroups(std::u16string_view list);

// The envelope recipients: addresses without repeats (compared exactly).
class TAddressList {
 public:
  // Appends every address of a comma-separated list that is not yet present;
  // an element without an address is skipped. Returns the index of the last
  // entry (-1 for an empty list).
  int Add(const WideString& text);
  int Add(std::string_view sjisText);
  int IndexOf(std::string_view address) const;
  void Clear();

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const AnsiString& operator[](size_t index) const { return items_[index]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  // One line per entry, each followed by CR LF.
  AnsiString Text() const;

 private:
  std::vector<AnsiString> items_;
  std::unordered_set<AnsiString> present_;
};

}  // namespace orvane
