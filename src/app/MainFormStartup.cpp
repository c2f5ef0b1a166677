// Start-up and closing of the main window: the creation steps, the command
// line, the attachment folder and the translucency while inactive.

#include <algorithm>

#include "app/AccountFiles.h"
#include "app/CommandLineDraft.h"
#include "app/MainForm.h"
#include "app/VersionUnit.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr int kOpaque = 255;

}  // namespace

std::optional<WideString> TOrvaneMainForm::Create(MainFormWindow& window) {
  try {
    BuildToolBar();
    AccountName = FindDefaultAccount();
    ClearAttachFolder();
    Draft.PostSelf = Settings().Read(keys::kSendToSelf);
    ProcessCommandLine();
    if (panels_[0].empty()) panels_[0] = OpenFolderNotice(Settings().ProgramFolder()).value_or(u"");
    VersionText = kVersionText;
    activationHandlersInstalled_ = true;
    window.MoveTo(Settings().Read(keys::kWindowLeft), Settings().Read(keys::kWindowTop));
    Draft.Priority = PriorityItem::Normal;
    window.ShowAnimated();
    ShowDraftState();
  } catch (const Error& error) {
    DoChanged();
    return error.Message();
  }
  return commandLineRefusal_;
}

AnsiString TOrvaneMainForm::FindDefaultAccount() const {
  std::vector<std::string> names = ListAccountNames(Settings());
  if (names.empty()) return "NewAccount";
  return PathToSjis(names.front());
}

void TOrvaneMainForm::ClearAttachFolder() const {
  fs::path folder = Settings().AttachFolder();
  if (!fs::is_directory(folder)) CreateFolder(folder);
  for (const DirEntry& entry : ListDirectory(folder))
    if (entry.IsPlainFile()) RemoveFile(entry.path);
}

void TOrvaneMainForm::SelectAccount(const AnsiString& name) {
  if (name.empty() || !Settings().AccountExists(name)) return;
  AccountName = name;
  UpdateCaption();
}

void TOrvaneMainForm::ProcessCommandLine() {
  CommandLineOutcome outcome =
      ApplyCommandLine(arguments_, Draft,
                       {Settings().ProgramFolder(), services_.shell,
                        [this](const AnsiString& name) { SelectAccount(name); },
                        [this] {
                          ReplyFromFile();
                          DoReplyFromFile();
                        }});
  panels_[0] = std::move(outcome.notice);
  commandLineRefusal_ = std::move(outcome.refusal);
  DoChanged();
}

Translucency TOrvaneMainForm::FadeWhenInactive() const {
  Translucency result;
  result.enabled = Settings().Read(keys::kAlphaBlend);
  if (!result.enabled) return result;
  const int value = Settings().Read(keys::kAlphaBlendValue);
  // The opacity is one byte: a value below 0 stands for invisible.
  const int target = std::max(value, 0);
  if (Settings().Read(keys::kGoBlend)) {
    result.opacitySteps = {std::min(target, kOpaque)};
  } else if (value <= kOpaque) {
    for (int opacity = kOpaque; opacity >= target; --opacity)
      result.opacitySteps.push_back(opacity);
  }
  return result;
}

Translucency TOrvaneMainForm::OpaqueWhenActive() const {
  return Translucency{};
}

std::optional<WideString> TOrvaneMainForm::Close(int left, int top) {
  std::optional<WideString> failure;
  // The window closes whatever fails here: a settings folder that cannot be
  // written must not keep the user from quitting.
  try {
    Settings().Write(keys::kWindowLeft, left);
    Settings().Write(keys::kWindowTop, top);
  } catch (const Error& error) {
    failure = error.Message();
  }
  try {
    ClearAttachFolder();
  } catch (const Error& error) {
    if (!failure) failure = error.Message();
  }
  return failure;
}

}  // namespace orvane
