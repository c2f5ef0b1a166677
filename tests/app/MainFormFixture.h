#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane::test {

class FakeShell final : public Shell {
 public:
  void OpenFile(const std::filesystem::path& path) override { openedFiles.push_back(path); }
  void OpenUrl(const WideString& url) override { openedUrls.push_back(url); }
  std::vector<std::filesystem::path> openedFiles;
  std::vector<WideString> openedUrls;
};

class FakeClipboard final : public Clipboard {
 public:
  WideString Text() const override { return text; }
  void SetText(const WideString& value) override {
    text = value;
    ++writes;
  }
  WideString text;
  int writes = 0;
};

class FixedClock final : public Clock {
 public:
  TimePoint Now() const override { return now; }
  TimePoint now{};
};

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
        MainFormServices{Settings(), clock, shell, clipboard, install.Path()},
        std::move(arguments));
  }

  // A form through all the creation steps; the error they reported, if any,
  // goes to createError.
  std::unique_ptr<TOrvaneMainForm> StartForm(const std::vector<std::string>& args = {}) {
    auto form = MakeForm(args);
    createError = form->Create(window);
    return form;
  }

  TempFolder home;
  TempFolder install;
  FixedClock clock;
  FakeShell shell;
  FakeClipboard clipboard;
  RecordingWindow window;
  std::optional<WideString> createError;
};

}  // namespace orvane::test
