#pragma once

#include <string>
#include <vector>

#include "app/MainActions.h"
#include "platform/Types.h"

namespace orvane {

// Commands of menu items that are not bound to an action.
enum class MenuCommand {
  None,
  PriorityHighest,  // N11 .. N51, one radio group
  PriorityHigh,
  PriorityNormal,
  PriorityLow,
  PriorityLowest,
  OpenSentLog,        // L1
  MakeDefaultMailer,  // MM_DefaultMailer, shown where the desktop's table can be changed
  ConfirmSettings,    // the settings dialog "誤送信防止"
  SendLater,          // 後で送信: the Send command into the outbox until a time asked for
  OpenOutbox,         // the list 送信待ち
  // The edit popups' shared handlers; the item's tag chooses the field.
  Cut,
  Copy,
  Paste,
  SelectAll,
  ClearAll,
};

enum class MenuEntryKind { Action, Separator, Submenu, Command };

// One entry of a menu. An action entry shows the action's caption and hint
// unless the entry gives its own.
struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::Separator;
  std::string name;  // the item's name ("A1", "N11"), empty for plain action entries
  ActionId action = ActionId::Exit;
  MenuCommand command = MenuCommand::None;
  WideString caption;  // empty: the action's
  WideString hint;     // empty: the action's
  int tag = 0;
  bool radio = false;  // one of a group of which one is ticked
  std::vector<MenuEntry> items;
};

// The names of the submenus whose items are made when they open.
inline constexpr const char* kAccountListMenu = "AccountList";
inline constexpr const char* kFavoritesMenu = "PM_E_Fav";
inline constexpr const char* kDefaultMailerItem = "MM_DefaultMailer";

// The menu bar MM: its six menus, in order.
const std::vector<MenuEntry>& MainMenuBar();
// The popups PM_Send (the To button), PM_Edit_To (tag 0) and PM_Subject (tag 1).
const MenuEntry& SendPopup();
const MenuEntry& EditToPopup();
const MenuEntry& SubjectPopup();

// Tags of the edit popups' items.
inline constexpr int kAddressFieldTag = 0;
inline constexpr int kSubjectFieldTag = 1;

// The caption and hint an entry shows.
WideString CaptionOf(const MenuEntry& entry);
WideString HintOf(const MenuEntry& entry);

}  // namespace orvane
