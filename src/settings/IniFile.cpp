#include "settings/IniFile.h"

#include <cstdint>
#include <system_error>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr const char16_t* kCannotWrite = u"%s に書き込めません";

constexpr fs::perms kOthersPerms = fs::perms::group_all | fs::perms::others_all;

// The file's text: empty for a missing file, nullopt for one that exists but
// cannot be read.
std::optional<AnsiString> ReadText(const fs::path& path) {
  try {
    return ReadRegularFileIfAny(path, IniFile::kMaxFileBytes).value_or(AnsiString());
  } catch (const FileError&) {
    return std::nullopt;
  }
}

// Whether an existing file gives its group or others any right.
bool OthersHaveRights(const fs::path& path) {
  std::error_code ec;
  const fs::perms perms = fs::status(path, ec).permissions();
  return !ec && (perms & kOthersPerms) != fs::perms::none;
}

// Renaming over a symbolic link would replace the link by a plain file.
fs::path WriteTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  fs::path target = fs::canonical(path, ec);
  return ec ? path : target;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

IniFile::IniFile(fs::path path, Kind kind) : path_(std::move(path)), kind_(kind) {}

AnsiString IniFile::ReadString(const AnsiString& section, const AnsiString& key,
                               const AnsiString& defaultValue, ValueLength length) const {
  return Load().Find(section, key, length).value_or(defaultValue);
}

int IniFile::ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const {
  return ParseInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniFile::ReadBool(const AnsiString& section, const AnsiString& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const AnsiString& section, const AnsiString& key,
                          const AnsiString& value) const {
  Update([&](ProfileText& profile) { profile.Set(section, key, value); });
}

void IniFile::WriteInteger(const AnsiString& section, const AnsiString& key, int value) const {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const AnsiString& section, const AnsiString& key, bool value) const {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(const AnsiString& section) const {
  Update([&](ProfileText& profile) { profile.EraseSection(section); });
}

bool IniFile::SectionExists(const AnsiString& section) const {
  return Load().HasSection(section);
}

ProfileText IniFile::Load() const {
  return ProfileText(ReadText(path_).value_or(""));
}

void IniFile::Update(const std::function<void(ProfileText&)>& edit) const {
  std::optional<AnsiString> old = ReadText(path_);
  if (!old) throw FileError(FormatMessage(kCannotWrite, PathToWide(path_)));
  ProfileText profile(*old);
  edit(profile);
  AnsiString bytes = profile.Bytes();
  const bool isPrivate = kind_ == Kind::kPrivate;
  const fs::path target = kind_ == Kind::kFolderFile ? path_ : WriteTarget(path_);
  // Named as the program knows the file, not as the link resolves.
  const FileError cannotWrite(FormatMessage(kCannotWrite, PathToWide(path_)));
  if (bytes == *old) {
    std::error_code ec;
    if (isPrivate && OthersHaveRights(target))
      fs::permissions(target, kOthersPerms, fs::perm_options::remove, ec);
    if (ec) throw cannotWrite;
    return;
  }
  try {
    ReplaceFileAtomically(target, bytes, kPrivateFilePerms,
                          isPrivate ? ExistingMode::kReplace : ExistingMode::kKeep);
  } catch (const FileError&) {
    throw cannotWrite;
  }
}

std::optional<int> ParseInteger(std::string_view text) {
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int base = 10;
  if (text.substr(at, 1) == "$") {
    base = 16, at += 1;
  } else if (text.substr(at, 2) == "0x" || text.substr(at, 2) == "0X") {
    base = 16, at += 2;
  }
  if (at == text.size()) return std::nullopt;

  // Decimal must fit an int; hexadecimal may use all 32 bits.
  const uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 2147483648u : 2147483647u;
  uint64_t value = 0;
  for (; at < text.size(); ++at) {
    int digit = DigitValue(text[at]);
    if (digit >= base) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  auto bits = static_cast<uint32_t>(value);
  if (negative) bits = ~bits + 1;
  return static_cast<int>(bits);
}

int StrToInt(const AnsiString& text) {
  if (auto value = ParseInteger(text)) return *value;
  throw ConvertError(FormatMessage(u"'%s' は有効な整数値ではありません", SjisToWide(text)));
}

}  // namespace orvane
