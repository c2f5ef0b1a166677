#include "app/OptionUnit.h"

#include <string>

#include "app/MessageFile.h"
#include "oauth/ProxyRoute.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Path.h"
#include "settings/ProxySettings.h"
#include "settings/SecretPlaces.h"

namespace orvane {

namespace {

const char* Bool(bool value) {
  return value ? "1" : "0";
}

// The settings file holds Shift_JIS: a text that would not come back from
// it as typed is refused, not stored with "?" in its place.
void CheckStorable(const WideString& text, const char16_t* pattern) {
  if (!SjisRoundTrips(text)) throw Error(FormatMessage(pattern, text));
}

// As CheckStorable, naming the field instead of echoing a password.
AnsiString StoredProxyText(const WideString& text, const char16_t* field) {
  if (!SjisRoundTrips(text))
    throw Error(
        FormatMessage(u"プロキシの%sに設定ファイルに保存できない文字が含まれています", field));
  return WideToSjis(text);
}

ProxySettings StoredProxy(const ProxyValues& values) {
  ProxySettings proxy;
  proxy.mode = static_cast<ProxySettings::Mode>(values.mode);
  proxy.url = StoredProxyText(values.url, u"アドレス");
  proxy.user = StoredProxyText(values.user, u"ユーザ名");
  proxy.password = StoredProxyText(values.password, u"パスワード");
  proxy.noProxy = StoredProxyText(values.noProxy, u"例外");
  if (proxy.mode == ProxySettings::kManual) CheckManualProxy(proxy);
  return proxy;
}

}  // namespace

TOptionForm::TOptionForm(const IniFileUnit& settings) : settings_(settings) {}

const std::vector<WideString>& TOptionForm::FileNameItems() {
  static const std::vector<WideString> items{u"件名", u"日付", u"Message-ID", u"元のファイル名"};
  return items;
}

const std::vector<WideString>& TOptionForm::ProxyModeItems() {
  static const std::vector<WideString> items{
      u"使わない (直接接続)", u"環境変数に従う (https_proxy)", u"次のプロキシを使う"};
  return items;
}

WideString TOptionForm::ChosenFolderText(const std::filesystem::path& folder) {
  WideString text = PathToWide(folder);
  if (text.empty() || text.back() != u'/') text += u'/';
  return text;
}

OptionValues TOptionForm::Load() const {
  OptionValues values;
  values.fileSave = settings_.Read(keys::kFileSave);
  values.path = SjisToWide(ReadMessageFolderSetting(settings_));
  const int fileName = settings_.Read(keys::kFileName);
  const bool listed = fileName >= 0 && fileName < static_cast<int>(FileNameItems().size());
  values.fileName = listed ? fileName : -1;
  values.extension = SjisToWide(settings_.Read(keys::kExtention));
  values.alphaBlend = settings_.Read(keys::kAlphaBlend);
  values.alphaBlendValue = settings_.Read(keys::kAlphaBlendValue);
  values.goBlend = settings_.Read(keys::kGoBlend);
  values.sendBeforExit = settings_.Read(keys::kSendBeforExit);
  const ProxySettings proxy = ReadProxySettings(settings_, false);
  // Shown whatever the mode, so that OK keeps it; a command is not run
  // for the dialog.
  const SecretName proxyPass{SecretKind::kProxyPassword, {}};
  const AnsiString password = PlaceOf(settings_, proxyPass) == SecretPlace::kCommand
                                  ? AnsiString()
                                  : ReadSecret(settings_, proxyPass);
  values.proxy = {proxy.mode, SjisToWide(proxy.url), SjisToWide(proxy.user), SjisToWide(password),
                  SjisToWide(proxy.noProxy)};
  return values;
}

void TOptionForm::Save(const OptionValues& values) const {
  CheckStorable(values.path,
                u"保存するフォルダ %s には設定ファイルに保存できない文字が含まれています。"
                u"別のフォルダを選んでください");
  CheckStorable(values.extension, u"拡張子 %s には設定ファイルに保存できない文字が含まれています");
  const ProxySettings proxy = StoredProxy(values.proxy);
  const SecretName proxyPass{SecretKind::kProxyPassword, {}};
  const SecretPlace place = PlaceOf(settings_, proxyPass);
  if (place == SecretPlace::kKeyring) WriteSecret(settings_, proxyPass, proxy.password);
  const bool passInFile = place == SecretPlace::kFile;
  // A file that holds a password is kept as an account file is: 0600.
  const IniFile file(settings_.GeneralFilePath(), passInFile && !proxy.password.empty()
                                                      ? IniFile::Kind::kPrivate
                                                      : IniFile::Kind::kSettings);
  file.Update([&](ProfileText& text) {
    text.Set(keys::kFileSave.section, keys::kFileSave.key, Bool(values.fileSave));
    text.Set(keys::kOptionSection, keys::kPathKey, WideToSjis(values.path));
    text.Set(keys::kFileName.section, keys::kFileName.key, std::to_string(values.fileName));
    text.Set(keys::kExtention.section, keys::kExtention.key, WideToSjis(values.extension));
    text.Set(keys::kAlphaBlend.section, keys::kAlphaBlend.key, Bool(values.alphaBlend));
    text.Set(keys::kAlphaBlendValue.section, keys::kAlphaBlendValue.key,
             std::to_string(values.alphaBlendValue));
    text.Set(keys::kGoBlend.section, keys::kGoBlend.key, Bool(values.goBlend));
    text.Set(keys::kSendBeforExit.section, keys::kSendBeforExit.key, Bool(values.sendBeforExit));
    text.Set(keys::kProxyMode.section, keys::kProxyMode.key, std::to_string(proxy.mode));
    text.Set(keys::kProxyUrl.section, keys::kProxyUrl.key, proxy.url);
    text.Set(keys::kProxyUser.section, keys::kProxyUser.key, proxy.user);
    if (passInFile)
      text.Set(keys::kProxyPass.section, keys::kProxyPass.key, proxy.password);
    else
      text.EraseKey(keys::kProxyPass.section, keys::kProxyPass.key);
    text.Set(keys::kProxyNoProxy.section, keys::kProxyNoProxy.key, proxy.noProxy);
  });
}

}  // namespace orvane
