#include "app/ComposeMessage.h"

#include <algorithm>
#include <vector>

#include "app/MailAddUnit.h"
#include "app/Priority.h"
#include "extras/MacroUnit.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "settings/ProfileBlock.h"

namespace orvane {

namespace {

// Encode/Encode: the charset asked for, in the order of the encoding
// dialog's list.
constexpr TMimeCharSet kCharSets[] = {mcsUS_ASCII, mcsISO_2022_JP, mcsSHIFT_JIS,
                                      mcsEUC_JP,   mcsUTF_7,       mcsUTF_8};
// Encode/Attach: how attachment names are written.
constexpr TAttachNameEncode kAttachNameEncodes[] = {aeMimeB, aeRfc2231, aeJis, aeSjis};

// A setting's index into a table; another value leaves the property as it
// was.
template <typename T, size_t N>
void SelectByIndex(const T (&table)[N], int index, T& property) {
  if (index >= 0 && static_cast<size_t>(index) < N) property = table[index];
}

int PriorityLevel(PriorityItem item) {
  return static_cast<int>(item) + 1;
}

// The read-receipt address: the name quoted like the From line's, so that
// a name holding a comma is not read as two mailboxes (RFC 5322 section
// 3.4). The address encoder puts the blank before "<" itself.
WideString ReadReceiptMailbox(const AnsiString& name, const AnsiString& address) {
  return QuoteDisplayName(SjisToWide(name)) + u"<" + SjisToWide(address) + u">";
}

// The extended header lines, then the read-receipt request, then the
// priority lines.
std::vector<AnsiString> HeaderLinesOf(const MessageDraft& draft, const ComposeSources& sources,
                                      const AnsiString& name, const AnsiString& address) {
  std::vector<AnsiString> lines =
      SplitTextLines(sources.settings.ReadXHeaderBlock(sources.accountName));
  if (draft.Disposition)
    lines.push_back("Disposition-Notification-To: " +
                    WideToSjis(ReadReceiptMailbox(name, address)));
  for (AnsiString& line : PriorityLines(PriorityLevel(draft.Priority)))
    lines.push_back(std::move(line));
  return lines;
}

WideString BodyOf(const MessageDraft& draft, const WideString& signature) {
  WideString body;
  if (draft.BodyText)
    body = WithCrLfLines(*draft.BodyText);
  else if (FileExists(draft.BodyFileName))
    body = WithCrLfLines(ReadUserTextFile(draft.BodyFileName));
  body += WithCrLfLines(signature);
  return body;
}

}  // namespace

void SelectEncodeCharSet(const IniFileUnit& settings, TMimeCharSet& charset) {
  SelectByIndex(kCharSets, settings.Read(keys::kEncodeCharset), charset);
}

void SetUpMessageComponent(TZelMime& mime) {
  mime.AttachNameEncode = aeRfc2231;
  mime.MessageIdType = mtYMDHNS;
  mime.MessageType = tsPlain;
  mime.DefaultEncodeCharSet = mcsUS_ASCII;
  mime.Option = TMimeOptions::Defaults().Include(TMimeOption::AllHeaderDecode);
  mime.WantBcc = true;
  mime.MimeSorted = true;
  mime.UserEncode = false;
  mime.SetUnicodeEncoding(ueUTF_7);
  mime.Partials.PartialSize = 16384;
  mime.Partials.SetSubjectFormat("[%d/%d]");
  mime.CharSetEncodeMode = ceField;
}

WideString ComposeMessage(const MessageDraft& draft,
                          const std::vector<std::filesystem::path>& attachments,
                          const ComposeSources& sources, TZelMime& mime) {
  const IniFileUnit& settings = sources.settings;
  mime.Clear();
  SelectEncodeCharSet(settings, mime.DefaultEncodeCharSet);
  SelectByIndex(kAttachNameEncodes, settings.Read(keys::kEncodeAttach), mime.AttachNameEncode);

  const WideString signature =
      ExpandMacros(settings, sources.clock, sources.accountName,
                   SjisToWide(settings.ReadSignatureBlock(sources.accountName)), mmSignature);
  const AnsiString name = settings.Read(sources.accountName, keys::kName);
  const AnsiString address = settings.Read(sources.accountName, keys::kAddress);
  std::vector<AnsiString> headerLines = HeaderLinesOf(draft, sources, name, address);
  WideString body = BodyOf(draft, signature);

  // A line break pasted into a field becomes a blank: readers refuse one in
  // a display name (RFC 5322 section 3.2.5 allows none in a phrase).
  mime.SetTo(OneLine(draft.ToText));
  mime.SetCc(OneLine(draft.CcText));
  WideString bcc = OneLine(draft.BccText);
  if (draft.PostSelf) bcc += (bcc.empty() ? u"" : u",") + SjisToWide(address);
  mime.SetBcc(std::move(bcc));
  mime.SetInReplyTo(WideToSjis(draft.InReplyToText));
  mime.SetReplyTo(OneLine(draft.ReplyToText));
  if (!draft.ReferencesText.empty())
    mime.SetHeaderField("References", WideToSjis(draft.ReferencesText));
  mime.SetFrom(QuoteDisplayName(SjisToWide(name)) + u"<" + SjisToWide(address) + u">");
  mime.SetSubject(OneLine(draft.Subject));
  mime.SetXMailer(WideToSjis(u"Orvane " + sources.versionText));
  mime.HeaderLines = std::move(headerLines);
  mime.SetBodyText(std::move(body));
  mime.Attachments().Assign(attachments);
  mime.Compose();
  return signature;
}

}  // namespace orvane
