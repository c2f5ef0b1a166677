#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The service extensions of an EHLO reply (RFC 5321 section 4.1.1.1): one
// entry per keyword, its parameters after "=", as in "AUTH=LOGIN CRAM-MD5".
// Keywords are looked up without case.
class TEhloList {
 public:
  // Replaces the entries with those of a multi-line EHLO reply; its first
  // line, the server's greeting, is skipped. Parameters of a keyword that
  // comes twice are joined into one entry.
  void Parse(std::string_view text);
  // Without a value: whether the keyword is there. With one: whether it is
  // among the keyword's blank-separated parameters, without case.
  bool Has(std::string_view keyword, std::string_view value = {}) const;

  const std::vector<AnsiString>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  AnsiString* Find(std::string_view keyword);
  const AnsiString* Find(std::string_view keyword) const;

  std::vector<AnsiString> entries_;
};

}  // namespace orvane
