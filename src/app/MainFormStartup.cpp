// Start-up and closing of the main window: the creation steps, the command
// line, the attachment folder and the translucency while inactive.

#include <algorithm>
#include <system_error>

#include "app/AccountFiles.h"
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

bool PathTaken(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::optional<WideString> TOrvaneMainForm::Create(MainFormWindow& window) {
  try {
    BuildToolBar();
    AccountName = FindDefaultAccount();
    ClearAttachFolder();
    Draft.PostSelf = Settings().Read(keys::kSendToSelf);
    ProcessCommandLine();
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
  return std::nullopt;
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

bool TOrvaneMainForm::BodyFileExists() const {
  return FileExists(Draft.BodyFileName);
}

void TOrvaneMainForm::ProcessCommandLine() {
  const Arguments& args = arguments_;
  auto has = [&](const char16_t* key) { return HasSwitch(args, key, true); };
  auto value = [&](const char16_t* key) { return GetSwitchValue(args, key, true); };

  if (args.size() > 1) {
    auto plain = std::find_if(args.begin() + 1, args.end(),
                              [](const WideString& arg) { return !IsSwitch(arg); });
    if (plain != args.end()) Draft.BodyFileName = WideToPath(*plain);
  }
  if (has(u"file")) Draft.BodyFileName = WideToPath(value(u"file"));
  if (has(u"/o")) OpenNumberedBodyFile();
  if (has(u"+o")) {
    if (!BodyFileExists()) CreateEmptyFile(Draft.BodyFileName);
    services_.shell.OpenFile(Draft.BodyFileName);
  }
  if (has(u"-o") && BodyFileExists()) services_.shell.OpenFile(Draft.BodyFileName);
  if (BodyFileExists()) Draft.Subject = PathToWide(Draft.BodyFileName.stem());
  if (has(u"account")) SelectAccount(WideToSjis(value(u"account")));
  if (has(u"subject")) Draft.Subject = value(u"subject");
  if (has(u"/r") && BodyFileExists()) {
    ReplyFromFile();
    DoReplyFromFile();
  }
  if (has(u"mailto")) Draft.ToText = value(u"mailto");
  if (has(u"replyto")) Draft.ReplyToText = value(u"replyto");
  if (has(u"inreplyto")) Draft.InReplyToText = value(u"inreplyto");
  DoChanged();
}

// The body file's folder, base name, a number and its extension: the first
// such path that is not taken becomes the new, empty body file.
void TOrvaneMainForm::OpenNumberedBodyFile() {
  const fs::path& body = Draft.BodyFileName;
  const std::string base = body.stem().native();
  const std::string extension = body.extension().native();
  fs::path candidate;
  for (unsigned long long n = 0;; ++n) {
    candidate = body.parent_path() / (base + std::to_string(n) + extension);
    if (!PathTaken(candidate)) break;
  }
  Draft.BodyFileName = candidate;
  CreateEmptyFile(candidate);
  services_.shell.OpenFile(candidate);
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
