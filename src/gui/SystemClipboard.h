#pragma once

#include "platform/Clipboard.h"

namespace orvane {

// The desktop's clipboard as text.
class SystemClipboard final : public Clipboard {
 public:
  WideString Text() const override;
  void SetText(const WideString& text) override;
};

}  // namespace orvane
