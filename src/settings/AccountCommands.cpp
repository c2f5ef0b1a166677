#include "settings/AccountCommands.h"

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "settings/SecretPlaces.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr const char16_t* kCaption = u"Orvane";

// The name typed into an input box, as the settings store names accounts.
std::optional<AnsiString> AskName(Prompt& prompt, const char16_t* question,
                                  const AnsiString& preset) {
  auto typed = prompt.Input(kCaption, question, SjisToWide(preset));
  if (!typed) return std::nullopt;
  return WideToSjis(*typed);
}

// A name the commands may give an account: one IsAccountName accepts, and
// not the empty one, whose file ".ini" is hidden and lists as no account.
bool IsNewAccountName(const AnsiString& name) {
  return !name.empty() && IsAccountName(name);
}

bool CreateAccountFile(const IniFileUnit& settings, const AnsiString& name) {
  try {
    settings.Write(name, keys::kUser, "");
  } catch (const Error&) {
    return false;
  }
  return settings.AccountExists(name);
}

bool RenameAccountFile(const IniFileUnit& settings, const AnsiString& from, const AnsiString& to) {
  if (!IsAccountName(from) || !IsNewAccountName(to)) return false;
  const fs::path source = settings.AccountFilePath(from);
  if (!FileExists(source)) return false;
  // Another account of that name, in any letter case, keeps its name; a
  // name that differs from the old one in letter case only finds the old
  // file, which takes the new spelling.
  if (const fs::path taken = settings.AccountFilePath(to); taken != source && FileExists(taken))
    return false;
  return RenameFile(source,
                    settings.ProgramFolder() / (SjisToPath(to).native() + kAccountFileExtension));
}

}  // namespace

std::optional<AnsiString> AddAccount(const IniFileUnit& settings, Prompt& prompt) {
  auto name = AskName(prompt, u"追加するアカウント名を入力してください", "");
  if (!name) return std::nullopt;
  if (settings.AccountExists(*name)) {
    prompt.ShowError(u"すでに同名のアカウントがあります");
    return std::nullopt;
  }
  if (!IsNewAccountName(*name) || !CreateAccountFile(settings, *name)) {
    prompt.ShowError(u"追加に失敗しました");
    return std::nullopt;
  }
  return name;
}

std::optional<AnsiString> RenameAccount(const IniFileUnit& settings, Prompt& prompt,
                                        const AnsiString& current) {
  auto name = AskName(prompt, u"新しいアカウント名を入力してください", current);
  if (!name) return std::nullopt;
  if (!RenameAccountFile(settings, current, *name)) {
    prompt.ShowError(u"変更に失敗しました");
    return std::nullopt;
  }
  try {
    RenameAccountSecrets(settings, current, *name);
  } catch (const Error& e) {
    prompt.ShowError(e.Message());
  }
  return name;
}

bool DeleteAccount(const IniFileUnit& settings, Prompt& prompt, const AnsiString& current) {
  const PromptAnswer answer =
      prompt.Ask(u"現在のアカウントを削除してもいいですか?\n※削除すると元に戻せません",
                 PromptButtons::YesNo, PromptAnswer::No);
  if (answer != PromptAnswer::Yes) return false;
  // Asked while the file still says where the secrets are; the account
  // goes all the same.
  try {
    if (IsAccountName(current)) EraseAccountSecrets(settings, current);
  } catch (const Error& e) {
    prompt.ShowError(e.Message());
  }
  if (!IsAccountName(current) || !RemoveFile(settings.AccountFilePath(current)))
    prompt.ShowError(u"削除に失敗しました");
  return true;
}

}  // namespace orvane
