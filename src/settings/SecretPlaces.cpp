#include "settings/SecretPlaces.h"

#include "platform/CodePage.h"
#include "secrets/CommandStore.h"
#include "secrets/KeyringStore.h"

namespace orvane {
namespace {

const AccountText& AccountKeyOf(SecretKind kind) {
  return kind == SecretKind::kOAuthRefreshToken ? keys::kOAuthRefreshToken : keys::kPass;
}

AnsiString CommandOf(const IniFileUnit& settings, const SecretName& name) {
  if (name.kind == SecretKind::kProxyPassword) return settings.Read(keys::kProxyPassCommand);
  return settings.Read(name.account, keys::kPassCommand);
}

}  // namespace

AnsiString SecretPlaceText(SecretPlace place) {
  return std::to_string(static_cast<int>(place));
}

SecretPlace SecretPlaceFromText(const AnsiString& text) {
  if (text == "0") return SecretPlace::kFile;
  if (text == "1") return SecretPlace::kKeyring;
  if (text == "2") return SecretPlace::kCommand;
  throw ConvertError(
      FormatMessage(u"SecretStore の値 '%s' は使えません (0 設定ファイル、1 "
                    u"デスクトップのキーリング、2 コマンド)",
                    SjisToWide(text)));
}

SecretPlace PlaceOf(const IniFileUnit& settings, const SecretName& name) {
  const SecretPlace place =
      name.kind == SecretKind::kProxyPassword
          ? SecretPlaceFromText(std::to_string(settings.Read(keys::kProxySecretStore)))
          : SecretPlaceFromText(settings.Read(name.account, keys::kSecretStore));
  if (place == SecretPlace::kCommand && name.kind == SecretKind::kOAuthRefreshToken)
    return SecretPlace::kFile;
  return place;
}

std::unique_ptr<SecretStore> StoreAt(const IniFileUnit& settings, SecretPlace place,
                                     const AnsiString& command) {
  switch (place) {
    case SecretPlace::kKeyring:
      return std::make_unique<KeyringStore>(KeyringPromptsAllowed());
    case SecretPlace::kCommand:
      return std::make_unique<CommandStore>(command);
    case SecretPlace::kFile:
      break;
  }
  return std::make_unique<FileSecretStore>(settings);
}

AnsiString ReadSecret(const IniFileUnit& settings, const SecretName& name) {
  const SecretPlace place = PlaceOf(settings, name);
  return StoreAt(settings, place, CommandOf(settings, name))->Read(name);
}

void WriteSecret(const IniFileUnit& settings, const SecretName& name, const AnsiString& secret) {
  const SecretPlace place = PlaceOf(settings, name);
  const auto store = StoreAt(settings, place, CommandOf(settings, name));
  if (secret.empty() && place == SecretPlace::kKeyring) return store->Erase(name);
  store->Write(name, secret);
}

void EraseAccountSecrets(const IniFileUnit& settings, const AnsiString& account) {
  if (PlaceOf(settings, {SecretKind::kPassword, account}) != SecretPlace::kKeyring) return;
  KeyringStore(false).EraseAccount(account);
}

void RenameAccountSecrets(const IniFileUnit& settings, const AnsiString& from,
                          const AnsiString& to) {
  if (PlaceOf(settings, {SecretKind::kPassword, to}) != SecretPlace::kKeyring) return;
  const KeyringStore keyring(KeyringPromptsAllowed());
  for (SecretKind kind : {SecretKind::kPassword, SecretKind::kOAuthRefreshToken}) {
    AnsiString secret = keyring.Read({kind, from});
    if (!secret.empty()) keyring.Write({kind, to}, secret);
    ClearSecret(secret);
  }
  keyring.EraseAccount(from);
}

AnsiString FileSecretStore::Read(const SecretName& name) const {
  if (name.kind == SecretKind::kProxyPassword) return settings_.Read(keys::kProxyPass);
  return settings_.Read(name.account, AccountKeyOf(name.kind));
}

void FileSecretStore::Write(const SecretName& name, const AnsiString& secret) const {
  if (name.kind == SecretKind::kProxyPassword) return settings_.Write(keys::kProxyPass, secret);
  settings_.Write(name.account, AccountKeyOf(name.kind), secret);
}

void FileSecretStore::Erase(const SecretName& name) const {
  if (name.kind == SecretKind::kProxyPassword)
    return settings_.GeneralFile().Update(
        [](ProfileText& text) { text.EraseKey(keys::kProxyPass.section, keys::kProxyPass.key); });
  settings_.Write(name.account, {}, {AccountKeyOf(name.kind)});
}

}  // namespace orvane
