#pragma once

#include "extras/Sig.h"
#include "extras/TemplateUnit.h"
#include "extras/forms/BlockTextForm.h"

namespace orvane {

// "署名の編集" for the current account.
class TSigFormView : public TBlockTextFormView {
 public:
  explicit TSigFormView(const DialogContext& c)
      : TBlockTextFormView(c, TSigForm(c.settings, c.clock, c.prompt, c.account)) {}
};

// "返信テンプレート" for the current account.
class TTemplateFormView : public TBlockTextFormView {
 public:
  explicit TTemplateFormView(const DialogContext& c)
      : TBlockTextFormView(c, TTemplateForm(c.settings, c.clock, c.prompt, c.account)) {}
};

}  // namespace orvane
