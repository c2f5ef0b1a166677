#pragma once

namespace orvane {

// A value of the general settings file, declared once with its section and
// its default so that whoever reads it and whoever writes it agree.
struct GeneralInteger {
  const char* section;
  const char* key;
  int defaultValue;
};
struct GeneralBool {
  const char* section;
  const char* key;
  bool defaultValue;
};
struct GeneralText {
  const char* section;
  const char* key;
  const char* defaultValue;
};

// A value of section "Account" of an account file, read as text; a secret
// is read whole, never cut at the length the settings store reads.
struct AccountText {
  const char* key;
  const char* defaultValue;
  bool whole = false;
};

namespace keys {

// Section Option.
inline constexpr GeneralBool kSendToSelf{"Option", "SendToSelf", false};
inline constexpr GeneralBool kFileSave{"Option", "FileSave", false};
inline constexpr GeneralInteger kFileName{"Option", "FileName", 0};
inline constexpr GeneralText kExtention{"Option", "Extention", "eml"};
inline constexpr GeneralBool kSendBeforExit{"Option", "SendBeforExit", false};
inline constexpr GeneralBool kAlphaBlend{"Option", "AlphaBlend", false};
inline constexpr GeneralInteger kAlphaBlendValue{"Option", "AlphaBlendValue", 230};
inline constexpr GeneralBool kGoBlend{"Option", "GoBlend", false};
// Option/PATH defaults to the program folder, which is not a constant.
inline constexpr const char* kOptionSection = "Option";
inline constexpr const char* kPathKey = "PATH";

// Section Window: the main window's position.
inline constexpr GeneralInteger kWindowLeft{"Window", "Left", 0};
inline constexpr GeneralInteger kWindowTop{"Window", "Top", 0};

// Sections ToolBar and ToolBarOpt.
inline constexpr GeneralInteger kToolBarItemCount{"ToolBar", "ItemCount", -1};
inline constexpr const char* kToolBarSection = "ToolBar";
inline constexpr const char* kToolBarItemPrefix = "Item";
inline constexpr GeneralBool kToolBarFlat{"ToolBarOpt", "Flat", false};

// Section Encode: the message's charset and the attachment-name mode.
inline constexpr GeneralInteger kEncodeCharset{"Encode", "Encode", 0};
inline constexpr GeneralInteger kEncodeAttach{"Encode", "Attach", 0};

// Section Log: the communication log window's geometry. Top and Left
// default to the bottom-right corner of the screen.
inline constexpr GeneralInteger kLogWidth{"Log", "Width", 380};
inline constexpr GeneralInteger kLogHeight{"Log", "Height", 140};
inline constexpr const char* kLogSection = "Log";
inline constexpr const char* kLogTopKey = "Top";
inline constexpr const char* kLogLeftKey = "Left";

// Section Warning: one switch per pre-send rule, each off by default but
// SizeLimit.
inline constexpr GeneralBool kWarnTo{"Warning", "TO", false};
inline constexpr GeneralBool kWarnSubject{"Warning", "Subject", false};
inline constexpr GeneralBool kWarnBody{"Warning", "Body", false};
inline constexpr GeneralBool kWarnReply{"Warning", "Reply", false};
inline constexpr GeneralBool kWarnAttachExtension{"Warning", "AttachExtension", false};
inline constexpr GeneralBool kWarnMailAddressVal{"Warning", "MailAddressVal", false};
inline constexpr GeneralBool kWarnAttachTotal{"Warning", "AttachTotal", false};
inline constexpr GeneralBool kWarnRcptList{"Warning", "RcptList", false};
inline constexpr GeneralBool kWarnLineLength{"Warning", "LineLength", false};
inline constexpr GeneralBool kWarnDispostition{"Warning", "Dispostition", false};
inline constexpr GeneralBool kWarnCc{"Warning", "CC", false};
inline constexpr GeneralBool kWarnBcc{"Warning", "BCC", false};
inline constexpr GeneralBool kWarnAttach{"Warning", "Attach", false};
inline constexpr GeneralBool kWarnSend{"Warning", "Send", false};
inline constexpr GeneralBool kWarnInReply{"Warning", "InReply", false};
inline constexpr GeneralBool kWarnXHeader{"Warning", "XHeader", false};
inline constexpr GeneralBool kWarnSignature{"Warning", "Signature", false};
inline constexpr GeneralBool kWarnMailingList{"Warning", "MailingList", false};
inline constexpr GeneralBool kWarnMobile{"Warning", "Mobile", false};
inline constexpr GeneralBool kWarnPriority{"Warning", "Priority", false};
inline constexpr GeneralBool kWarnAccount{"Warning", "Account", false};
inline constexpr GeneralBool kWarnSmtpAuth{"Warning", "SMTPAuth", false};
inline constexpr GeneralBool kWarnBeforeSmtp{"Warning", "BeforeSmtp", false};
inline constexpr GeneralBool kWarnAttachReminder{"Warning", "AttachReminder", false};
inline constexpr GeneralBool kWarnDependChar{"Warning", "DependChar", false};
inline constexpr GeneralBool kWarnLookAlike{"Warning", "LookAlike", false};
inline constexpr GeneralBool kWarnBccLeak{"Warning", "BccLeak", false};
// On by default: a message the server will refuse is better told before the upload.
inline constexpr GeneralBool kWarnSizeLimit{"Warning", "SizeLimit", true};

// Section WOption: the rules' parameters, edited by hand. The lists are
// comma lists that add to the built-in entries.
inline constexpr GeneralInteger kLineLength{"WOption", "LineLength", 60};
inline constexpr GeneralInteger kAttachTotalSize{"WOption", "AttachTotalSize", 300};  // KiB
inline constexpr GeneralText kExtensionList{"WOption", "Extension", ""};
inline constexpr GeneralText kMobileList{"WOption", "Mobile", ""};
inline constexpr GeneralText kMailingList{"WOption", "MailngList", ""};
inline constexpr GeneralText kAttachWords{"WOption", "AttachWords", ""};

// Section Confirm: the protection against sending to the wrong person.
// InternalDomains is a comma list; empty, the domain of the account's own
// address is the one internal domain. DelaySeconds runs from 0 to 60.
inline constexpr GeneralBool kConfirmEnabled{"Confirm", "Enabled", false};
inline constexpr GeneralText kConfirmInternalDomains{"Confirm", "InternalDomains", ""};
inline constexpr GeneralBool kConfirmSubDomains{"Confirm", "SubDomains", true};
inline constexpr GeneralBool kConfirmSkipWhenInternal{"Confirm", "SkipWhenInternal", true};
inline constexpr GeneralInteger kConfirmBccLeakLimit{"Confirm", "BccLeakLimit", 2};
inline constexpr GeneralInteger kConfirmDelaySeconds{"Confirm", "DelaySeconds", 0};
inline constexpr int kMaxDelaySeconds = 60;

// Section Block: what no send may do, whoever confirms it. Comma lists of
// addresses, domains (their subdomains too), words of the subject or the
// body, and extensions of attached files.
inline constexpr GeneralText kBlockAddresses{"Block", "Addresses", ""};
inline constexpr GeneralText kBlockDomains{"Block", "Domains", ""};
inline constexpr GeneralText kBlockWords{"Block", "Words", ""};
inline constexpr GeneralText kBlockExtensions{"Block", "Extensions", ""};

// Section Outbox: what could not be sent for a while waits in the outbox.
// Enabled queues the window's temporary failures; Headless does the same
// for orvane-send, off so that scripts that retry on status 75 keep
// working; LifetimeDays is how long a message is tried before it is given
// up.
inline constexpr GeneralBool kOutboxEnabled{"Outbox", "Enabled", true};
inline constexpr GeneralBool kOutboxHeadless{"Outbox", "Headless", false};
inline constexpr GeneralInteger kOutboxLifetimeDays{"Outbox", "LifetimeDays", 5};

// The address book windows: the contact list's view style (0 large icons,
// 1 small icons, 2 list, 3 details) and whether the preview panel shows.
inline constexpr GeneralInteger kAddBookStyle{"AddBook", "Style", 3};
inline constexpr GeneralBool kViewVisible{"View", "Visible", true};

// Section SendList: the send list window's geometry. Top and Left default
// to the bottom-right corner of the screen.
inline constexpr GeneralInteger kSendListWidth{"SendList", "Width", 380};
inline constexpr GeneralInteger kSendListHeight{"SendList", "Height", 140};
inline constexpr const char* kSendListSection = "SendList";
inline constexpr const char* kSendListTopKey = "Top";
inline constexpr const char* kSendListLeftKey = "Left";

// The map search's web-address template, "%Value%" standing for what is
// searched; empty for the built-in map search.
inline constexpr GeneralText kMapSearchTemplate{"Search", "Station", ""};

// Section Proxy: how the sign-in's requests to the token endpoint leave
// this machine; SMTP and POP3 always connect directly. Mode 0 direct, 1 as
// the environment says (https_proxy, no_proxy), 2 through Url
// ("http://host:port") with User and the password, except for the hosts
// of NoProxy (a comma list). Any other Mode counts as the default.
inline constexpr GeneralInteger kProxyMode{"Proxy", "Mode", 1};
inline constexpr GeneralText kProxyUrl{"Proxy", "Url", ""};
inline constexpr GeneralText kProxyUser{"Proxy", "User", ""};
inline constexpr GeneralText kProxyNoProxy{"Proxy", "NoProxy", ""};
// Stored as an account's password is: the file that holds it is 0600.
inline constexpr GeneralText kProxyPass{"Proxy", "Pass", ""};
// Where the proxy's password lives, as an account's SecretStore says.
inline constexpr GeneralInteger kProxySecretStore{"Proxy", "SecretStore", 0};
inline constexpr GeneralText kProxyPassCommand{"Proxy", "PassCommand", ""};

// Section Account of an account file.
inline constexpr const char* kAccountSection = "Account";
inline constexpr AccountText kName{"Name", ""};
inline constexpr AccountText kAddress{"Address", ""};
inline constexpr AccountText kSmtp{"SMTP", ""};
inline constexpr AccountText kSmtpPort{"SMTPPORT", "25"};
inline constexpr AccountText kUserId{"UserID", ""};
inline constexpr AccountText kPass{"Pass", "", true};
inline constexpr AccountText kAuth{"Auth", "false"};
inline constexpr AccountText kPopBeforeSmtp{"PopBeforeSmtp", "false"};
inline constexpr AccountText kPop3{"POP3", ""};
inline constexpr AccountText kPop3Port{"POP3PORT", "110"};
inline constexpr AccountText kApop{"APOP", "false"};
inline constexpr AccountText kUser{"User", ""};
// Encryption of the SMTP and POP3 connections: "0" none, "1" STARTTLS (STLS
// for POP3), "2" TLS from the first byte. A file without Security comes
// from before encryption could be chosen.
inline constexpr AccountText kSecurity{"Security", "0"};
inline constexpr AccountText kPopSecurity{"PopSecurity", "0"};
// The SHA-256 fingerprint of the one server certificate accepted, if any.
inline constexpr AccountText kTlsFingerprint{"TlsFingerprint", "", true};
// "-1": credentials may go to a server elsewhere without encryption.
inline constexpr AccountText kAllowPlainAuth{"AllowPlainAuth", "0"};
// How SMTP signs in: "0" with UserID and Pass, "1" with OAuth 2.0, whose
// token a sign-in in the browser earned. Files from before know only "0".
inline constexpr AccountText kAuthMethod{"AuthMethod", "0"};
// The OAuth provider: a preset's name (see OAuthSettings.h) or "custom",
// for which OAuthAuthorizeUrl, OAuthTokenUrl and OAuthScope count.
inline constexpr AccountText kOAuthProvider{"OAuthProvider", "microsoft365"};
inline constexpr AccountText kOAuthClientId{"OAuthClientId", ""};
// Only where the provider issues one to programs on a desktop.
inline constexpr AccountText kOAuthClientSecret{"OAuthClientSecret", ""};
// The organisation for a provider with tenants; empty: its default.
inline constexpr AccountText kOAuthTenant{"OAuthTenant", ""};
inline constexpr AccountText kOAuthAuthorizeUrl{"OAuthAuthorizeUrl", ""};
inline constexpr AccountText kOAuthTokenUrl{"OAuthTokenUrl", ""};
inline constexpr AccountText kOAuthScope{"OAuthScope", ""};
// What the last sign-in earned; a secret kept as Pass is, in the account
// file that only its owner may read.
inline constexpr AccountText kOAuthRefreshToken{"OAuthRefreshToken", "", true};
// Where Pass and OAuthRefreshToken live: "0" this file, "1" the desktop
// keyring, "2" Pass is the first line that PassCommand (run by /bin/sh -c)
// prints, the refresh token stays in this file.
inline constexpr AccountText kSecretStore{"SecretStore", "0"};
inline constexpr AccountText kPassCommand{"PassCommand", "", true};
// The largest message in octets that the account's SMTP server last
// advertised (EHLO SIZE); empty until one was seen.
inline constexpr AccountText kSizeLimit{"SizeLimit", ""};
// "-1": messages of the account ask for delivery status notifications
// (DSN: on success and on failure, with the headers only) where the server
// offers them; set under 拡張ヘッダの設定.
inline constexpr AccountText kDeliveryNotice{"DeliveryNotice", "false"};

// The account file's multi-line blocks and their date formats.
inline constexpr const char* kSignatureSection = "Signature";
inline constexpr const char* kTemplateSection = "Template";
inline constexpr const char* kXHeaderSection = "XHeader";
inline constexpr const char* kDateTimeKeys[3] = {"DateTime1", "DateTime2", "DateTime3"};

// A sent-log index file (the account name followed by ".dat"): section
// Count holds the number of entries, section String the keys of entry n,
// each name followed by n in decimal.
inline constexpr const char* kSentLogCountSection = "Count";
inline constexpr const char* kSentLogCountKey = "Count";
inline constexpr const char* kSentLogEntrySection = "String";
inline constexpr const char* kSentLogDateTimePrefix = "DateTime";
inline constexpr const char* kSentLogToPrefix = "To";
inline constexpr const char* kSentLogSubjectPrefix = "Subject";
inline constexpr const char* kSentLogFileNamePrefix = "FileName";
inline constexpr const char* kSentLogCcPrefix = "Cc";

}  // namespace keys

// The files and folders of the program folder.
inline constexpr const char* kGeneralFileName = "orvane.ini";
inline constexpr const char* kAccountFileExtension = ".ini";
inline constexpr const char* kAttachFolderName = "AttachFiles";
inline constexpr const char* kAddressFolderName = "Address";
inline constexpr const char* kSentLogFolderName = "SendedLog";
inline constexpr const char* kSentLogIndexExtension = ".dat";

// The files of the address folder: one contact file per contact id, one
// group file per group, and the tree file of the group hierarchy.
inline constexpr const char* kContactFileExtension = ".adr";
inline constexpr const char* kGroupFileExtension = ".dat";
inline constexpr const char* kGroupTreeFileName = "Address.dat";

}  // namespace orvane
