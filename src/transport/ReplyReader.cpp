#include "transport/ReplyReader.h"

#include <algorithm>

#include "transport/LineTransport.h"

namespace orvane {

TReplyReader::TReplyReader(std::function<bool(std::string_view)> complete)
    : complete_(std::move(complete)) {}

TReplyReader::Status TReplyReader::Add(std::string_view piece) {
  received_ += piece;
  lines_ += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
  if (received_.size() > kMaxReplyBytes || lines_ > kMaxReplyLines) return kTooLong;
  return complete_(received_) ? kComplete : kMore;
}

bool LineReplyComplete(std::string_view received) {
  return received.ends_with("\r\n");
}

bool SmtpReplyComplete(std::string_view received) {
  if (!received.ends_with("\r\n")) return false;
  std::string_view body = received.substr(0, received.size() - 2);
  std::size_t start = body.rfind("\r\n");
  std::string_view last = start == std::string_view::npos ? body : body.substr(start + 2);
  return last.size() < 4 || last[3] != '-';
}

}  // namespace orvane
