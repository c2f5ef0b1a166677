#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/Types.h"
#include "settings/ProfileText.h"

namespace orvane {

// One private-profile ini file, Shift_JIS on disk. Every call opens the
// file, performs one access and closes it again: nothing is cached, so a
// change made by hand or by another window is seen at the next read.
//
// Reading: section names and keys are compared without regard to case, the
// first occurrence of a key in its section counts, the value is the text
// after the first "=" without surrounding blanks, one pair of enclosing
// double or single quotes is removed, and at most 2047 characters are read
// unless the whole value is asked for. A missing file, section or key gives
// the default. Only a regular file of at most kMaxFileBytes is read: a
// device, a pipe or a larger file reads as one that cannot be read.
//
// Writing replaces the key's line or adds it at the end of its section,
// creating the section and the file when needed. The new file is written
// beside the old one and renamed over it, so the file holds either the old
// or the new text. A failed write throws FileError "%s に書き込めません" and
// leaves the file as it was; so does a write into a file that exists but
// cannot be read, which would otherwise lose its other lines. A write that
// changes nothing leaves the file alone (but for a private file's mode). A
// file that cannot be read gives the defaults.
class IniFile {
 public:
  // What a write does with the file's mode and with a symbolic link.
  enum class Kind {
    // Settings: a new file is made 0600, an existing one keeps its mode,
    // and a symbolic link is written through to its target.
    kSettings,
    // A password, a token, what was sent to whom: every write leaves the
    // file 0600 whatever its mode was; a write that changes nothing still
    // takes the rights of group and others away. Links are written through.
    kPrivate,
    // A file of a folder the program keeps (the address book): as
    // kSettings, but a symbolic link is replaced by the file, never written
    // through, so that no write reaches outside the folder.
    kFolderFile,
  };

  // The largest file that is read.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{16} << 20;

  explicit IniFile(std::filesystem::path path, Kind kind = Kind::kSettings);

  const std::filesystem::path& Path() const { return path_; }

  AnsiString ReadString(const AnsiString& section, const AnsiString& key,
                        const AnsiString& defaultValue,
                        ValueLength length = ValueLength::kLimited) const;
  // Decimal, or hexadecimal after "$" or "0x"; any other text gives the default.
  int ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const;
  // Read as an integer: 0 false, any other number true, other text the default.
  bool ReadBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const;

  void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value) const;
  void WriteInteger(const AnsiString& section, const AnsiString& key, int value) const;
  // Written as "1" or "0".
  void WriteBool(const AnsiString& section, const AnsiString& key, bool value) const;

  void EraseSection(const AnsiString& section) const;
  bool SectionExists(const AnsiString& section) const;

  // The file's text as it is now, for several reads from one opening.
  ProfileText Load() const;
  // Several changes in one write: reads the file, lets edit change the text
  // and writes it back as above. An exception from edit writes nothing.
  void Update(const std::function<void(ProfileText&)>& edit) const;

 private:
  std::filesystem::path path_;
  Kind kind_;
};

// An integer as the settings store reads it: decimal, or hexadecimal after
// "$" or "0x", with an optional sign, the whole text; hexadecimal values up
// to FFFFFFFF wrap to negative numbers. nullopt for any other text.
std::optional<int> ParseInteger(std::string_view text);
// ParseInteger, or throws ConvertError ("'%s' は有効な整数値ではありません").
int StrToInt(const AnsiString& text);

}  // namespace orvane
