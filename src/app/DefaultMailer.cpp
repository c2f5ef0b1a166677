#include "app/DefaultMailer.h"

#include "platform/CodePage.h"

namespace orvane {

void MakeDefaultMailer(DesktopMime& desktop, Prompt& prompt) {
  const WideString failed = u"Orvane を既定のメールソフトにできませんでした。\n";
  if (auto reason = desktop.SetDefault(kDesktopEntryName, kMailtoMimeType)) {
    prompt.ShowError(failed + Utf8ToWide(*reason));
    return;
  }
  // A desktop may keep a choice of its own over the shared table.
  const std::string now = desktop.Default(kMailtoMimeType);
  if (now != kDesktopEntryName) {
    prompt.ShowError(failed + u"mailto: のリンクを開くのは " +
                     (now.empty() ? WideString(u"(なし)") : Utf8ToWide(now)) + u" のままです。");
    return;
  }
  prompt.Inform(
      u"Orvane を既定のメールソフトにしました。\nメールのリンク (mailto:) を開くと、Orvane "
      u"の下書きになります。");
}

}  // namespace orvane
