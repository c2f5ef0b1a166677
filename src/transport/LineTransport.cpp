#include "transport/LineTransport.h"

#include <algorithm>
#include <cstring>

namespace orvane {

std::chrono::milliseconds EffectiveTimeout(int timeout) {
  return std::chrono::milliseconds(timeout > 10000 ? timeout : 600000);
}

bool ReplyHasCode(std::string_view reply, std::string_view code) {
  if (std::string_view bare = TrimRight(reply); bare.size() == 3)
    return bare.size() == code.size() && StartsWithAsciiText(bare, code);
  AnsiString wanted(code);
  wanted += ' ';
  while (!reply.empty()) {
    std::size_t end = reply.find("\r\n");
    std::string_view line = TrimLeft(reply.substr(0, end));
    // The last line of a multi-line reply may be the bare code (RFC 5321
    // section 4.2.1).
    if (StartsWithAsciiText(line, wanted) ||
        (line.size() == code.size() && StartsWithAsciiText(line, code)))
      return true;
    if (end == std::string_view::npos) break;
    reply.remove_prefix(end + 2);
  }
  return false;
}

std::string_view BeyondFirstReply(std::string_view received) {
  std::size_t start = 0;
  for (std::size_t end; (end = received.find("\r\n", start)) != std::string_view::npos;
       start = end + 2) {
    std::string_view line = received.substr(start, end - start);
    if (line.size() < 4 || line[3] != '-') return received.substr(end + 2);
  }
  return {};
}

bool IsSafeCommandLine(std::string_view line) {
  return line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

namespace {

// The length of the line break that ends `text`: CR LF, a bare CR or a
// bare LF; 0 when it does not end with one.
std::size_t TrailingBreak(std::string_view text) {
  if (text.ends_with("\r\n")) return 2;
  return text.ends_with('\r') || text.ends_with('\n') ? 1 : 0;
}

}  // namespace

void BodyEncoder::Feed(std::string_view part, bool last) {
  nextLf_ = nextCr_ = nullptr;
  last_ = last;
  if (!last || end_ == BodyEnd::AsGiven) {
    hadText_ = hadText_ || !part.empty();
    rest_ = part;
    return;
  }
  // A body that already ends with its terminating line (in any line-break
  // form) loses it; the line break before it goes with the trimming below.
  if (std::size_t end = TrailingBreak(part); end > 0) {
    std::string_view line = part.substr(0, part.size() - end);
    if (line.ends_with('.')) {
      std::string_view before = line.substr(0, line.size() - 1);
      std::size_t preceding = TrailingBreak(before);
      if (preceding > 0 && (before.size() > preceding || hadText_)) part = before;
    }
  }
  rest_ = TrimRight(part);
}

std::size_t BodyEncoder::NextBreak() {
  const char* begin = rest_.data();
  const char* end = begin + rest_.size();
  // The next LF and the next CR before it are remembered: a long line,
  // written out a block at a time, would otherwise be searched to its end
  // once per block, and a body with CRs alone once per line.
  if (!nextLf_ || nextLf_ < begin) {
    nextLf_ = static_cast<const char*>(std::memchr(begin, '\n', rest_.size()));
    if (!nextLf_) nextLf_ = end;
    nextCr_ = nullptr;
  }
  if (!nextCr_ || nextCr_ < begin) {
    nextCr_ = static_cast<const char*>(std::memchr(begin, '\r', nextLf_ - begin));
    if (!nextCr_) nextCr_ = nextLf_;
  }
  return nextCr_ == end ? std::string_view::npos : static_cast<std::size_t>(nextCr_ - begin);
}

void BodyEncoder::Fill(AnsiString& out, std::size_t size) {
  while (out.size() < size && !done_) {
    if (rest_.empty()) {
      if (!last_) break;
      // A trimmed body never ends with its line break; one as given may.
      if (end_ == BodyEnd::Trimmed || !lineStart_) out += "\r\n";
      out += ".\r\n";
      done_ = true;
      break;
    }
    if (lineStart_ && rest_.front() == '.') out += '.';
    lineStart_ = false;
    std::size_t brk = NextBreak();
    std::size_t room = size > out.size() ? size - out.size() : 0;
    if (brk == std::string_view::npos || brk > room) {
      std::size_t take = std::min(rest_.size(), std::max<std::size_t>(room, 1));
      out.append(rest_.substr(0, take));
      rest_.remove_prefix(take);
      continue;
    }
    out.append(rest_.substr(0, brk));
    out += "\r\n";
    bool pair = rest_[brk] == '\r' && brk + 1 < rest_.size() && rest_[brk + 1] == '\n';
    rest_.remove_prefix(brk + (pair ? 2 : 1));
    lineStart_ = true;
  }
}

}  // namespace orvane
