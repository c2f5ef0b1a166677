#include "app/MainForm.h"
#include "app/WarningDraft.h"
#include "platform/Error.h"

namespace orvane {

bool TOrvaneMainForm::CheckWarnings() {
  CanSend = false;
  struct NoWindow final : WarningDisplay {
    TWarningChoice ShowWarnings(const std::vector<WideString>&) override {
      throw Error(u"警告を表示するウィンドウがありません");
    }
  } noWindow;
  CanSend = orvane::CheckWarnings(
      Settings(),
      WarningDraftOf(Draft, AccountName, SendSucceeded, composedSignature_, composedAttachments_),
      MIME, warningDisplay_ ? *warningDisplay_ : noWindow);
  return CanSend;
}

}  // namespace orvane
