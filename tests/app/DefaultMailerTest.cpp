#include <gtest/gtest.h>

#include "app/DefaultMailer.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"

namespace orvane::test {
namespace {

TEST(DefaultMailer, SetsTheMailtoHandlerAndTellsWhetherTheDesktopTookIt) {
  using S = ScriptedPrompt::Shown;
  const std::string failed = "Orvane を既定のメールソフトにできませんでした。\n";
  const std::string done =
      "Orvane を既定のメールソフトにしました。\nメールのリンク (mailto:) を開くと、Orvane "
      "の下書きになります。";
  struct Case {
    std::optional<std::string> refusal;
    bool keepsOwnChoice;
    S::Kind kind;
    std::string text;
  } cases[] = {
      {{}, false, S::Information, done},
      {"no writable mimeapps.list", false, S::Error, failed + "no writable mimeapps.list"},
      {{}, true, S::Error, failed + "mailto: のリンクを開くのは other.desktop のままです。"},
  };
  for (const Case& c : cases) {
    RecordingDesktopMime mime;
    mime.defaults["x-scheme-handler/mailto"] = "other.desktop";
    mime.refusal = c.refusal;
    mime.keepsOwnChoice = c.keepsOwnChoice;
    ScriptedPrompt prompt;
    MakeDefaultMailer(mime, prompt);
    EXPECT_EQ(mime.set, std::vector<std::string>{"x-scheme-handler/mailto orvane.desktop"});
    EXPECT_EQ(prompt.shown, (std::vector<S>{{c.kind, Utf8ToWide(c.text), u"Orvane"}}));
  }
}

}  // namespace
}  // namespace orvane::test
