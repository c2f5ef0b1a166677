#pragma once

#include "platform/Types.h"

namespace orvane {

// The system clipboard as text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual WideString Text() const = 0;
  virtual void SetText(const WideString& text) = 0;
};

}  // namespace orvane
