#include <gtest/gtest.h>

#include "app/DefaultMailer.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"

namespace orvane::test {
namespace {

TEST(DefaultMailer, SetsTheMailtoHandlerAndTellsWhetherTheDesktopTookIt) {
  using Kind = ScriptedPrompt::Shown::Kind;
  struct Case {
    std::optional<std::string> refusal;
    bool keepsOwnChoice;
    Kind kind;
    std::string text;
  } cases[] = {
      {{}, false, Kind::Information,
       "Orvane を既定のメールソフトにしました。\nメールのリンク (mailto:) を開くと、Orvane "
       "の下書きになります。"},
      {"xdg-mime: no writable user mimeapps.list", false, Kind::Error,
       "Orvane を既定のメールソフトにできませんでした。\nxdg-mime: no writable user mimeapps.list"},
      {{}, true, Kind::Error,
       "Orvane を既定のメールソフトにできませんでした。\nmailto: のリンクを開くのは "
       "other.desktop のままです。"},
  };
  for (const Case& c : cases) {
    RecordingDesktopMime mime;
    mime.defaults["x-scheme-handler/mailto"] = "other.desktop";
    mime.refusal = c.refusal;
    mime.keepsOwnChoice = c.keepsOwnChoice;
    ScriptedPrompt prompt;
    MakeDefaultMailer(mime, prompt);
    EXPECT_EQ(mime.set, std::vector<std::string>{"x-scheme-handler/mailto orvane.desktop"});
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].kind, c.kind);
    EXPECT_EQ(WideToUtf8(prompt.shown[0].text), c.text);
  }
}

}  // namespace
}  // namespace orvane::test
