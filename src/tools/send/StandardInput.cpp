#include "tools/send/StandardInput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "tools/send/Ending.h"

namespace orvane {
namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kHeaderRoom = 4096;

// Where the first line of a single "." begins, or npos.
std::size_t DotLine(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t newline = text.find('\n', pos);
    std::string_view line = text.substr(pos, newline - pos);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line == ".") return pos;
    if (newline == std::string_view::npos) break;
    pos = newline + 1;
  }
  return std::string_view::npos;
}

[[noreturn]] void TooLarge() {
  throw EndingError(EX_DATAERR, u"標準入力が大きすぎます (128 MiB まで)。送信しませんでした",
                    "standard input is larger than 128 MiB: nothing was sent");
}

}  // namespace

AnsiString ReadStandardInput(bool dotEndsInput) {
  // A file too large is refused before it is read.
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::size_t>(info.st_size) > kMaxInputBytes)
    TooLarge();
  // Read in full chunks, then joined into room of the whole size, each
  // chunk freed as it is copied: the message is held about once, never in
  // the doubling buffers of a growing string.
  std::vector<AnsiString> chunks;
  std::size_t total = 0;
  for (bool end = false; !end;) {
    AnsiString chunk(kChunk, '\0');
    std::size_t filled = 0;
    while (filled < kChunk) {
      const ssize_t n = ::read(STDIN_FILENO, chunk.data() + filled, kChunk - filled);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0)
        throw EndingError(EX_DATAERR, u"標準入力を読めませんでした。送信しませんでした",
                          "standard input could not be read: nothing was sent");
      if (n == 0) {
        end = true;
        break;
      }
      filled += static_cast<std::size_t>(n);
    }
    total += filled;
    if (total > kMaxInputBytes) TooLarge();
    chunk.resize(filled);
    chunks.push_back(std::move(chunk));
  }
  AnsiString text;
  // Room for the header fields that may be added in place.
  text.reserve(total + kHeaderRoom);
  for (AnsiString& chunk : chunks) {
    text += chunk;
    AnsiString().swap(chunk);
  }
  if (dotEndsInput) text.resize(std::min(text.size(), DotLine(text)));
  if (text.empty())
    throw EndingError(EX_DATAERR, u"標準入力が空です。送信しませんでした",
                      "standard input is empty: nothing was sent");
  return text;
}

}  // namespace orvane
