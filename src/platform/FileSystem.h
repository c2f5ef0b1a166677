#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "platform/Types.h"

namespace orvane {

// The mode of the files the program makes in its folder: its owner's alone.
constexpr std::filesystem::perms kPrivateFilePerms =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

struct DirEntry {
  std::filesystem::path path;
  std::string name;  // as the file system reports it (UTF-8)
  bool isDirectory = false;
  bool isHidden = false;  // the name starts with "."
  bool isSystem = false;  // anything that is neither a regular file nor a folder
  bool IsPlainFile() const { return !isDirectory && !isHidden && !isSystem; }
};

// The entries of a folder whose names match a wildcard ("*" and "?",
// compared without regard to ASCII case), sorted by name so that the order
// is stable. A missing folder gives no entries.
std::vector<DirEntry> ListDirectory(const std::filesystem::path& folder,
                                    std::string_view wildcard = "*");
bool MatchesWildcard(std::string_view name, std::string_view wildcard);

// True for an existing regular file (not a folder), following links.
bool FileExists(const std::filesystem::path& path);

// The error of a file that cannot be made: "ファイル %s を作成できません".
FileError CannotCreateFile(const std::filesystem::path& path);

// Makes the folder and its missing parents, each 0700 (the umask aside):
// the program's folders are its user's alone. An existing folder keeps its
// mode. False when the folder cannot be made or a file holds its name.
bool CreatePrivateFolders(const std::filesystem::path& path);

// Each of these throws FileError with the path in its message.
void CreateEmptyFile(const std::filesystem::path& path);
// CreatePrivateFolders, failing with "フォルダ %s を作成できません".
void CreateFolder(const std::filesystem::path& path);
void CopyFileTo(const std::filesystem::path& from, const std::filesystem::path& to);
AnsiString ReadWholeFile(const std::filesystem::path& path);
// ReadWholeFile for a file that must be a regular file of at most maxBytes
// bytes (a link to one is followed): a device, a pipe or a larger file is
// refused before it fills the memory, with the error "ファイル %s は通常の
// ファイルではないので読めません" or "ファイル %s は大きすぎるので読めません
// (16 MiB まで)" (the limit in MiB, or in bytes when it is no whole MiB).
AnsiString ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes);
// ReadRegularFile, nullopt when nothing of that name exists: one attempt to
// open instead of a look first.
std::optional<AnsiString> ReadRegularFileIfAny(const std::filesystem::path& path,
                                               std::uintmax_t maxBytes);
// Writes all of bytes to an open descriptor, continuing short writes; false
// when the system refuses (errno tells why).
bool WriteAll(int fd, std::string_view bytes);
void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
// Creates the file only when nothing of that name exists and writes bytes
// to it; false (nothing written) when the name is taken, so that two
// writers never pick the same new name. The mode is given at creation and
// a symbolic link of that name counts as taken, never written through.
bool WriteNewFile(const std::filesystem::path& path, std::string_view bytes,
                  std::filesystem::perms perms = kPrivateFilePerms);
// The same for a name relative to an open folder's descriptor (AT_FDCWD:
// the current folder); `shown` names the file in an error.
bool WriteNewFileAt(int folder, const char* name, std::string_view bytes,
                    std::filesystem::perms perms, const std::filesystem::path& shown);

// Whether a replaced file keeps the permission bits it had or takes the
// given ones (a file that holds a secret, whatever it had before).
enum class ExistingMode { kKeep, kReplace };

// Writes the new content beside the old file and renames it over it, so the
// file holds either the old or the new content, never a part; a symbolic
// link is replaced, not its target. New files get the given permission bits.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           std::filesystem::perms newFilePerms,
                           ExistingMode existing = ExistingMode::kKeep);

// Told the bytes copied so far and the file's size after each piece of a
// copy; returns false to cancel it.
using CopyProgress = std::function<bool(std::uintmax_t done, std::uintmax_t total)>;

// Copies a regular file in pieces to a hidden file beside `to` and renames
// it over `to` at the end, so that `to` holds its old content or the whole
// copy, never a part. Returns false when progress cancels; then, as on a
// failure, nothing of the copy is left. Throws FileError when the source
// cannot be read (also when it is not a regular file) or the copy written.
bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        const CopyProgress& progress = {});

// Removes a file; false when it could not be removed.
bool RemoveFile(const std::filesystem::path& path);
// Gives a file a new name that nothing has yet, in one step: false when the
// name is taken or the rename fails. Never replaces a file.
bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// The canonical form of an existing path, the path itself otherwise.
std::filesystem::path LongPath(const std::filesystem::path& path);

}  // namespace orvane
