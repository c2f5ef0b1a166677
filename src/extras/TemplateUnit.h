#pragma once

#include "extras/BlockTextForm.h"

namespace orvane {

// "返信テンプレート": the account's reply template, previewed without a
// message to answer.
class TTemplateForm : public TBlockTextForm {
 public:
  static constexpr BlockTextKind kKind{keys::kTemplateSection, u"返信テンプレート", 7, mmTemplate};

  TTemplateForm(const IniFileUnit& settings, const Clock& clock, Prompt& prompt, AnsiString account)
      : TBlockTextForm(settings, clock, prompt, std::move(account), kKind) {}
};

}  // namespace orvane
