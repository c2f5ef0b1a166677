#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// How much of a value a read gives: at most ProfileText::kMaxValueLength
// bytes, as the settings store reads what the user types, or the whole
// value, for what must never be cut (passwords, tokens, fingerprints, the
// address book's values).
enum class ValueLength { kLimited, kWhole };

// The text of a private-profile ini file, held line by line so that a change
// leaves every other line as it was: comments, blank lines, unknown sections,
// lines without "=" and the line ends the file uses.
//
// A line whose first non-blank character is "[" and that holds a "]" opens
// the section named between them, without surrounding blanks. A line with an
// "=" holds a key (the text before the first "=") and its value (the text
// after it), both without surrounding blanks. Any other line, and a line
// starting with ";", is kept but means nothing. Keys before the first
// section belong to no section. Section names and keys are compared without
// regard to ASCII case; sections of the same name count as one.
class ProfileText {
 public:
  using Keys = std::vector<std::pair<AnsiString, AnsiString>>;

  // The longest value that is read, in bytes; the rest of the line is cut
  // before a character that would not fit.
  static constexpr size_t kMaxValueLength = 2047;

  explicit ProfileText(std::string_view bytes = {});

  // The value of the first line of the key in the section: one pair of
  // enclosing double or single quotes removed, at most kMaxValueLength
  // bytes unless the whole value is asked for. nullopt when the section or
  // the key is missing.
  std::optional<AnsiString> Find(std::string_view section, std::string_view key,
                                 ValueLength length = ValueLength::kLimited) const;
  // Every key line of the section in file order, repeated keys included
  // (the first counts), values as Find gives them.
  Keys SectionKeys(std::string_view section, ValueLength length = ValueLength::kLimited) const;
  bool HasSection(std::string_view section) const;

  // Replaces the first line of the key, or adds it after the last non-blank
  // line of the section, or adds the section at the end. New lines end in
  // CR LF. A line break in the value would turn into lines of their own, so
  // such a value throws Error and changes nothing.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key in the section: a secret that moved
  // elsewhere leaves no empty key behind.
  void EraseKey(std::string_view section, std::string_view key);
  // Removes every section of the name with all its lines.
  void EraseSection(std::string_view section);
  // Erases the section and adds it again at the end with these keys, in this
  // order; with no keys the section is only erased.
  void ReplaceSection(std::string_view section, const Keys& keys);

  AnsiString Bytes() const;

 private:
  struct Line {
    AnsiString text;  // without its line end
    AnsiString end;   // "\r\n", "\n", or empty for a last line without one
  };

  // Calls visit(index, key, raw value) for every key line of the section
  // until it returns false.
  template <typename Visit>
  void ForEachKey(std::string_view section, Visit visit) const;
  void InsertLine(size_t at, AnsiString text);
  void AppendSection(std::string_view section, const Keys& keys);

  std::vector<Line> lines_;
};

}  // namespace orvane
