#include "addressbook/AdBook.h"

#include <utility>

#include "addressbook/ContactFile.h"
#include "addressbook/GroupTreeEdit.h"
#include "addressbook/VCardFile.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

constexpr const char16_t* kGroupCaption = u"グループの追加";
constexpr const char16_t* kGroupPrompt = u"追加するグループ名を入力してください";
constexpr const char16_t* kNameTaken = u"すでに同名のグループがあります";
constexpr const char16_t* kCannotRenameTop = u"このグループ名は変更できません";
constexpr const char16_t* kCannotDeleteTop = u"このグループは削除できません";
constexpr const char16_t* kHasSubgroups = u"子グループがあるので削除できません";
constexpr const char16_t* kConfirmDeleteGroup =
    u"現在のグループを削除してもいいですか?\r\n※削除すると元に戻せません";
constexpr const char16_t* kMovedToTemporary =
    u"削除したグループに登録されていたアドレスは、一時保存グループへ移動しました";
constexpr const char16_t* kDeleteFailed = u"削除に失敗しました";
constexpr const char16_t* kCopyFailed = u"アドレスのコピーに失敗しました";
constexpr const char16_t* kImported = u"%s 件のアドレスを読み込みました";
constexpr const char16_t* kExported = u"%s 件のアドレスを書き出しました";
constexpr const char16_t* kConfirmDeleteContacts =
    u"選択しているアドレスを削除してもいいですか?\r\n※削除すると元に戻せません";

constexpr const char16_t* kLosesCharacters =
    u"次のアドレスには保存できない文字があり、保存するとその文字は「?」になります:";
constexpr const char16_t* kImportAnyway = u"このまま読み込みますか?";
constexpr const char16_t* kMoreLosses = u"ほか %s 件";
constexpr const char16_t* kNoName = u"(名前なし)";
constexpr size_t kLossesListed = 20;

// One line per contact that would lose characters, its name and the fields
// that would; empty when nothing would be lost.
WideString LossReport(const std::vector<ContactRecord>& contacts) {
  WideString report;
  size_t count = 0;
  for (const ContactRecord& c : contacts) {
    const std::vector<const char16_t*> fields = FieldsLosingCharacters(c);
    if (fields.empty() || ++count > kLossesListed) continue;
    report += c.Name.empty() ? (c.Address.empty() ? kNoName : c.Address) : c.Name;
    for (size_t i = 0; i < fields.size(); ++i)
      report += (i == 0 ? u" (" : u"、") + WideString(fields[i]);
    report += u")\r\n";
  }
  if (count > kLossesListed)
    report +=
        FormatMessage(kMoreLosses, Utf8ToWide(std::to_string(count - kLossesListed))) + u"\r\n";
  return report;
}

bool IsTopLevel(const GroupTree& tree, const WideString& group) {
  const std::optional<GroupPath> path = FindGroup(tree, group);
  return !path || path->size() == 1;
}

}  // namespace

TBookForm::TBookForm(const IniFileUnit& settings, Clipboard& clipboard, Prompt& prompt,
                     ContactEditor& editor)
    : browser_(settings, clipboard), prompt_(prompt), editor_(editor) {}

void TBookForm::Close() {
  browser_.SaveView(true);
  if (browser_.Opened()) browser_.Store().SaveGroupTree(browser_.Tree());
}

std::optional<WideString> TBookForm::AskGroupName(const WideString& preset) {
  std::optional<WideString> name = prompt_.Input(kGroupCaption, kGroupPrompt, preset);
  if (!name || name->empty()) return std::nullopt;
  return name;
}

bool TBookForm::NameTaken(const WideString& name) {
  if (!browser_.Store().GroupExists(name)) return false;
  prompt_.ShowError(kNameTaken + WideString(u"\r") + name);
  return true;
}

std::optional<WideString> TBookForm::AddGroup(const std::optional<WideString>& selected) {
  std::optional<WideString> name = AskGroupName({});
  if (!name || NameTaken(*name)) return std::nullopt;
  try {
    browser_.Store().EnsureGroupFile(*name);
  } catch (const Error& error) {
    prompt_.ShowError(error.Message());
    return std::nullopt;
  }
  AddGroupTo(browser_.Tree(), selected, *name);
  return name;
}

std::optional<WideString> TBookForm::RenameGroup(const WideString& group) {
  if (IsTopLevel(browser_.Tree(), group)) {
    prompt_.ShowError(kCannotRenameTop);
    return std::nullopt;
  }
  std::optional<WideString> name = AskGroupName(group);
  if (!name || *name == group || NameTaken(*name)) return std::nullopt;
  try {
    browser_.Store().RenameGroup(group, *name);
  } catch (const Error& error) {
    prompt_.ShowError(error.Message());
    return std::nullopt;
  }
  NodeAt(browser_.Tree(), *FindGroup(browser_.Tree(), group)).Name = *name;
  if (browser_.CurrentGroup() == group) browser_.GroupRenamed(*name);
  return name;
}

bool TBookForm::DeleteGroup(const WideString& group) {
  GroupTree& tree = browser_.Tree();
  if (IsTopLevel(tree, group)) {
    prompt_.ShowError(kCannotDeleteTop);
    return false;
  }
  if (!NodeAt(tree, *FindGroup(tree, group)).Children.empty()) {
    prompt_.ShowError(kHasSubgroups);
    return false;
  }
  if (prompt_.Ask(kConfirmDeleteGroup, PromptButtons::YesNo, PromptAnswer::No) != PromptAnswer::Yes)
    return false;
  const bool gone = browser_.Store().DeleteGroup(group);
  prompt_.Inform(kMovedToTemporary);
  if (!gone) {
    prompt_.ShowError(kDeleteFailed);
    return false;
  }
  RemoveGroup(tree, group);
  if (browser_.CurrentGroup() == group) browser_.ClearGroup();
  return true;
}

bool TBookForm::DropGroup(const WideString& group, const WideString& target) {
  return MoveGroupInto(browser_.Tree(), group, target);
}

void TBookForm::DropContacts(const ListSelection& selection, const WideString& target) {
  const std::optional<WideString> from = browser_.CurrentGroup();
  if (!from) return;
  const std::vector<TMailItem>& items = browser_.Items();
  for (size_t row : selection)
    if (row < items.size()) browser_.Store().MoveContact(*from, target, items[row].Id);
  browser_.SelectGroup(target);
}

ContactMenuState TBookForm::ContactMenu(const ListSelection& selection) const {
  if (selection.empty()) return {};
  const size_t first = selection.front();
  return {true, first > 0, first + 1 < browser_.Items().size()};
}

bool TBookForm::AddContact() {
  const std::optional<WideString> group = browser_.CurrentGroup();
  if (!group) return false;
  const std::optional<AnsiString> id = editor_.EditContact({});
  if (!id) return false;
  browser_.Store().AddToGroup(*group, *id);
  browser_.Reload();
  return true;
}

bool TBookForm::EditContact(const ListSelection& selection) {
  if (selection.empty() || selection.front() >= browser_.Items().size()) return false;
  if (!editor_.EditContact(browser_.Items()[selection.front()].Id)) return false;
  browser_.Reload();
  return true;
}

void TBookForm::CopyContacts(const ListSelection& selection) {
  const std::optional<WideString> group = browser_.CurrentGroup();
  if (!group) return;
  // The list is read again only afterwards: the rows stay where they were.
  const std::vector<TMailItem> items = browser_.Items();
  for (size_t row : selection) {
    if (row >= items.size()) continue;
    if (!browser_.Store().CopyContact(*group, items[row].Id)) prompt_.ShowError(kCopyFailed);
  }
  browser_.Reload();
}

void TBookForm::DeleteContacts(const ListSelection& selection) {
  const std::optional<WideString> group = browser_.CurrentGroup();
  if (!group || selection.empty()) return;
  if (prompt_.Ask(kConfirmDeleteContacts, PromptButtons::YesNo, PromptAnswer::No) !=
      PromptAnswer::Yes)
    return;
  const std::vector<TMailItem> items = browser_.Items();
  for (auto row = selection.rbegin(); row != selection.rend(); ++row) {
    if (*row >= items.size()) continue;
    if (!browser_.Store().DeleteContact(*group, items[*row].Id)) prompt_.ShowError(kDeleteFailed);
  }
  browser_.Reload();
}

std::optional<size_t> TBookForm::Swap(const ListSelection& selection, bool up) {
  const std::optional<WideString> group = browser_.CurrentGroup();
  std::vector<TMailItem>& items = browser_.Items();
  if (!group || selection.size() != 1 || selection.front() >= items.size()) return std::nullopt;
  const size_t row = selection.front();
  if (up ? row == 0 : row + 1 >= items.size()) return std::nullopt;
  const size_t other = up ? row - 1 : row + 1;
  std::swap(items[row], items[other]);
  browser_.Store().SaveGroupOrder(*group, items);
  return other;
}

std::optional<size_t> TBookForm::MoveUp(const ListSelection& selection) {
  return Swap(selection, true);
}

std::optional<size_t> TBookForm::MoveDown(const ListSelection& selection) {
  return Swap(selection, false);
}

void TBookForm::ImportVCard(const std::filesystem::path& file) {
  const std::optional<WideString> group = browser_.CurrentGroup();
  if (!group) return;
  std::vector<ContactRecord> contacts;
  try {
    contacts = ReadVCardFile(file);
    if (const WideString losses = LossReport(contacts); !losses.empty()) {
      const WideString question =
          kLosesCharacters + (u"\r\n\r\n" + losses) + u"\r\n" + kImportAnyway;
      if (prompt_.Ask(question, PromptButtons::YesNo, PromptAnswer::No) != PromptAnswer::Yes)
        return;
    }
    if (!contacts.empty()) browser_.Store().AddContacts(*group, contacts);
  } catch (const Error& error) {
    prompt_.ShowError(error.Message());
    return;
  }
  browser_.Reload();
  prompt_.Inform(FormatMessage(kImported, Utf8ToWide(std::to_string(contacts.size()))));
}

void TBookForm::ExportVCard(const ListSelection& selection, const std::filesystem::path& file) {
  std::vector<AnsiString> ids;
  for (size_t row : selection)
    if (row < browser_.Items().size()) ids.push_back(browser_.Items()[row].Id);
  if (ids.empty()) return;
  size_t count = 0;
  try {
    count = ExportVCardFile(browser_.Store(), ids, file);
  } catch (const Error& error) {
    prompt_.ShowError(error.Message());
    return;
  }
  prompt_.Inform(FormatMessage(kExported, Utf8ToWide(std::to_string(count))));
}

}  // namespace orvane
