#pragma once

#include <stdexcept>
#include <string>

#include "platform/Types.h"

namespace orvane {

// An error that the user interface shows in a message box; the action that
// raised it is abandoned and the program goes on.
class Error : public std::runtime_error {
 public:
  explicit Error(WideString message);

  // The text shown to the user.
  const WideString& Message() const noexcept { return message_; }

 private:
  WideString message_;
};

// A file could not be read, created or written.
class FileError : public Error {
 public:
  using Error::Error;
};

// A stored value could not be converted (a number that is not a number).
class ConvertError : public Error {
 public:
  using Error::Error;
};

// Replaces the first "%s" of a message pattern with a value.
WideString FormatMessage(const WideString& pattern, const WideString& value);

}  // namespace orvane
