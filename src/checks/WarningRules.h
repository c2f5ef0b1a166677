#pragma once

#include <array>
#include <cstddef>

#include "settings/SettingKeys.h"

namespace orvane {

// The pre-send rules, in the order they are evaluated. There is no rule for
// the codes 警告05, 06, 07 and 11.
enum class TWarningRule {
  To,               // [警告01]
  Subject,          // [警告02]
  Body,             // [警告03]
  Reply,            // [警告04]
  AttachExtension,  // [警告08]
  MailAddressVal,   // [警告09]
  AttachTotal,      // [警告10]
  RcptList,         // [警告12]
  LineLength,       // [警告13]
  Dispostition,     // [警告14]
  Cc,               // [注意01]
  Bcc,              // [注意02]
  Attach,           // [注意03]
  Send,             // [注意04]
  InReply,          // [注意05]
  XHeader,          // [注意06]
  Signature,        // [注意07]
  MailingList,      // [注意08]
  Mobile,           // [注意09]
  Priority,         // [注意10]
  Account,          // [情報01]
  SmtpAuth,         // [情報02]
  BeforeSmtp,       // [情報03]
  AttachReminder,   // [注意11]
  DependChar,       // [注意12]
  LookAlike,        // [警告15]
  BccLeak,          // [警告16]
  SizeLimit,        // [警告17]
};
inline constexpr size_t kWarningRuleCount = 28;

// A line's severity, told by its tag; also the settings dialog's tab.
enum class TSeverity { Warning, Caution, Information };

struct TWarningRuleInfo {
  TWarningRule rule;
  GeneralBool key;          // the rule's switch in section Warning
  const char16_t* message;  // the line it adds; reported items follow directly
  const char16_t* caption;  // its row in the settings dialog
  TSeverity severity;
};

// Entry i is the rule of ordinal i. The messages are the program's own
// texts, their trailing blanks included.
inline constexpr std::array<TWarningRuleInfo, kWarningRuleCount> kWarningRules{{
    {TWarningRule::To, keys::kWarnTo, u"[警告01] Toアドレス(送信先)が指定されていません",
     u"To アドレスが未設定", TSeverity::Warning},
    {TWarningRule::Subject, keys::kWarnSubject, u"[警告02] 件名がありません", u"件名が未設定",
     TSeverity::Warning},
    {TWarningRule::Body, keys::kWarnBody, u"[警告03] 本文がありません", u"本文がない",
     TSeverity::Warning},
    {TWarningRule::Reply, keys::kWarnReply, u"[警告04] Reply-Toフィールドが設定されています",
     u"ReplyToフィールドが設定されている", TSeverity::Warning},
    {TWarningRule::AttachExtension, keys::kWarnAttachExtension,
     u"[警告08] 添付ファイルは警戒されやすい形式です ", u"警戒されやすいファイル形式",
     TSeverity::Warning},
    {TWarningRule::MailAddressVal, keys::kWarnMailAddressVal,
     u"[警告09] メールアドレスとしては無効と思われます ", u"メールアドレスの有効性",
     TSeverity::Warning},
    {TWarningRule::AttachTotal, keys::kWarnAttachTotal,
     u"[警告10] 添付ファイルの合計サイズが大きいようです", u"添付ファイルの合計が設定値以上",
     TSeverity::Warning},
    {TWarningRule::RcptList, keys::kWarnRcptList, u"[警告12] 送信先が 100 件以上指定されています",
     u"送信先リストの合計件数", TSeverity::Warning},
    {TWarningRule::LineLength, keys::kWarnLineLength,
     u"[警告13] 本文に設定値以上に長い行があります", u"本文一行毎の文字数", TSeverity::Warning},
    {TWarningRule::Dispostition, keys::kWarnDispostition,
     u"[警告14] 開封確認メッセージを要求しています", u"開封確認メッセージの要求",
     TSeverity::Warning},
    {TWarningRule::Cc, keys::kWarnCc, u"[注意01] Ccアドレスが指定されています",
     u"Cc アドレスがある", TSeverity::Caution},
    {TWarningRule::Bcc, keys::kWarnBcc, u"[注意02] Bccアドレスが指定されています",
     u"Bcc アドレスがある", TSeverity::Caution},
    {TWarningRule::Attach, keys::kWarnAttach, u"[注意03] ファイルが添付されています",
     u"ファイルが添付されている", TSeverity::Caution},
    {TWarningRule::Send, keys::kWarnSend, u"[注意04] すでに送信が完了しいてます", u"すでに送信済み",
     TSeverity::Caution},
    {TWarningRule::InReply, keys::kWarnInReply, u"[注意05] In-Reply-Toフィールドが設定されています",
     u"InReplyToフィールドが設定されている", TSeverity::Caution},
    {TWarningRule::XHeader, keys::kWarnXHeader, u"[注意06] 拡張ヘッダフィールドが設定されています",
     u"拡張ヘッダフィールドが設定されている", TSeverity::Caution},
    {TWarningRule::Signature, keys::kWarnSignature, u"[注意07] 署名がありません", u"署名がない",
     TSeverity::Caution},
    {TWarningRule::MailingList, keys::kWarnMailingList, u"[注意08] メーリングリストへの投稿です ",
     u"メーリングリストへの投稿", TSeverity::Caution},
    {TWarningRule::Mobile, keys::kWarnMobile, u"[注意09] 携帯アドレスです ",
     u"携帯アドレスへの送信", TSeverity::Caution},
    {TWarningRule::Priority, keys::kWarnPriority, u"[注意10] 優先度が設定されています ",
     u"優先度が設定されている", TSeverity::Caution},
    {TWarningRule::Account, keys::kWarnAccount, u"[情報01] アカウント: ", u"使用するアカウント",
     TSeverity::Information},
    {TWarningRule::SmtpAuth, keys::kWarnSmtpAuth, u"[情報02] SMTP認証を試みます",
     u"SMTP認証を試みます", TSeverity::Information},
    {TWarningRule::BeforeSmtp, keys::kWarnBeforeSmtp, u"[情報03] Pop Before Smtp 認証を試みます",
     u"Pop Before Smtp 認証を試みます", TSeverity::Information},
    {TWarningRule::AttachReminder, keys::kWarnAttachReminder,
     u"[注意11] 本文に添付の記述がありますが、ファイルが添付されていません",
     u"本文に添付の記述があるのにファイルがない", TSeverity::Caution},
    {TWarningRule::DependChar, keys::kWarnDependChar, u"[注意12] 機種依存文字が含まれています ",
     u"機種依存文字が含まれている", TSeverity::Caution},
    {TWarningRule::LookAlike, keys::kWarnLookAlike, u"[警告15] よく似た別のドメインです ",
     u"よく似た別のドメインへの送信", TSeverity::Warning},
    {TWarningRule::BccLeak, keys::kWarnBccLeak,
     u"[警告16] 社外の複数の宛先が To/Cc に入っています (Bcc にすべきかもしれません)",
     u"社外の複数の宛先が To/Cc にある", TSeverity::Warning},
    {TWarningRule::SizeLimit, keys::kWarnSizeLimit,
     u"[警告17] メールがサーバーの受け付ける大きさを超えています ",
     u"メールがサーバーの上限より大きい", TSeverity::Warning},
}};

constexpr const TWarningRuleInfo& RuleInfo(TWarningRule rule) {
  return kWarningRules[static_cast<size_t>(rule)];
}

constexpr bool RulesInOrder() {
  for (size_t i = 0; i < kWarningRules.size(); ++i)
    if (static_cast<size_t>(kWarningRules[i].rule) != i) return false;
  return true;
}
static_assert(RulesInOrder(), "entry i of kWarningRules must be the rule of ordinal i");

}  // namespace orvane
