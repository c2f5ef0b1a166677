#include "tools/send/StandardInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace orvane {
namespace {

constexpr std::size_t kChunk = 1 << 20;
// Room past a chunk for the ".\r\n" that tells whether a held-back "." or
// ".\r" begins the line that ends the input: with less room than that a
// read could never decide, and the chunk would wait on itself for ever.
constexpr std::size_t kDotLineRoom = 3;
constexpr std::size_t kHeaderRoom = 4096;

[[noreturn]] void TooLarge() {
  throw EndingError(EX_DATAERR, u"標準入力が大きすぎます (128 MiB まで)。送信しませんでした",
                    "standard input is larger than 128 MiB: nothing was sent");
}

// One read(2); 0 at the end.
std::size_t ReadBytes(int fd, char* into, std::size_t room) {
  for (;;) {
    const ssize_t n = ::read(fd, into, room);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR)
      throw EndingError(EX_DATAERR, u"標準入力を読めませんでした。送信しませんでした",
                        "standard input could not be read: nothing was sent");
  }
}

}  // namespace

StandardInput::StandardInput(bool dotEndsInput, int fd) : dotEndsInput_(dotEndsInput), fd_(fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return;
  if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > kMaxInputBytes) TooLarge();
  // A larger pipe lets the writer run ahead with fewer switches between
  // the two; where it may not grow, it works as it is.
  if (S_ISFIFO(info.st_mode)) ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(kChunk));
}

void StandardInput::ReadStart() {
  ReadChunks(1);
}

std::string_view StandardInput::Start() const {
  return held_.empty() ? std::string_view() : std::string_view(held_.front());
}

void StandardInput::ReadAll() {
  ReadChunks(kMaxInputBytes / kChunk + 1);
}

// Full chunks, joined once by TakeHeld: the input is held about once,
// never in the doubling buffers of a growing string.
void StandardInput::ReadChunks(std::size_t count) {
  for (; count > 0 && !ended_; --count) {
    AnsiString chunk(kChunk + kDotLineRoom, '\0');
    std::size_t filled = 0;
    while (filled < kChunk && !ended_)
      filled += ReadSome(chunk.data() + filled, chunk.size() - filled);
    chunk.resize(filled);
    held_.push_back(std::move(chunk));
  }
}

void StandardInput::Drain() {
  AnsiString buffer(kChunk, '\0');
  try {
    while (!ended_) ReadSome(buffer.data(), buffer.size());
  } catch (const EndingError&) {
    // Beyond the limit or unreadable: nothing more to wait for.
  }
}

AnsiString StandardInput::TakeHeld() {
  std::size_t size = 0;
  for (const AnsiString& chunk : held_) size += chunk.size();
  AnsiString text;
  // Room for the header fields that may be added in place.
  text.reserve(size + kHeaderRoom);
  for (AnsiString& chunk : held_) {
    text += chunk;
    AnsiString().swap(chunk);
  }
  held_.clear();
  if (text.empty())
    throw EndingError(EX_DATAERR, u"標準入力が空です。送信しませんでした",
                      "standard input is empty: nothing was sent");
  return text;
}

std::size_t StandardInput::Read(char* into, std::size_t room) {
  try {
    return ReadSome(into, room);
  } catch (const EndingError& e) {
    failure_ = e;
    throw;
  }
}

std::size_t StandardInput::ReadSome(char* into, std::size_t room) {
  if (room < kDotLineRoom)
    throw std::logic_error("StandardInput: a read needs room for \".\\r\\n\"");
  while (!ended_) {
    std::size_t size = std::min(undecided_.size(), room);
    std::memcpy(into, undecided_.data(), size);
    undecided_.erase(0, size);
    const std::size_t read = size < room ? ReadBytes(fd_, into + size, room - size) : 0;
    const bool atEnd = size < room && read == 0;
    total_ += read;
    if (total_ > kMaxInputBytes) TooLarge();
    size += read;
    if (dotEndsInput_) size = EndAtDotLine(into, size, atEnd);
    if (atEnd && undecided_.empty()) ended_ = true;
    if (size > 0) return size;
  }
  return 0;
}

// How much of the text comes before a line of a single "." (a CR before
// its LF allowed), ending the input there; a "." or ".\r" that ends the
// text and may yet begin such a line is kept back for the next read.
std::size_t StandardInput::EndAtDotLine(char* text, std::size_t size, bool atEnd) {
  const std::string_view view(text, size);
  auto nextLine = [&](std::size_t from) {
    const std::size_t newline = view.find('\n', from);
    return newline == std::string_view::npos ? size : newline + 1;
  };
  for (std::size_t begin = lineStart_ ? 0 : nextLine(0); begin < size; begin = nextLine(begin)) {
    if (view[begin] != '.') continue;
    const std::string_view after = view.substr(begin + 1);
    if (after.starts_with('\n') || after.starts_with("\r\n")) {
      ended_ = true;
      return begin;
    }
    if (after.empty() || after == "\r") {
      if (atEnd) {
        ended_ = true;
      } else {
        undecided_.assign(after.empty() ? "." : ".\r");
        lineStart_ = true;
      }
      return begin;
    }
  }
  if (size > 0) lineStart_ = view.back() == '\n';
  return size;
}

AnsiString ReadStandardInput(bool dotEndsInput) {
  StandardInput input(dotEndsInput);
  input.ReadAll();
  return input.TakeHeld();
}

}  // namespace orvane
