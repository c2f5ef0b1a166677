#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFile.h"

namespace orvane {

// The program's settings: the general file "orvane.ini" and one file per
// account (the account name followed by ".ini"), all in the program folder.
// Texts are Shift_JIS, as stored. Failures to write throw FileError; values
// that must be numbers and are not throw ConvertError.
class IniFileUnit {
 public:
  explicit IniFileUnit(std::filesystem::path programFolder);

  // ProgramPath's folder part and the files and folders in it.
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  std::filesystem::path GeneralFilePath() const;                 // "orvane.ini"
  std::filesystem::path AccountFilePath(const AnsiString& account) const;
  std::filesystem::path AttachFolder() const;                    // "AttachFiles"
  std::filesystem::path AddressFolder() const;                   // "Address"
  std::filesystem::path SentLogFolder() const;                   // "SendedLog"
  bool AccountExists(const AnsiString& account) const;
  IniFile GeneralFile() const;
  IniFile AccountFile(const AnsiString& account) const;  // created with mode 0600

  int ReadGeneralInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const;
  AnsiString ReadGeneralString(const AnsiString& section, const AnsiString& key,
                               const AnsiString& defaultValue) const;
  bool ReadGeneralBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const;
  void WriteGeneralInteger(const AnsiString& section, const AnsiString& key, int value) const;
  void WriteGeneralString(const AnsiString& section, const AnsiString& key,
                          const AnsiString& value) const;
  void WriteGeneralBool(const AnsiString& section, const AnsiString& key, bool value) const;

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
  // Writes a block as the dialogs do: erases the section, writes the other
  // keys given, then LineCount and the quoted lines when text is not empty.
  void WriteAccountBlock(const AnsiString& account, const AnsiString& section,
                         const AnsiString& text,
                         const std::vector<std::pair<AnsiString, AnsiString>>& otherKeys = {}) const;

  // The attached files' full paths (Shift_JIS), each followed by CR LF.
  AnsiString ListAttachFiles() const;

 private:
  std::filesystem::path programFolder_;
};

// An account boolean: "0" and "False" (any case) are false, any other
// number and "True" true; other text throws ConvertError.
bool AccountBoolFromText(const AnsiString& text);
// A decimal integer, or throws ConvertError ("'%s' は有効な整数値ではありません").
int StrToInt(const AnsiString& text);

// The path in its long form: one trailing separator dropped, each existing
// component in the case the file system reports; an unknown path unchanged.
std::filesystem::path ExpandLongPath(const std::filesystem::path& path);

}  // namespace orvane
