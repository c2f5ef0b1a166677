#include "app/MainMenus.h"

namespace orvane {

namespace {

MenuEntry Act(ActionId action, WideString caption = {}, WideString hint = {}) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Action;
  entry.action = action;
  entry.caption = std::move(caption);
  entry.hint = std::move(hint);
  return entry;
}

MenuEntry Separator() {
  return MenuEntry{};
}

MenuEntry Submenu(std::string name, WideString caption, std::vector<MenuEntry> items,
                  WideString hint = {}) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Submenu;
  entry.name = std::move(name);
  entry.caption = std::move(caption);
  entry.hint = std::move(hint);
  entry.items = std::move(items);
  return entry;
}

MenuEntry Command(std::string name, MenuCommand command, WideString caption, WideString hint = {},
                  int tag = 0) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Command;
  entry.name = std::move(name);
  entry.command = command;
  entry.caption = std::move(caption);
  entry.hint = std::move(hint);
  entry.tag = tag;
  return entry;
}

MenuEntry Priority(std::string name, MenuCommand command, WideString caption) {
  MenuEntry entry = Command(std::move(name), command, std::move(caption));
  entry.radio = true;
  return entry;
}

std::vector<MenuEntry> MakeMenuBar() {
  return {
      Submenu("A1", u"ｱｶｳﾝﾄ (&A)",
              {Submenu(kAccountListMenu, u"アカウント (&A)", {}), Separator(),
               Act(ActionId::AcountSet, {}, u"アカウントの設定"), Act(ActionId::AccountAdd),
               Act(ActionId::AccountNameChange), Separator(), Act(ActionId::AccountDelete)}),
      Submenu("MM_address", u"ｱﾄﾞﾚｽ帳 (&B)",
              {Act(ActionId::AddressBook), Act(ActionId::InputToaddress)}),
      Submenu("T1", u"添付 (&T)",
              {Act(ActionId::AttachSet), Act(ActionId::SignSet), Act(ActionId::XHeaderSet),
               Act(ActionId::TempSet), Separator(), Act(ActionId::ReplyTo),
               Act(ActionId::InReplyTo), Separator(),
               Submenu("P1", u"優先度 (&P)",
                       {Priority("N11", MenuCommand::PriorityHighest, u"最高 (&1)"),
                        Priority("N21", MenuCommand::PriorityHigh, u"高 (&2)"),
                        Priority("N31", MenuCommand::PriorityNormal, u"普通 (&3)"),
                        Priority("N41", MenuCommand::PriorityLow, u"低 (&4)"),
                        Priority("N51", MenuCommand::PriorityLowest, u"最低 (&5)")},
                       u"メールの優先度を設定します"),
               [] {
                 MenuEntry n7 = Act(ActionId::Dispostition);
                 n7.name = "N7";
                 return n7;
               }()}),
      Submenu("MM_Send", u"送信 (&S)",
              {Command("MM_SendLater", MenuCommand::SendLater, u"後で送信 (&L)...",
                       u"指定した日時に送信します"),
               Command("MM_Outbox", MenuCommand::OpenOutbox, u"送信待ち (&O)...",
                       u"送信を待っているメールを表示します")}),
      Submenu(
          "MM_config", u"設定 (&C)",
          {Act(ActionId::Encode), Act(ActionId::ToolBar), Act(ActionId::Warning),
           Command("MM_Confirm", MenuCommand::ConfirmSettings, u"誤送信防止 (&G)...",
                   u"送信前の確認、社内のドメイン、送信の取り消しを設定します"),
           Separator(), Act(ActionId::PostSelf), Act(ActionId::Option), Act(ActionId::FileMake),
           Command(kDefaultMailerItem, MenuCommand::MakeDefaultMailer, u"既定のメールソフトにする",
                   u"mailto: のリンクを Orvane で開くようにします"),
           Separator(), Act(ActionId::Exit)},
          u"各種設定します"),
      Submenu("MM_Help", u"ヘルプ (&H)",
              {Act(ActionId::HelpContents, u"ヘルプ (&H)..."), Act(ActionId::Readme), Separator(),
               Command("L1", MenuCommand::OpenSentLog, u"送信ログを開く (&L)...",
                       u"送信ログを開らきます"),
               Separator(), Act(ActionId::Version)}),
  };
}

std::vector<MenuEntry> EditItems(int tag, const WideString& clearHint) {
  return {Command("", MenuCommand::Cut, u"切り取り (&X)", u"選択範囲を切り取り", tag),
          Command("", MenuCommand::Copy, u"コピー (&C)", u"選択範囲をコピー", tag),
          Command("", MenuCommand::Paste, u"貼り付け (&V)", u"貼り付け", tag),
          Separator(),
          Command("", MenuCommand::SelectAll, u"すべて選択 (&A)", u"入力欄すべてを選択", tag),
          Command("", MenuCommand::ClearAll, u"すべて消去 (&D)", clearHint, tag)};
}

}  // namespace

const std::vector<MenuEntry>& MainMenuBar() {
  static const std::vector<MenuEntry> menus = MakeMenuBar();
  return menus;
}

const MenuEntry& SendPopup() {
  static const MenuEntry popup =
      Submenu("PM_Send", {}, {Act(ActionId::SetTo), Act(ActionId::SetCc), Act(ActionId::SetBcc)});
  return popup;
}

const MenuEntry& EditToPopup() {
  static const MenuEntry popup = [] {
    std::vector<MenuEntry> items = EditItems(kAddressFieldTag, u"入力欄をすべて消去");
    items.push_back(Separator());
    items.push_back(Submenu(kFavoritesMenu, u"お気に入り (&F)", {}, u"お気に入りアドレスを入力"));
    return Submenu("PM_Edit_To", {}, std::move(items));
  }();
  return popup;
}

const MenuEntry& SubjectPopup() {
  static const MenuEntry popup =
      Submenu("PM_Subject", {}, EditItems(kSubjectFieldTag, u"入力欄すべてを消去"));
  return popup;
}

WideString CaptionOf(const MenuEntry& entry) {
  if (entry.kind == MenuEntryKind::Action && entry.caption.empty())
    return ActionInfoOf(entry.action).caption;
  return entry.caption;
}

WideString HintOf(const MenuEntry& entry) {
  if (entry.kind == MenuEntryKind::Action && entry.hint.empty())
    return ActionInfoOf(entry.action).hint;
  return entry.hint;
}

}  // namespace orvane
