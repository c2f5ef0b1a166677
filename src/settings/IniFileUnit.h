#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFile.h"
#include "settings/SettingKeys.h"

namespace orvane {

// The program's settings: the general file "orvane.ini" and one file per
// account (the account name followed by ".ini"), all in the program folder.
// Texts are Shift_JIS, as stored. Failures to write throw FileError; values
// that must be numbers and are not throw ConvertError.
class IniFileUnit {
 public:
  explicit IniFileUnit(std::filesystem::path programFolder);

  // ProgramPath's folder part (in its long form) and the files and folders
  // in it. A name is looked up without regard to ASCII case when no entry of
  // exactly that name exists, so "Work.INI" is the file of account "work".
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  std::filesystem::path GeneralFilePath() const;  // "orvane.ini"
  // Throws FileError for a name that IsAccountName refuses.
  std::filesystem::path AccountFilePath(const AnsiString& account) const;
  std::filesystem::path AttachFolder() const;   // "AttachFiles"
  std::filesystem::path AddressFolder() const;  // "Address"
  std::filesystem::path SentLogFolder() const;  // "SendedLog"
  // False also for a name that cannot be an account's.
  bool AccountExists(const AnsiString& account) const;
  IniFile GeneralFile() const;
  IniFile AccountFile(const AnsiString& account) const;  // private: left 0600 by every write

  int ReadGeneralInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const;
  AnsiString ReadGeneralString(const AnsiString& section, const AnsiString& key,
                               const AnsiString& defaultValue) const;
  bool ReadGeneralBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const;
  void WriteGeneralInteger(const AnsiString& section, const AnsiString& key, int value) const;
  void WriteGeneralString(const AnsiString& section, const AnsiString& key,
                          const AnsiString& value) const;
  void WriteGeneralBool(const AnsiString& section, const AnsiString& key, bool value) const;

  // The declared keys of SettingKeys.h, with their declared defaults.
  int Read(const GeneralInteger& key) const;
  bool Read(const GeneralBool& key) const;
  AnsiString Read(const GeneralText& key) const;
  void Write(const GeneralInteger& key, int value) const;
  void Write(const GeneralBool& key, bool value) const;
  void Write(const GeneralText& key, const AnsiString& value) const;
  // A secret (AccountText::whole) is read whole, other values as the store reads them.
  AnsiString Read(const AnsiString& account, const AccountText& key) const;
  void Write(const AnsiString& account, const AccountText& key, const AnsiString& value) const;
  // Several keys of section "Account" in one write, the keys of `erased`
  // removed: all of it or, when the write fails, none.
  void Write(const AnsiString& account,
             const std::vector<std::pair<AccountText, AnsiString>>& values,
             const std::vector<AccountText>& erased = {}) const;
  // An account boolean, read as text; throws ConvertError for other text.
  bool ReadBool(const AnsiString& account, const AccountText& key) const;

  // Section "Account" of the account's file.
  AnsiString ReadAccountString(const AnsiString& account, const AnsiString& key,
                               const AnsiString& defaultValue) const;
  void WriteAccountString(const AnsiString& account, const AnsiString& key,
                          const AnsiString& value) const;
  // Any section of the account's file.
  AnsiString ReadAccountValue(const AnsiString& account, const AnsiString& section,
                              const AnsiString& key, const AnsiString& defaultValue) const;
  void WriteAccountValue(const AnsiString& account, const AnsiString& section,
                         const AnsiString& key, const AnsiString& value) const;
  void EraseAccountSection(const AnsiString& account, const AnsiString& section) const;
  // An account boolean of section "Account", read as text (default "false").
  bool ReadAccountBool(const AnsiString& account, const AnsiString& key) const;

  // The multi-line blocks, lines joined by CR LF.
  AnsiString ReadTemplateBlock(const AnsiString& account) const;
  AnsiString ReadSignatureBlock(const AnsiString& account) const;
  AnsiString ReadXHeaderBlock(const AnsiString& account) const;  // "=" read as ": "
  // Writes a block as the dialogs do, in one write: erases the section,
  // writes the other keys given, then LineCount and the quoted lines when
  // text is not empty. Lines end in CR LF, LF or CR; a line break at the end
  // starts no further line.
  void WriteAccountBlock(
      const AnsiString& account, const AnsiString& section, const AnsiString& text,
      const std::vector<std::pair<AnsiString, AnsiString>>& otherKeys = {}) const;

  // The attached files: the plain files directly inside the attachment
  // folder, sorted by name. A name Shift_JIS cannot hold stays whole here.
  std::vector<std::filesystem::path> AttachFilePaths() const;
  // The same paths as Shift_JIS, each followed by CR LF.
  AnsiString ListAttachFiles() const;

 private:
  std::filesystem::path programFolder_;
};

// Whether a text can name an account: its file must be one file directly
// inside the program folder, so "/", NUL and the names "." and ".." are
// refused.
bool IsAccountName(const AnsiString& account);

// How much of an account value is read: a secret whole.
inline ValueLength ValueLengthOf(const AccountText& key) {
  return key.whole ? ValueLength::kWhole : ValueLength::kLimited;
}

// The texts an account file stores for a boolean.
inline constexpr const char* kAccountTrue = "-1";
inline constexpr const char* kAccountFalse = "0";
inline const char* AccountBoolText(bool value) {
  return value ? kAccountTrue : kAccountFalse;
}

// An account boolean: "0" and "False" (any case) are false, any other
// number and "True" true; other text throws ConvertError. StrToInt, for the
// account file's numbers, is declared with IniFile.
bool AccountBoolFromText(const AnsiString& text);

// The path in its long form: one trailing separator dropped, each existing
// component in the case the file system reports; an unknown path unchanged.
std::filesystem::path ExpandLongPath(const std::filesystem::path& path);

}  // namespace orvane
