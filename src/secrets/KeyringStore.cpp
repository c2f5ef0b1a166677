#include "secrets/KeyringStore.h"

#include <libsecret/secret.h>

#include <atomic>
#include <memory>
#include <optional>

#include "platform/CodePage.h"

namespace orvane {
namespace {

std::atomic<bool> promptsAllowed{false};

// The item's name is not matched, so that an item a person stored with
// secret-tool and these attributes is found too.
const SecretSchema* Schema() {
  static const SecretSchema schema = {"org.orvane.Secret",
                                      SECRET_SCHEMA_DONT_MATCH_NAME,
                                      {{"application", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {"kind", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                      0,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr};
  return &schema;
}

struct Unref {
  void operator()(GHashTable* table) const { g_hash_table_unref(table); }
  void operator()(GError* error) const { g_error_free(error); }
  void operator()(SecretService* service) const { g_object_unref(service); }
  void operator()(SecretValue* value) const { secret_value_unref(value); }
  void operator()(GList* items) const { g_list_free_full(items, g_object_unref); }
};
template <typename T>
using Owned = std::unique_ptr<T, Unref>;

// The attributes that find the secret, or with no kind every secret of
// the account.
class Attributes {
 public:
  Attributes(const AnsiString& account, std::optional<SecretKind> kind)
      : account_(WideToUtf8(SjisToWide(account))),
        table_(g_hash_table_new(g_str_hash, g_str_equal)) {
    g_hash_table_insert(table_.get(), const_cast<char*>("application"),
                        const_cast<char*>("orvane"));
    if (!account_.empty())
      g_hash_table_insert(table_.get(), const_cast<char*>("account"), account_.data());
    if (kind)
      g_hash_table_insert(table_.get(), const_cast<char*>("kind"),
                          const_cast<char*>(KindAttribute(*kind)));
  }
  GHashTable* get() const { return table_.get(); }

 private:
  std::string account_;
  Owned<GHashTable> table_;
};

WideString Unattended() {
  return u"。無人で送信するには、パスワードを PassCommand か設定ファイルに置いてください";
}

SecretError Unavailable(const SecretName& name) {
  return SecretError(DescribeSecret(name) +
                     u"を読めません: デスクトップのキーリング (Secret Service) がありません" +
                     Unattended());
}

SecretError Locked(const SecretName& name) {
  return SecretError(DescribeSecret(name) +
                     u"を読めません: デスクトップのキーリングがロックされています" + Unattended());
}

SecretError Failed(const WideString& what, const GError* error) {
  WideString text = what;
  if (error && error->message) text += u": " + Utf8ToWide(error->message);
  return SecretError(text);
}

Owned<SecretService> Service(const SecretName& name) {
  GError* error = nullptr;
  Owned<SecretService> service(
      secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &error));
  Owned<GError> owned(error);
  if (!service) throw Unavailable(name);
  return service;
}

WideString Label(const SecretName& name) {
  if (name.kind == SecretKind::kProxyPassword) return u"Orvane: プロキシのパスワード";
  const WideString account = SjisToWide(name.account);
  if (name.kind == SecretKind::kOAuthRefreshToken)
    return u"Orvane: " + account + u" の OAuth リフレッシュトークン";
  return u"Orvane: " + account + u" のパスワード";
}

}  // namespace

void AllowKeyringPrompts(bool allow) {
  promptsAllowed = allow;
}

bool KeyringPromptsAllowed() {
  return promptsAllowed;
}

AnsiString KeyringStore::Read(const SecretName& name) const {
  const Owned<SecretService> service = Service(name);
  const Attributes attributes(name.account, name.kind);
  int flags = SECRET_SEARCH_LOAD_SECRETS;
  if (mayAsk_) flags |= SECRET_SEARCH_UNLOCK;
  GError* error = nullptr;
  const Owned<GList> items(secret_service_search_sync(service.get(), Schema(), attributes.get(),
                                                      static_cast<SecretSearchFlags>(flags),
                                                      nullptr, &error));
  const Owned<GError> owned(error);
  if (error)
    throw Failed(DescribeSecret(name) + u"をデスクトップのキーリングから読めません", error);
  if (!items) return {};
  SecretItem* item = static_cast<SecretItem*>(items.get()->data);
  if (secret_item_get_locked(item)) throw Locked(name);
  const Owned<SecretValue> value(secret_item_get_secret(item));
  if (!value) throw Locked(name);
  const gchar* text = secret_value_get_text(value.get());
  if (!text) return {};
  return WideToSjis(Utf8ToWide(text));
}

void KeyringStore::Write(const SecretName& name, const AnsiString& secret) const {
  const Owned<SecretService> service = Service(name);
  const Attributes attributes(name.account, name.kind);
  std::string utf8 = WideToUtf8(SjisToWide(secret));
  // The value copies the text into memory libsecret clears when freed.
  const Owned<SecretValue> value(secret_value_new(utf8.c_str(), -1, "text/plain"));
  ClearSecret(utf8);
  GError* error = nullptr;
  const std::string label = WideToUtf8(Label(name));
  secret_service_store_sync(service.get(), Schema(), attributes.get(), SECRET_COLLECTION_DEFAULT,
                            label.c_str(), value.get(), nullptr, &error);
  const Owned<GError> owned(error);
  if (error)
    throw Failed(DescribeSecret(name) + u"をデスクトップのキーリングに保存できません", error);
}

void KeyringStore::Erase(const SecretName& name) const {
  const Owned<SecretService> service = Service(name);
  const Attributes attributes(name.account, name.kind);
  GError* error = nullptr;
  secret_service_clear_sync(service.get(), Schema(), attributes.get(), nullptr, &error);
  const Owned<GError> owned(error);
  if (error)
    throw Failed(DescribeSecret(name) + u"をデスクトップのキーリングから削除できません", error);
}

void KeyringStore::EraseAccount(const AnsiString& account) const {
  const SecretName name{SecretKind::kPassword, account};
  const Owned<SecretService> service = Service(name);
  const Attributes attributes(account, std::nullopt);
  GError* error = nullptr;
  secret_service_clear_sync(service.get(), Schema(), attributes.get(), nullptr, &error);
  const Owned<GError> owned(error);
  if (error)
    throw Failed(u"アカウント " + SjisToWide(account) +
                     u" の項目をデスクトップのキーリングから削除できません",
                 error);
}

}  // namespace orvane
