#pragma once

#include "extras/BlockTextForm.h"

namespace orvane {

// "署名の編集": the account's signature, previewed as a signature.
class TSigForm : public TBlockTextForm {
 public:
  static constexpr BlockTextKind kKind{keys::kSignatureSection, u"署名の編集", 16, mmSignature};

  TSigForm(const IniFileUnit& settings, const Clock& clock, Prompt& prompt, AnsiString account)
      : TBlockTextForm(settings, clock, prompt, std::move(account), kKind) {}
};

}  // namespace orvane
