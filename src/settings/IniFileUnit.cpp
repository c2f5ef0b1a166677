#include "settings/IniFileUnit.h"

#include <system_error>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "settings/ProfileBlock.h"
#include "settings/SjisText.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// The entry of the folder with this name, found without regard to ASCII
// case when there is no entry of exactly this name: an account listed from
// "Work.INI" is the account "Work", whose file must not become a new
// "Work.ini" beside it.
fs::path EntryOf(const fs::path& folder, const std::string& name) {
  fs::path exact = folder / name;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
  // The name as a wildcard narrows the listing; "?" and "*" in it match
  // more, which the comparison sorts out.
  for (const DirEntry& entry : ListDirectory(folder, name))
    if (SameAsciiText(entry.name, name)) return entry.path;
  return exact;
}

std::string_view DropTrailingSeparator(std::string_view path) {
  if (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

// The name of the folder's entry as the file system stores it: on a file
// system that ignores case, the name looked up may differ from it.
std::string StoredName(const fs::path& folder, const std::string& name) {
  std::string found = name;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().native();
    if (entry == name) return name;
    if (found == name && SameAsciiText(entry, name)) found = entry;
  }
  return found;
}

AnsiString ReadBlockText(const IniFile& file, std::string_view section) {
  return JoinTextLines(ReadProfileBlock(file.Load(), section));
}

}  // namespace

IniFileUnit::IniFileUnit(fs::path programFolder) : programFolder_(ExpandLongPath(programFolder)) {}

fs::path IniFileUnit::GeneralFilePath() const {
  return EntryOf(programFolder_, kGeneralFileName);
}

bool IsAccountName(const AnsiString& account) {
  return account != "." && account != ".." &&
         account.find_first_of(std::string_view("/\0", 2)) == AnsiString::npos;
}

fs::path IniFileUnit::AccountFilePath(const AnsiString& account) const {
  // The account's name is one file name: a "/" would reach outside the
  // program folder. The name is checked as the file system will see it.
  std::string name = SjisToPath(account).native();
  if (!IsAccountName(name))
    throw FileError(FormatMessage(u"'%s' はアカウント名に使えません", SjisToWide(account)));
  return EntryOf(programFolder_, name + kAccountFileExtension);
}

fs::path IniFileUnit::AttachFolder() const {
  return EntryOf(programFolder_, kAttachFolderName);
}

fs::path IniFileUnit::AddressFolder() const {
  return EntryOf(programFolder_, kAddressFolderName);
}

fs::path IniFileUnit::SentLogFolder() const {
  return EntryOf(programFolder_, kSentLogFolderName);
}

bool IniFileUnit::AccountExists(const AnsiString& account) const {
  try {
    return FileExists(AccountFilePath(account));
  } catch (const FileError&) {
    return false;
  }
}

IniFile IniFileUnit::GeneralFile() const {
  return IniFile(GeneralFilePath());
}

IniFile IniFileUnit::AccountFile(const AnsiString& account) const {
  return IniFile(AccountFilePath(account), IniFile::Kind::kPrivate);
}

int IniFileUnit::ReadGeneralInteger(const AnsiString& section, const AnsiString& key,
                                    int defaultValue) const {
  return GeneralFile().ReadInteger(section, key, defaultValue);
}

AnsiString IniFileUnit::ReadGeneralString(const AnsiString& section, const AnsiString& key,
                                          const AnsiString& defaultValue) const {
  return GeneralFile().ReadString(section, key, defaultValue);
}

bool IniFileUnit::ReadGeneralBool(const AnsiString& section, const AnsiString& key,
                                  bool defaultValue) const {
  return GeneralFile().ReadBool(section, key, defaultValue);
}

void IniFileUnit::WriteGeneralInteger(const AnsiString& section, const AnsiString& key,
                                      int value) const {
  GeneralFile().WriteInteger(section, key, value);
}

void IniFileUnit::WriteGeneralString(const AnsiString& section, const AnsiString& key,
                                     const AnsiString& value) const {
  GeneralFile().WriteString(section, key, value);
}

void IniFileUnit::WriteGeneralBool(const AnsiString& section, const AnsiString& key,
                                   bool value) const {
  GeneralFile().WriteBool(section, key, value);
}

AnsiString IniFileUnit::ReadAccountString(const AnsiString& account, const AnsiString& key,
                                          const AnsiString& defaultValue) const {
  return AccountFile(account).ReadString(keys::kAccountSection, key, defaultValue);
}

void IniFileUnit::WriteAccountString(const AnsiString& account, const AnsiString& key,
                                     const AnsiString& value) const {
  AccountFile(account).WriteString(keys::kAccountSection, key, value);
}

AnsiString IniFileUnit::ReadAccountValue(const AnsiString& account, const AnsiString& section,
                                         const AnsiString& key,
                                         const AnsiString& defaultValue) const {
  return AccountFile(account).ReadString(section, key, defaultValue);
}

void IniFileUnit::WriteAccountValue(const AnsiString& account, const AnsiString& section,
                                    const AnsiString& key, const AnsiString& value) const {
  AccountFile(account).WriteString(section, key, value);
}

void IniFileUnit::EraseAccountSection(const AnsiString& account, const AnsiString& section) const {
  AccountFile(account).EraseSection(section);
}

int IniFileUnit::Read(const GeneralInteger& key) const {
  return ReadGeneralInteger(key.section, key.key, key.defaultValue);
}

bool IniFileUnit::Read(const GeneralBool& key) const {
  return ReadGeneralBool(key.section, key.key, key.defaultValue);
}

AnsiString IniFileUnit::Read(const GeneralText& key) const {
  return ReadGeneralString(key.section, key.key, key.defaultValue);
}

void IniFileUnit::Write(const GeneralInteger& key, int value) const {
  WriteGeneralInteger(key.section, key.key, value);
}

void IniFileUnit::Write(const GeneralBool& key, bool value) const {
  WriteGeneralBool(key.section, key.key, value);
}

void IniFileUnit::Write(const GeneralText& key, const AnsiString& value) const {
  WriteGeneralString(key.section, key.key, value);
}

AnsiString IniFileUnit::Read(const AnsiString& account, const AccountText& key) const {
  return AccountFile(account).ReadString(keys::kAccountSection, key.key, key.defaultValue,
                                         ValueLengthOf(key));
}

void IniFileUnit::Write(const AnsiString& account, const AccountText& key,
                        const AnsiString& value) const {
  WriteAccountString(account, key.key, value);
}

void IniFileUnit::Write(const AnsiString& account,
                        const std::vector<std::pair<AccountText, AnsiString>>& values,
                        const std::vector<AccountText>& erased) const {
  AccountFile(account).Update([&](ProfileText& profile) {
    for (const auto& [key, value] : values) profile.Set(keys::kAccountSection, key.key, value);
    for (const AccountText& key : erased) profile.EraseKey(keys::kAccountSection, key.key);
  });
}

bool IniFileUnit::ReadBool(const AnsiString& account, const AccountText& key) const {
  return AccountBoolFromText(Read(account, key));
}

bool IniFileUnit::ReadAccountBool(const AnsiString& account, const AnsiString& key) const {
  return AccountBoolFromText(ReadAccountString(account, key, "false"));
}

AnsiString IniFileUnit::ReadTemplateBlock(const AnsiString& account) const {
  return ReadBlockText(AccountFile(account), keys::kTemplateSection);
}

AnsiString IniFileUnit::ReadSignatureBlock(const AnsiString& account) const {
  return ReadBlockText(AccountFile(account), keys::kSignatureSection);
}

AnsiString IniFileUnit::ReadXHeaderBlock(const AnsiString& account) const {
  std::vector<AnsiString> lines =
      ReadProfileBlock(AccountFile(account).Load(), keys::kXHeaderSection);
  // Stored as name "=" value; "=" is below the range of second bytes.
  for (AnsiString& line : lines)
    if (size_t equals = line.find('='); equals != AnsiString::npos) line.replace(equals, 1, ": ");
  return JoinTextLines(lines);
}

void IniFileUnit::WriteAccountBlock(
    const AnsiString& account, const AnsiString& section, const AnsiString& text,
    const std::vector<std::pair<AnsiString, AnsiString>>& otherKeys) const {
  std::vector<AnsiString> lines = SplitTextLines(text);
  AccountFile(account).Update(
      [&](ProfileText& profile) { WriteProfileBlock(profile, section, lines, otherKeys); });
}

std::vector<fs::path> IniFileUnit::AttachFilePaths() const {
  std::vector<fs::path> paths;
  for (const DirEntry& entry : ListDirectory(AttachFolder()))
    if (entry.IsPlainFile()) paths.push_back(entry.path);
  return paths;
}

AnsiString IniFileUnit::ListAttachFiles() const {
  AnsiString list;
  for (const fs::path& path : AttachFilePaths()) {
    list += PathToSjis(path);
    list += "\r\n";
  }
  return list;
}

bool AccountBoolFromText(const AnsiString& text) {
  if (SameSjisText(text, "False")) return false;
  if (SameSjisText(text, "True")) return true;
  if (auto number = ParseInteger(text)) return *number != 0;
  throw ConvertError(FormatMessage(u"'%s' は有効なブール値ではありません", SjisToWide(text)));
}

fs::path ExpandLongPath(const fs::path& path) {
  fs::path remaining(DropTrailingSeparator(path.native()));
  std::error_code ec;
  fs::path canonical = fs::canonical(remaining, ec);
  if (ec) return remaining;
  fs::path result = canonical.root_path();
  for (const fs::path& part : canonical.relative_path())
    result /= StoredName(result, part.native());
  return result;
}

}  // namespace orvane
