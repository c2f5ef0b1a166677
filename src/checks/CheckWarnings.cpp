#include "checks/CheckWarnings.h"

#include <algorithm>
#include <optional>

#include "checks/AttachReminder.h"
#include "checks/BccLeak.h"
#include "checks/RecipientCheck.h"
#include "checks/VendorCharacters.h"
#include "platform/ByteSize.h"
#include "platform/CodePage.h"
#include "settings/IniFile.h"

namespace orvane {

namespace {

TAccountFacts ReadAccountFacts(const IniFileUnit& settings, const AnsiString& account,
                               const TWarningSettings& switches) {
  TAccountFacts facts;
  if (switches.On(TWarningRule::SmtpAuth)) facts.smtpAuth = UsesSmtpAuth(settings, account);
  if (switches.On(TWarningRule::BeforeSmtp))
    facts.popBeforeSmtp = UsesPopBeforeSmtp(settings, account);
  if (switches.On(TWarningRule::Signature))
    facts.lacksSignature = LacksSignature(settings, account);
  if (switches.On(TWarningRule::XHeader))
    facts.hasExtendedHeaders = HasExtendedHeaders(settings, account);
  if (switches.On(TWarningRule::DependChar))
    facts.senderName = SjisToWide(settings.Read(account, keys::kName));
  if (switches.On(TWarningRule::SizeLimit))
    facts.sizeLimit = static_cast<std::uint64_t>(
        std::max(ParseInteger(settings.Read(account, keys::kSizeLimit)).value_or(0), 0));
  return facts;
}

// "31.2 MB (上限 25.0 MB)" for a message over the server's last known limit.
std::vector<WideString> OverSizeLimit(std::uint64_t size, std::uint64_t limit) {
  if (limit == 0 || size <= limit) return {};
  return {MegabytesText(size) + u" (上限 " + MegabytesText(limit) + u")"};
}

// The lines one rule adds.
class RuleLines {
 public:
  RuleLines(const TWarningInputs& inputs, std::vector<WideString>& lines)
      : in_(inputs), draft_(inputs.draft), lines_(lines) {}

  void Add(TWarningRule rule) {
    const TWarningRuleInfo& info = RuleInfo(rule);
    auto when = [&](bool fires) {
      if (fires) lines_.push_back(info.message);
    };
    auto items = [&](const std::vector<WideString>& reported) {
      AddWarningLines(lines_, info.message, reported);
    };
    const TWarningSettings& settings = in_.settings;
    switch (rule) {
      case TWarningRule::To:
        return when(draft_.ToText.empty());
      case TWarningRule::Subject:
        return when(draft_.Subject.empty());
      case TWarningRule::Body:
        return when(Body().empty());
      case TWarningRule::Reply:
        return when(!draft_.ReplyToText.empty());
      case TWarningRule::AttachExtension:
        return items(FindRiskyAttachments(in_.attachments, settings.extensions));
      case TWarningRule::MailAddressVal:
        return items(FindInvalidAddresses(draft_.ToText, draft_.CcText, draft_.BccText));
      case TWarningRule::AttachTotal:
        return when(IsAttachTotalLarge(in_.attachments, settings.attachTotalSize));
      case TWarningRule::RcptList:
        return when(IsRecipientListLong(draft_.ToText, draft_.CcText, draft_.BccText));
      case TWarningRule::LineLength:
        return when(HasLongLine(Body(), settings.lineLength));
      case TWarningRule::Dispostition:
        return when(draft_.Disposition);
      case TWarningRule::Cc:
        return when(!draft_.CcText.empty());
      case TWarningRule::Bcc:
        return when(!draft_.BccText.empty());
      case TWarningRule::Attach:
        return when(!in_.attachments.empty());
      case TWarningRule::Send:
        return when(draft_.SendSucceeded);
      case TWarningRule::InReply:
        return when(!draft_.InReplyToText.empty());
      case TWarningRule::XHeader:
        return when(in_.account.hasExtendedHeaders);
      case TWarningRule::Signature:
        return when(in_.account.lacksSignature);
      case TWarningRule::MailingList:
        return items(FindAddressesAt(draft_.ToText, draft_.CcText, draft_.BccText,
                                     settings.mailingListDomains));
      case TWarningRule::Mobile:
        return items(
            FindAddressesAt(draft_.ToText, draft_.CcText, draft_.BccText, settings.mobileDomains));
      case TWarningRule::Priority:
        return when(!draft_.NormalPriority);
      case TWarningRule::Account:
        if (draft_.AccountName.empty()) return;
        return items({SjisToWide(draft_.AccountName)});
      case TWarningRule::SmtpAuth:
        return when(in_.account.smtpAuth);
      case TWarningRule::BeforeSmtp:
        return when(in_.account.popBeforeSmtp);
      case TWarningRule::AttachReminder:
        return when(
            in_.attachments.empty() &&
            MentionsAttachment(WrittenLines(Body(), draft_.Signature), settings.attachWords));
      case TWarningRule::DependChar:
        return items(
            FindVendorCharacters({draft_.Subject, draft_.ToText, draft_.CcText, draft_.BccText,
                                  draft_.ReplyToText, in_.account.senderName, Body()},
                                 in_.message.DefaultEncodeCharSet));
      case TWarningRule::LookAlike:
        return items(LookAlikeAddresses());
      case TWarningRule::BccLeak:
        return when(IsBccLeak(draft_.Recipients, in_.confirm.internal, in_.confirm.bccLeakLimit));
      case TWarningRule::SizeLimit:
        return items(OverSizeLimit(in_.message.MessageText().size(), in_.account.sizeLimit));
    }
  }

 private:
  // The composed body, taken from the component once.
  const WideString& Body() {
    if (!body_) body_ = in_.message.BodyText();
    return *body_;
  }

  // Each outside address, once, whose domain only looks like a known one.
  std::vector<WideString> LookAlikeAddresses() const {
    const TRecipientCheck check(in_.confirm.internal, draft_.History);
    std::vector<WideString> found;
    for (const TRecipient& recipient : draft_.Recipients)
      if (std::find(found.begin(), found.end(), recipient.address) == found.end() &&
          check.LookAlike(recipient.address))
        found.push_back(recipient.address);
    return found;
  }

  const TWarningInputs& in_;
  const TWarningDraft& draft_;
  std::vector<WideString>& lines_;
  std::optional<WideString> body_;
};

}  // namespace

TWarningInputs GatherWarningInputs(const IniFileUnit& settings, const TWarningDraft& draft,
                                   const TZelMime& message) {
  TWarningSettings switches = ReadWarningSettings(settings);
  TAccountFacts account = ReadAccountFacts(settings, draft.AccountName, switches);
  TConfirmSettings confirm;
  if (switches.On(TWarningRule::LookAlike) || switches.On(TWarningRule::BccLeak))
    confirm = ReadConfirmSettings(settings, draft.AccountName);
  return TWarningInputs{message,
                        draft,
                        std::move(switches),
                        std::move(account),
                        AttachedFiles(draft.Attachments),
                        std::move(confirm)};
}

std::vector<WideString> EvaluateWarnings(const TWarningInputs& inputs) {
  std::vector<WideString> lines;
  RuleLines rules(inputs, lines);
  for (const TWarningRuleInfo& info : kWarningRules)
    if (inputs.settings.On(info.rule)) rules.Add(info.rule);
  return lines;
}

bool CheckWarnings(const IniFileUnit& settings, const TWarningDraft& draft, const TZelMime& message,
                   WarningDisplay& display) {
  const std::vector<WideString> lines =
      EvaluateWarnings(GatherWarningInputs(settings, draft, message));
  if (lines.empty()) return true;
  return display.ShowWarnings(lines) == TWarningChoice::GoOn;
}

}  // namespace orvane
