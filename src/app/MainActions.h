#pragma once

#include <optional>
#include <span>

#include "platform/Types.h"

namespace orvane {

// The commands of the main window's action list. Menus, popups, buttons and
// toolbar buttons only point to these.
enum class ActionId {
  AcountSet,
  AccountAdd,
  AccountNameChange,
  AccountDelete,
  AddressBook,
  InputToaddress,
  Encode,
  Warning,
  ToolBar,
  SignSet,
  Option,
  AttachSet,
  TempSet,
  PostSelf,
  FileMake,
  SetTo,
  SetCc,
  SetBcc,
  Exit,
  XHeaderSet,
  ReplyTo,
  InReplyTo,
  Dispostition,
  Version,
  HelpContents,
  Readme,
};

struct ActionInfo {
  ActionId id;
  const char* name;  // the action's name in the action list
  const char16_t* category;
  const char16_t* caption;
  const char16_t* hint;
  int imageIndex;        // -1 for none
  const char* shortcut;  // in the portable key notation ("Alt+F4"), or empty
  bool checkable;        // a toggle that ticks itself
};

// All 26 actions in the order of the action list.
std::span<const ActionInfo> MainActions();
const ActionInfo& ActionInfoOf(ActionId id);

// The number of images in the image list; image i belongs to toolbar code i
// and image 0 to the separator entry.
constexpr int kImageCount = 22;

// The action a toolbar code stands for: none for the separator 0 and for a
// code outside 1 to 21.
std::optional<ActionId> ActionOfToolBarCode(int code);

}  // namespace orvane
