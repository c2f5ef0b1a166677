#include "app/MainForm.h"
#include "platform/Error.h"

namespace orvane {

namespace {

class NoWarningWindow final : public WarningDisplay {
 public:
  TWarningChoice ShowWarnings(const std::vector<WideString>&) override {
    throw Error(u"警告を表示するウィンドウがありません");
  }
};

}  // namespace

WarningDisplay& TOrvaneMainForm::Warnings() {
  static NoWarningWindow noWindow;
  return warningDisplay_ ? *warningDisplay_ : noWindow;
}

}  // namespace orvane
