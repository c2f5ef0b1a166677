#include "app/ReplyMode.h"

#include <vector>

#include "app/AnsweredMessage.h"
#include "app/MailAddUnit.h"
#include "app/ReferenceUnit.h"
#include "app/SubjectUnit.h"
#include "extras/MacroUnit.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderFolding.h"
#include "mime/MimeParser.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {

namespace {

// The elements of an address list (RFC 5322 section 3.4): the text between
// the commas that stand outside quoted strings, comments and angle
// brackets, each trimmed.
std::vector<WideString> SplitAddressList(const WideString& list) {
  std::vector<WideString> elements(1);
  TMimeParser parser;
  parser.SetText(list);
  TMimeToken token;
  while (parser.Next(token)) {
    if (token.Kind == mtSpecial && token.Text == u"," && token.Depth == 0)
      elements.emplace_back();
    else
      elements.back() += token.Text;
  }
  for (WideString& element : elements) element = WideString(Trim(element));
  return elements;
}

// An address field of the message as a recipient list. The getter decodes
// the whole field at once, which is right unless an encoded display name
// decodes to text with a "," (RFC 2047 section 5 lets a phrase carry one):
// then the decoded list would split that name apart, and each element is
// decoded alone and its name quoted.
WideString RecipientList(const TZelMime& message, const char* key, const WideString& decoded) {
  const WideString raw = SjisToWide(Unfold(message.Header().FieldValue(key)));
  const std::vector<WideString> elements = SplitAddressList(raw);
  if (SplitAddressList(decoded).size() == elements.size()) return decoded;
  WideString list;
  for (const WideString& element : elements) {
    WideString entry = DecodeHeaderText(WideToSjis(element)).Text;
    if (SplitAddressList(entry).size() > 1 && !entry.empty() && entry.back() == u'>') {
      entry = QuoteDisplayName(ExtractDisplayName(entry, false, false)) + u" " +
              ExtractAddress(entry, false, false);
    }
    if (!list.empty()) list += u", ";
    list += entry;
  }
  return list;
}

}  // namespace

void ReplyFromFile(const std::filesystem::path& savedMessage, const AnsiString& account,
                   TZelMime& message, MessageDraft& draft, const ReplyServices& services) {
  message.LoadFromFile(savedMessage);

  if (const WideString cc = message.Cc(); !cc.empty()) {
    if (services.prompt.Ask(kKeepCcQuestion) == PromptAnswer::Yes)
      draft.CcText = RecipientList(message, "\r\ncc:", cc);
  }
  const WideString messageId = SjisToWide(message.MessageId());
  draft.ReferencesText =
      BuildReferences(SjisToWide(message.References()), messageId, SjisToWide(message.InReplyTo()));
  if (const WideString from = message.From(); !from.empty())
    draft.ToText = RecipientList(message, "\r\nfrom:", from);
  if (const WideString replyTo = message.ReplyTo(); !replyTo.empty())
    draft.ToText = RecipientList(message, "\r\nreply-to:", replyTo);
  if (const WideString subject = message.Subject(); !subject.empty())
    draft.Subject = u"Re: " + StripReplyPrefix(StripListTag(subject));
  if (!messageId.empty()) draft.InReplyToText = messageId;

  const TAnsweredMessage answered = AnsweredMessageOf(message);
  services.clipboard.SetText(ExpandMacros(services.settings, services.clock, account,
                                          SjisToWide(services.settings.ReadTemplateBlock(account)),
                                          mmReply, &answered));
}

}  // namespace orvane
