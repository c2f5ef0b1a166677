#include "app/MainForm.h"

#include <algorithm>

#include "app/AccountFiles.h"
#include "app/ComposeMessage.h"
#include "app/ReplyMode.h"
#include "app/VersionUnit.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/RegionalFormats.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

WideString TwoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

// The long time format "h:nn:ss" of the Japanese regional settings.
WideString FormatLongTime(const LocalDateTime& time) {
  const char16_t separator = JapaneseFormats().timeSeparator;
  return Utf8ToWide(std::to_string(time.hour)) + separator + TwoDigits(time.minute) + separator +
         TwoDigits(time.second);
}

FieldSelection Clamp(FieldSelection selection, size_t textLength) {
  const int length = static_cast<int>(textLength);
  selection.start = std::clamp(selection.start, 0, length);
  selection.length = std::clamp(selection.length, 0, length - selection.start);
  return selection;
}

// A one-line field takes pasted text up to its first line break.
WideString FirstLine(const WideString& text) {
  return text.substr(0, text.find_first_of(u"\r\n"));
}

}  // namespace

TOrvaneMainForm::TOrvaneMainForm(MainFormServices services, Arguments arguments)
    : MIME(services.clock, services.settings.ProgramFolder()),
      services_(std::move(services)),
      accessTokens_(services_.clock),
      shippedFiles_(services_.settings.ProgramFolder(), services_.installFolder),
      arguments_(std::move(arguments)) {
  SetUpMessageComponent(MIME);
}

void TOrvaneMainForm::ReplyFromFile() {
  orvane::ReplyFromFile(Draft.BodyFileName, AccountName, MIME, Draft,
                        {Settings(), services_.clock, services_.prompt, services_.clipboard});
}

void TOrvaneMainForm::DoChanged() {
  if (OnChanged) OnChanged();
}

void TOrvaneMainForm::DoReplyFromFile() {
  if (OnReplyFromFile) OnReplyFromFile();
}

void TOrvaneMainForm::DoStatusMessage(const WideString& text) {
  if (OnStatusMessage) OnStatusMessage(text);
}

void TOrvaneMainForm::UpdateCaption() {
  const WideString name = SjisToWide(Settings().Read(AccountName, keys::kName));
  const WideString address = SjisToWide(Settings().Read(AccountName, keys::kAddress));
  caption_ = u"Orvane - " + name + u" <" + address + u">" + u" [" + SjisToWide(AccountName) + u"]";
  DoChanged();
}

void TOrvaneMainForm::SetPanelFlag(int panel, bool on, const char16_t* text) {
  panels_.at(static_cast<size_t>(panel)) = on ? text : u"";
}

void TOrvaneMainForm::ShowDraftState() {
  addressFieldText_ = ShownListText();
  SetPanelFlag(1, !Draft.CcText.empty(), u"CC");
  SetPanelFlag(2, !Draft.BccText.empty(), u"BCC");
  SetPanelFlag(3, !Draft.ReplyToText.empty(), u"R");
  SetPanelFlag(4, !Draft.InReplyToText.empty(), u"In");
  UpdateCaption();
}

void TOrvaneMainForm::BuildToolBar() {
  toolBar_ = ReadToolBarLayout(Settings());
  DoChanged();
}

void TOrvaneMainForm::UpdateAttachPanel() {
  const auto entries = ListDirectory(Settings().AttachFolder());
  SetPanelFlag(5,
               std::any_of(entries.begin(), entries.end(),
                           [](const DirEntry& entry) { return entry.IsPlainFile(); }),
               u"添付");
  DoChanged();
}

void TOrvaneMainForm::TickClock() {
  panels_[6] = FormatLongTime(ToLocalDateTime(services_.clock.Now()));
  DoChanged();
}

WideString& TOrvaneMainForm::ShownListText() {
  switch (shownList_) {
    case ShownList::Cc:
      return Draft.CcText;
    case ShownList::Bcc:
      return Draft.BccText;
    case ShownList::To:
      break;
  }
  return Draft.ToText;
}

WideString& TOrvaneMainForm::FieldText(int tag) {
  return tag == kSubjectFieldTag ? Draft.Subject : addressFieldText_;
}

void TOrvaneMainForm::ToButtonClicked() {
  switch (shownList_) {
    case ShownList::To:
      shownList_ = ShownList::Cc;
      toButtonCaption_ = u"CC";
      break;
    case ShownList::Cc:
      shownList_ = ShownList::Bcc;
      toButtonCaption_ = u"BCC";
      break;
    case ShownList::Bcc:
      shownList_ = ShownList::To;
      toButtonCaption_ = u"To";
      break;
  }
  addressFieldText_ = ShownListText();
  DoChanged();
}

void TOrvaneMainForm::ShowList(ShownList list) {
  static constexpr const char16_t* kCaptions[] = {u"To", u"Cc", u"Bcc"};
  shownList_ = list;
  toButtonCaption_ = kCaptions[static_cast<int>(list)];
  addressFieldText_ = ShownListText();
  DoChanged();
}

void TOrvaneMainForm::AddressFieldEdited(const WideString& text) {
  addressFieldText_ = text;
  ShownListText() = text;
  if (shownList_ == ShownList::Cc) SetPanelFlag(1, !text.empty(), u"CC");
  if (shownList_ == ShownList::Bcc) SetPanelFlag(2, !text.empty(), u"BCC");
  DoChanged();
}

void TOrvaneMainForm::SubjectEdited(const WideString& text) {
  Draft.Subject = text;
  DoChanged();
}

void TOrvaneMainForm::SetBodyFileName(const fs::path& path) {
  Draft.BodyFileName = path;
  DoChanged();
}

FileDialogFilter TOrvaneMainForm::BodyFileFilter() const {
  return {u"ﾃｷｽﾄﾌｧｲﾙ(*.txt.*.eml)", {u"*.txt", u"*.eml"}};
}

void TOrvaneMainForm::TogglePostSelf() {
  const bool on = !Draft.PostSelf;
  Settings().Write(keys::kSendToSelf, on);
  Draft.PostSelf = on;
  DoChanged();
}

void TOrvaneMainForm::ToggleDisposition() {
  Draft.Disposition = !Draft.Disposition;
  DoChanged();
}

void TOrvaneMainForm::SetPriority(PriorityItem item) {
  Draft.Priority = item;
  DoChanged();
}

InputBoxRequest TOrvaneMainForm::ReplyToInput() const {
  return {u"ReplyTo", u"ReplyToフィールドを設定してください", Draft.ReplyToText};
}

void TOrvaneMainForm::SetReplyToText(const WideString& text) {
  Draft.ReplyToText = text;
  ShowDraftState();
}

InputBoxRequest TOrvaneMainForm::InReplyToInput() const {
  return {u"InReplyTo", u"InReplyToフィールドを設定してください", Draft.InReplyToText};
}

void TOrvaneMainForm::SetInReplyToText(const WideString& text) {
  Draft.InReplyToText = text;
  ShowDraftState();
}

FieldSelection TOrvaneMainForm::EditCommand(MenuCommand command, int tag,
                                            FieldSelection selection) {
  WideString text = FieldText(tag);
  selection = Clamp(selection, text.size());
  const auto start = static_cast<size_t>(selection.start);
  const auto length = static_cast<size_t>(selection.length);
  switch (command) {
    case MenuCommand::Cut:
      if (length == 0) return selection;
      services_.clipboard.SetText(text.substr(start, length));
      text.erase(start, length);
      selection = {selection.start, 0};
      break;
    case MenuCommand::Copy:
      if (length > 0) services_.clipboard.SetText(text.substr(start, length));
      return selection;
    case MenuCommand::Paste: {
      const WideString pasted = FirstLine(services_.clipboard.Text());
      text.replace(start, length, pasted);
      selection = {selection.start + static_cast<int>(pasted.size()), 0};
      break;
    }
    case MenuCommand::SelectAll:
      return {0, static_cast<int>(text.size())};
    case MenuCommand::ClearAll:
      text.clear();
      selection = {};
      break;
    default:
      return selection;
  }
  if (tag == kSubjectFieldTag)
    SubjectEdited(text);
  else
    AddressFieldEdited(text);
  return selection;
}

std::vector<TSendItem> TOrvaneMainForm::RecipientsForPicker() const {
  return RecipientsOfDraft(Draft);
}

void TOrvaneMainForm::RecipientsPicked(const std::vector<TSendItem>& items) {
  SetRecipientsOfDraft(Draft, items);
  ShowDraftState();
}

std::optional<std::vector<FavouriteMenuItem>> TOrvaneMainForm::FavouriteMenu() const {
  return FavouriteMenuItems(Settings());
}

void TOrvaneMainForm::FavouriteChosen(const WideString& hint) {
  AddressFieldEdited(AppendRecipient(addressFieldText_, hint));
}

std::vector<WideString> TOrvaneMainForm::AccountMenuItems() const {
  std::vector<WideString> items;
  for (const std::string& name : ListAccountNames(Settings())) items.push_back(Utf8ToWide(name));
  return items;
}

void TOrvaneMainForm::AccountMenuItemChosen(const WideString& caption) {
  SelectAccount(WideToSjis(caption));
}

fs::path TOrvaneMainForm::HelpBookIndex() const {
  if (auto book = shippedFiles_.Find(kHelpFileName)) {
    fs::path index = *book / kHelpIndexPage;
    if (FileExists(index)) return index;
  }
  throw Error(u"ヘルプファイルが見つかりません");
}

void TOrvaneMainForm::OpenReadme() const {
  auto readme = shippedFiles_.Find(kReadmeFileName);
  if (!readme || !FileExists(*readme)) throw Error(u"Readme.txt が見つかりません");
  services_.shell.OpenFile(*readme);
}

void TOrvaneMainForm::OpenMakerPage() const {
  services_.shell.OpenUrl(kMakerUrl);
}

void TOrvaneMainForm::UseMakerAddress() {
  AddressFieldEdited(MakerEntry());
}

}  // namespace orvane
