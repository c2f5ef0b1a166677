#include "app/MainActions.h"

#include <array>

namespace orvane {

namespace {

constexpr std::array<ActionInfo, 26> kActions{{
    {ActionId::AcountSet, "ActionAcountSet", u"Account", u"アカウントの設定 (&S)...",
     u"送信アカウントの設定", 1, "", false},
    {ActionId::AccountAdd, "ActionAccountAdd", u"Account", u"アカウントの追加 (&U)...",
     u"アカウントを追加します", -1, "", false},
    {ActionId::AccountNameChange, "ActionAccountNameChange", u"Account",
     u"アカウント名変更 (&M)...", u"アカウントの名を変更します", -1, "", false},
    {ActionId::AccountDelete, "ActionAccountDelete", u"Account", u"アカウント削除 (&D)",
     u"アカウントを削除します", -1, "", false},
    {ActionId::AddressBook, "ActionAddressBook", u"Address", u"アドレス帳編集 (&E)...",
     u"アドレス帳の編集", 7, "", false},
    {ActionId::InputToaddress, "ActionInputToaddress", u"Address", u"アドレス帳から入力 (&I)...",
     u"アドレス帳から入力する", 8, "", false},
    {ActionId::Encode, "ActionEncode", u"Setting", u"エンコード設定 (&C)...",
     u"エンコード方法を設定します", 2, "", false},
    {ActionId::Warning, "ActionWarning", u"Setting", u"警告の設定 (&P)...",
     u"送信時の警告を設定します", 3, "", false},
    {ActionId::ToolBar, "ActionToolBar", u"Setting", u"ツールバー設定 (&T)...",
     u"ツールバーを設定します", 4, "", false},
    {ActionId::SignSet, "ActionSignSet", u"Setting", u"署名の設定 (&S)...", u"署名の設定", 5, "",
     false},
    {ActionId::Option, "ActionOption", u"Setting", u"オプション設定 (&O)...",
     u"オプションの設定です", 6, "", false},
    {ActionId::AttachSet, "ActionAttachSet", u"Setting", u"添付ファイル指定 (&C)...",
     u"添付ファイルを指定します", 9, "", false},
    {ActionId::TempSet, "ActionTempSet", u"Setting", u"テンプレート (&T)...",
     u"返信用テンプレートの設定", 10, "", false},
    {ActionId::PostSelf, "ActionPostSelf", u"Setting", u"自分にも送信 (&B)", u"自分にも送信する",
     16, "", true},
    {ActionId::FileMake, "ActionFileMake", u"Setting", u"ファイル作成 (&M)",
     u"エンコードしてファイルを作成します", 17, "", false},
    {ActionId::SetTo, "ActionSetTo", u"Setting", u"To: (&T)", u"To アドレスを入力", 18, "", false},
    {ActionId::SetCc, "ActionSetCc", u"Setting", u"Cc: (&C)", u"Cc アドレスを入力", 19, "", false},
    {ActionId::SetBcc, "ActionSetBcc", u"Setting", u"Bcc: (&B)", u"Bcc アドレスを入力", 20, "",
     false},
    {ActionId::Exit, "ActionExit", u"Setting", u"終了 (&X)", u"終了します", 21, "Alt+F4", false},
    {ActionId::XHeaderSet, "ActionXHeaderSet", u"XHead", u"拡張ヘッダの設定 (&X)...",
     u"拡張ヘッダフィールドの設定", 11, "", false},
    {ActionId::ReplyTo, "ActionReplyTo", u"XHead", u"ReplyTo (&R)...", u"ReplyToフィールドの設定",
     12, "", false},
    {ActionId::InReplyTo, "ActionInReplyTo", u"XHead", u"InReplyTo (&I)...",
     u"InReplyToフィールドの設定", 13, "", false},
    {ActionId::Dispostition, "ActionDispostition", u"XHead", u"開封メッセージを要求する (&N)",
     u"このメールを開封時にメッセージを要求します", 6, "", true},
    {ActionId::Version, "ActionVersion", u"Help", u"バージョン情報 (&V)...",
     u"バージョン情報を開きます", 14, "", false},
    {ActionId::HelpContents, "ActionHelpContents", u"Help", u"ヘルプ (&H)", u"ヘルプを開きます", 15,
     "F1", false},
    {ActionId::Readme, "ActionReadme", u"Help", u"Readme.txt (&R)...", u"Readme.txt を開く", -1, "",
     false},
}};

constexpr bool InIdOrder() {
  for (size_t i = 0; i < kActions.size(); ++i)
    if (kActions[i].id != static_cast<ActionId>(i)) return false;
  return true;
}
static_assert(InIdOrder(), "the action table is indexed by ActionId");

// Toolbar codes 1 to 21, in code order.
constexpr std::array<ActionId, 21> kToolBarActions{
    ActionId::AcountSet, ActionId::Encode,  ActionId::Warning,      ActionId::ToolBar,
    ActionId::SignSet,   ActionId::Option,  ActionId::AddressBook,  ActionId::InputToaddress,
    ActionId::AttachSet, ActionId::TempSet, ActionId::XHeaderSet,   ActionId::ReplyTo,
    ActionId::InReplyTo, ActionId::Version, ActionId::HelpContents, ActionId::PostSelf,
    ActionId::FileMake,  ActionId::SetTo,   ActionId::SetCc,        ActionId::SetBcc,
    ActionId::Exit,
};

}  // namespace

std::span<const ActionInfo> MainActions() {
  return kActions;
}

const ActionInfo& ActionInfoOf(ActionId id) {
  return kActions[static_cast<size_t>(id)];
}

std::optional<ActionId> ActionOfToolBarCode(int code) {
  if (code < 1 || code > static_cast<int>(kToolBarActions.size())) return std::nullopt;
  return kToolBarActions[static_cast<size_t>(code - 1)];
}

}  // namespace orvane
