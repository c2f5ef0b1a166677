#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "addressbook/SendItem.h"
#include "app/AddressInput.h"
#include "app/MainMenus.h"
#include "app/MessageDraft.h"
#include "app/SendSequence.h"
#include "app/ShippedFiles.h"
#include "app/ToolBarSettings.h"
#include "app/cmdline.h"
#include "checks/CheckWarnings.h"
#include "mime/ZelMime.h"
#include "oauth/AccessTokens.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/DesktopMime.h"
#include "platform/FileDialogFilter.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the main window works with, handed in so that tests can replace it.
struct MainFormServices {
  IniFileUnit settings;
  const Clock& clock;
  Shell& shell;
  Clipboard& clipboard;
  Prompt& prompt;
  // Where the shipped files are found when the program folder lacks them.
  std::filesystem::path installFolder;
  // The mail clients of each send attempt.
  std::shared_ptr<const SendClients> sendClients = std::make_shared<SendClients>();
  // The desktop's default applications (設定 > 既定のメールソフトにする).
  std::shared_ptr<DesktopMime> desktopMime = std::make_shared<XdgMime>();
};

// What start-up asks of the window on screen.
class MainFormWindow {
 public:
  virtual ~MainFormWindow() = default;
  // The outer position of the window, in pixels.
  virtual void MoveTo(int left, int top) = 0;
  // Shows the window growing from its centre (300 ms) and activates it.
  virtual void ShowAnimated() = 0;
};

// The list the address field shows: the tag of the button SB_To.
enum class ShownList { To = 0, Cc = 1, Bcc = 2 };

// The window's translucency: off, or on with opacities (0 invisible, 255
// opaque) to apply in turn, letting the user interface process pending
// events after each.
struct Translucency {
  bool enabled = false;
  std::vector<int> opacitySteps;
  bool operator==(const Translucency&) const = default;
};

// A selection in a one-line field, in UTF-16 units.
struct FieldSelection {
  int start = 0;
  int length = 0;
  bool operator==(const FieldSelection&) const = default;
};

struct InputBoxRequest {
  WideString caption;
  WideString prompt;
  WideString text;
};

// The status panels 0 to 6: hint, "CC", "BCC", "R", "In", "添付", clock.
inline constexpr int kStatusPanelCount = 7;
inline constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths{250, 30, 30, 30, 30, 30, 50};

// The main window's model and controller: the message draft, the rules of
// every control, start-up and closing. The window on screen renders what
// this says and forwards what the user does; OnChanged tells it to render.
class TOrvaneMainForm {
 public:
  TOrvaneMainForm(MainFormServices services, Arguments arguments);
  virtual ~TOrvaneMainForm() = default;
  TOrvaneMainForm(const TOrvaneMainForm&) = delete;
  TOrvaneMainForm& operator=(const TOrvaneMainForm&) = delete;

  // The draft and the window's other state.
  MessageDraft Draft;
  AnsiString AccountName;  // the current account (Shift_JIS, as the settings store names it)
  WideString VersionText;
  // How this window's last delivery ended, which a pre-send rule reads.
  bool SendSucceeded = false;
  // The message component: what ComposeMessage made of the draft, or the
  // saved message the reply mode read.
  TZelMime MIME;

  const IniFileUnit& Settings() const { return services_.settings; }
  const MainFormServices& Services() const { return services_; }
  // The access tokens of the accounts that sign in with OAuth 2.0, kept for
  // the life of the window.
  TAccessTokens& AccessTokens() { return accessTokens_; }
  const Arguments& CommandLine() const { return arguments_; }

  // --- Start-up and closing ---

  // The steps of creating the window, in order: toolbar, default account,
  // attachment folder, send-to-self, command line, version, activation
  // handlers, position, normal priority, showing, draft state. An error
  // skips the remaining steps; it is returned for the window to show, and
  // the window still opens. A mailto: link refused whole is returned the
  // same way, after all the steps.
  std::optional<WideString> Create(MainFormWindow& window);
  // The command line into the draft (CommandLineDraft); what a mailto:
  // link asked for and did not get goes to status panel 0.
  void ProcessCommandLine();
  // Makes the account current when its settings file exists.
  void SelectAccount(const AnsiString& name);
  bool ActivationHandlersInstalled() const { return activationHandlersInstalled_; }
  Translucency FadeWhenInactive() const;
  Translucency OpaqueWhenActive() const;
  // The window agrees to close: stores its position and empties the
  // attachment folder. Both are attempted; the first error is returned.
  std::optional<WideString> Close(int left, int top);

  // --- Output ---

  // The warning dialog on screen; without one, collected lines cannot be
  // shown and the checks fail.
  void SetWarningDisplay(WarningDisplay* display) { warningDisplay_ = display; }
  // ActionFileMake: the file sequence over the draft, the attachment
  // folder's files and the current account; nothing is sent. A failure is
  // shown through the prompt; returns the file's path when it was written.
  std::optional<std::filesystem::path> FileMake();

  // The Send command (BTM_Send): the send sequence over the draft, the
  // attachment folder's files and the current account, with the warning
  // display, the window and the confirmation given (with one, the send may
  // be held for [Confirm] DelaySeconds). SendSucceeded keeps how its
  // delivery ended; MIME holds the composed message; recipients the
  // confirmation moved into Bcc are shown. With sendAt (後で送信) the
  // message goes into the outbox after the confirmation, to be sent then.
  SendOutcome Send(SendWindow& window, ConfirmDisplay* confirm = nullptr,
                   std::optional<TimePoint> sendAt = std::nullopt);

  // The reply mode: the saved message BodyFileName names is loaded into MIME
  // and the draft becomes its answer; the expanded reply template goes to
  // the clipboard. Throws FileError when the file cannot be read.
  void ReplyFromFile();
  // Raised after the reply mode has filled the draft, when the switch "/r"
  // names an existing saved message.
  std::function<void()> OnReplyFromFile;

  // --- What the window shows ---

  void UpdateCaption();
  void ShowDraftState();
  void BuildToolBar();
  // Panel 5, after the attachments may have changed.
  void UpdateAttachPanel();
  // Panel 6, the time in the long time format; the window's timer calls it
  // every second.
  void TickClock();

  const WideString& Caption() const { return caption_; }
  const WideString& ToButtonCaption() const { return toButtonCaption_; }
  ShownList ToButtonTag() const { return shownList_; }
  const WideString& AddressFieldText() const { return addressFieldText_; }
  const WideString& Panel(int index) const { return panels_.at(static_cast<size_t>(index)); }
  const ToolBarLayout& ToolBar() const { return toolBar_; }

  std::function<void()> OnChanged;
  // A message for the status bar, told once: a message file that went to
  // the program folder because its folder was not found.
  std::function<void(const WideString&)> OnStatusMessage;

  // --- What the user does ---

  // SB_To clicked: To -> CC -> BCC -> To.
  void ToButtonClicked();
  // ActionSetTo, ActionSetCc, ActionSetBcc.
  void ShowList(ShownList list);
  // The address field's text stored at once into the list it shows.
  void AddressFieldEdited(const WideString& text);
  void SubjectEdited(const WideString& text);
  void SetBodyFileName(const std::filesystem::path& path);
  FileDialogFilter BodyFileFilter() const;
  // ActionPostSelf: stores the new state in the settings first.
  void TogglePostSelf();
  void ToggleDisposition();
  void SetPriority(PriorityItem item);
  InputBoxRequest ReplyToInput() const;
  void SetReplyToText(const WideString& text);
  InputBoxRequest InReplyToInput() const;
  void SetInReplyToText(const WideString& text);
  // The edit popups' shared handlers: tag 0 the address field, 1 the
  // subject. Returns the selection the field shows afterwards.
  FieldSelection EditCommand(MenuCommand command, int tag, FieldSelection selection);
  // ActionAccountAdd: asks for a name and creates the account, which
  // becomes current; true when its account dialog is to open now.
  bool AddAccount();
  // ActionAccountNameChange: the current account under a new name.
  void RenameAccount();
  // ActionAccountDelete: deletes the current account when the user agrees
  // and chooses the current account anew.
  void DeleteAccount();
  // The accounts submenu's items, made each time it opens.
  std::vector<WideString> AccountMenuItems() const;
  void AccountMenuItemChosen(const WideString& caption);
  // ActionInputToaddress: the picker starts with these recipients, and the
  // To, Cc and Bcc lists are rebuilt from what it hands back.
  std::vector<TSendItem> RecipientsForPicker() const;
  void RecipientsPicked(const std::vector<TSendItem>& items);
  // The favourites submenu PM_E_Fav, made when the address field's popup
  // opens; nullopt leaves it as it was.
  std::optional<std::vector<FavouriteMenuItem>> FavouriteMenu() const;
  // A favourite chosen: its hint is appended to the address field.
  void FavouriteChosen(const WideString& hint);
  // The help book's index page; throws Error when the book is missing.
  std::filesystem::path HelpBookIndex() const;
  // Opens the read-me with the shell; throws Error when it is missing.
  void OpenReadme() const;
  // The version dialog's lines.
  void OpenMakerPage() const;
  void UseMakerAddress();

 protected:
  virtual void DoChanged();
  virtual void DoReplyFromFile();
  virtual void DoStatusMessage(const WideString& text);

 private:
  // Creates the attachment folder when needed and deletes its plain files.
  void ClearAttachFolder() const;
  // What the send and file sequences work with: the draft, the attachment
  // folder's files and the current account.
  SendSequenceServices SequenceServices();
  SendRequest DraftRequest();
  WideString& ShownListText();
  WideString& FieldText(int tag);
  void SetPanelFlag(int panel, bool on, const char16_t* text);
  // The warning dialog on screen, or, without one, a display that fails.
  WarningDisplay& Warnings();

  MainFormServices services_;
  TAccessTokens accessTokens_;
  ShippedFiles shippedFiles_;
  Arguments arguments_;
  std::optional<WideString> commandLineRefusal_;
  bool activationHandlersInstalled_ = false;
  WideString caption_ = u"Orvane";
  WideString toButtonCaption_ = u"To";
  ShownList shownList_ = ShownList::To;
  WideString addressFieldText_;
  std::array<WideString, kStatusPanelCount> panels_;
  ToolBarLayout toolBar_;
  WarningDisplay* warningDisplay_ = nullptr;
};

}  // namespace orvane
