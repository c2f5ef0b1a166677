#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/DesktopMime.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "settings/AccountSignIn.h"

namespace orvane::test {

// A clock that reads the moment it was last set to.
class FixedClock final : public Clock {
 public:
  FixedClock() = default;
  explicit FixedClock(TimePoint moment) : now(moment) {}
  TimePoint Now() const override { return now; }
  void Set(TimePoint moment) { now = moment; }
  TimePoint now{};
};

// Records what was opened instead of starting applications.
class RecordingShell final : public Shell {
 public:
  void OpenFile(const std::filesystem::path& path) override { openedFiles.push_back(path); }
  void OpenUrl(const WideString& url) override { openedUrls.push_back(url); }
  std::vector<std::filesystem::path> openedFiles;
  std::vector<WideString> openedUrls;
};

// The desktop's default applications as a table in memory; records what
// was set. A refusal fails SetDefault; a desktop that keeps its own choice
// ignores what is set.
class RecordingDesktopMime final : public DesktopMime {
 public:
  bool Available() const override { return available; }
  std::optional<std::string> SetDefault(const std::string& entry,
                                        const std::string& type) override {
    set.push_back(type + " " + entry);
    if (!refusal && !keepsOwnChoice) defaults[type] = entry;
    return refusal;
  }
  std::string Default(const std::string& type) const override {
    return defaults.count(type) ? defaults.at(type) : std::string();
  }
  bool available = true;
  bool keepsOwnChoice = false;
  std::optional<std::string> refusal;
  std::map<std::string, std::string> defaults;
  std::vector<std::string> set;
};

class MemoryClipboard final : public Clipboard {
 public:
  WideString Text() const override { return text; }
  void SetText(const WideString& value) override {
    text = value;
    ++writes;
  }
  WideString text;
  int writes = 0;
};

// Answers questions and input boxes from scripts queued by the test, and
// records everything it was shown. A question or input box with nothing
// queued gets the default answer or the cancel, and is recorded as such.
class ScriptedPrompt final : public Prompt {
 public:
  struct Shown {
    enum Kind { Question, Information, Warning, Error, InputBox } kind;
    WideString text;  // the input box's prompt
    WideString caption;
    bool operator==(const Shown&) const = default;
  };

  PromptAnswer Ask(const WideString& text, PromptButtons, PromptAnswer defaultAnswer) override {
    shown.push_back({Shown::Question, text, u"Orvane"});
    if (answers.empty()) return defaultAnswer;
    PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Inform(const WideString& text) override {
    shown.push_back({Shown::Information, text, u"Orvane"});
  }
  void Warn(const WideString& text, const WideString& caption) override {
    shown.push_back({Shown::Warning, text, caption});
  }
  void ShowError(const WideString& text) override {
    shown.push_back({Shown::Error, text, u"Orvane"});
  }
  std::optional<WideString> Input(const WideString& caption, const WideString& prompt,
                                  const WideString& text) override {
    shown.push_back({Shown::InputBox, prompt, caption});
    presets.push_back(text);
    if (inputs.empty()) return std::nullopt;
    std::optional<WideString> input = inputs.front();
    inputs.pop_front();
    return input;
  }

  // The texts shown of one kind, in order.
  std::vector<WideString> Texts(Shown::Kind kind) const {
    std::vector<WideString> texts;
    for (const Shown& entry : shown)
      if (entry.kind == kind) texts.push_back(entry.text);
    return texts;
  }

  std::deque<PromptAnswer> answers;
  std::deque<std::optional<WideString>> inputs;  // nullopt: the user cancels
  std::vector<Shown> shown;
  std::vector<WideString> presets;  // what each input box held at first
};

// A sign-in that ends when the test says: records each start, and Finish
// hands the outcome to the waiting dialog.
class ScriptedSignIn final : public AccountSignIn {
 public:
  struct Started {
    OAuthClient client;
    AnsiString user;
  };
  void Start(const OAuthClient& client, const AnsiString& user,
             std::function<void(const SignInOutcome&)> done) override {
    started.push_back({client, user});
    done_ = std::move(done);
  }
  void Cancel() override {
    ++cancels;
    done_ = nullptr;
  }
  bool Running() const { return done_ != nullptr; }
  void Finish(const SignInOutcome& outcome) {
    auto done = std::move(done_);
    done_ = nullptr;
    done(outcome);
  }
  std::vector<Started> started;
  int cancels = 0;

 private:
  std::function<void(const SignInOutcome&)> done_;
};

}  // namespace orvane::test
