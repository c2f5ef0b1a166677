#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {

// Records what start-up asks of the window, in order.
class RecordingWindow final : public MainFormWindow {
 public:
  void MoveTo(int left, int top) override {
    calls.push_back("move " + std::to_string(left) + "," + std::to_string(top));
  }
  void ShowAnimated() override { calls.push_back("show"); }
  std::vector<std::string> calls;
};

// A main window over a fresh program folder.
class MainFormTest : public ::testing::Test {
 protected:
  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }

  // Arguments after the program's own path, as UTF-8.
  std::unique_ptr<TOrvaneMainForm> MakeForm(const std::vector<std::string>& args = {}) {
    Arguments arguments{Utf8ToWide((home / "orvane").native())};
    for (const std::string& arg : args) arguments.push_back(Utf8ToWide(arg));
    return std::make_unique<TOrvaneMainForm>(
        MainFormServices{Settings(), clock, shell, clipboard, prompt, install.Path()},
        std::move(arguments));
  }

  // A form through all the creation steps; the error they reported, if any,
  // goes to createError.
  std::unique_ptr<TOrvaneMainForm> StartForm(const std::vector<std::string>& args = {}) {
    auto form = MakeForm(args);
    createError = form->Create(window);
    return form;
  }

  // A started form with a draft to hanako@example.jp, subject 見積, and a
  // body file holding body.
  std::unique_ptr<TOrvaneMainForm> StartDraft(std::string_view body) {
    auto form = StartForm({"mailto=hanako@example.jp", "subject=見積"});
    EXPECT_FALSE(createError);
    WriteFile(home / "body.txt", body);
    form->Draft.BodyFileName = home / "body.txt";
    return form;
  }

  TempFolder home;
  TempFolder install;
  FixedClock clock;
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  RecordingWindow window;
  std::optional<WideString> createError;
};

}  // namespace orvane::test
