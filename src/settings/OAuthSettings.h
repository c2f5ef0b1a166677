#pragma once

#include <span>
#include <string_view>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "settings/ProxySettings.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// A provider the account dialog offers by name, with its fixed values.
struct OAuthPreset {
  const char* name;  // the value of OAuthProvider
  const char16_t* title;
  const char* smtpHost;
  TSecurity security;        // the port is its standard one
  const char* authorizeUrl;  // "{tenant}" stands for the tenant
  const char* tokenUrl;
  const char* scope;
  // Further parameters of the authorization request, form-encoded.
  const char* authorizeExtras;
  // The tenant taken when none is given; null when there are no tenants.
  const char* defaultTenant;
  // Where an organisation gets the client ID, for the account dialog.
  const char16_t* clientIdNote;
};

// The value of OAuthProvider for endpoints the user enters.
inline constexpr const char* kCustomOAuthProvider = "custom";

std::span<const OAuthPreset> OAuthPresets();
// Null for "custom" and for a name no preset has.
const OAuthPreset* FindOAuthPreset(std::string_view name);

// What an account stores about its provider, as stored.
struct OAuthSettings {
  AnsiString provider;
  AnsiString clientId;
  AnsiString clientSecret;
  AnsiString tenant;
  AnsiString authorizeUrl;
  AnsiString tokenUrl;
  AnsiString scope;
  bool operator==(const OAuthSettings&) const = default;
};

OAuthSettings ReadOAuthSettings(const IniFileUnit& settings, const AnsiString& account);

// The client as the provider knows it: endpoints and scope with the
// preset's values and the tenant filled in; and the way to its token
// endpoint, which the general settings decide for every account.
struct OAuthClient {
  AnsiString clientId;
  AnsiString clientSecret;
  AnsiString authorizeUrl;
  AnsiString tokenUrl;
  AnsiString scope;
  AnsiString authorizeExtras;
  ProxySettings proxy = {};
  bool operator==(const OAuthClient&) const = default;
};

// Throws Error, saying what to enter, for a missing client ID, an unknown
// provider, a tenant that is not a plain name, or custom endpoints left
// empty. The proxy is the one `proxy` describes.
OAuthClient ResolveOAuthClient(const OAuthSettings& settings, const ProxySettings& proxy);

// The stored account's client, with the proxy of the general settings;
// throws Error as ResolveOAuthClient does.
OAuthClient AccountOAuthClient(const IniFileUnit& settings, const AnsiString& account);

// Whether the account signs in to SMTP with OAuth 2.0 (AuthMethod "1").
bool UsesOAuth(const IniFileUnit& settings, const AnsiString& account);

// The name SMTP signs in with a token: UserID, or Address when UserID is
// empty, as the providers expect the mailbox there.
AnsiString OAuthUserName(const AnsiString& userId, const AnsiString& address);
// The same of the stored account.
AnsiString OAuthUserName(const IniFileUnit& settings, const AnsiString& account);

}  // namespace orvane
