#pragma once

#include <filesystem>
#include <optional>

#include "platform/Types.h"

namespace orvane {

// The radio items N11 to N51 of the priority menu.
enum class PriorityItem { Highest, High, Normal, Low, Lowest };

// The message being written. Everything the user types is Unicode; the body
// file is a native path and is read only when a message is composed.
struct MessageDraft {
  std::filesystem::path BodyFileName;
  // The body itself, for a sender that is handed the text rather than a
  // file (standard input): when set, the body file is not read.
  std::optional<WideString> BodyText;
  // Each a list of entries separated by "," or ";".
  WideString ToText;
  WideString CcText;
  WideString BccText;
  WideString ReplyToText;
  WideString InReplyToText;
  WideString ReferencesText;  // set only by the reply mode
  WideString Subject;         // the subject field's own text
  PriorityItem Priority = PriorityItem::Normal;
  bool Disposition = false;  // read-receipt request (ActionDispostition)
  bool PostSelf = false;     // send to self as well (ActionPostSelf)
};

}  // namespace orvane
