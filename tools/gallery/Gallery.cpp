#include "Gallery.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QThread>

#include "addressbook/EditAdrUnit.h"
#include "addressbook/PhoneUnit.h"
#include "addressbook/ZyusyoUnit.h"
#include "addressbook/forms/AdBookForm.h"
#include "addressbook/forms/AddressForm.h"
#include "addressbook/forms/BookPane.h"
#include "addressbook/forms/EditAdrForm.h"
#include "addressbook/forms/GroupTreeWidget.h"
#include "addressbook/forms/PhoneForm.h"
#include "addressbook/forms/SendListForm.h"
#include "addressbook/forms/ZyusyoForm.h"
#include "app/ComposeMessage.h"
#include "app/LogListUnit.h"
#include "app/OutboxList.h"
#include "app/OutboxQueue.h"
#include "app/RecipientHistoryFiles.h"
#include "app/WarningDraft.h"
#include "app/forms/EncodeForm.h"
#include "app/forms/LogFormView.h"
#include "app/forms/LogListForm.h"
#include "app/forms/OptionForm.h"
#include "app/forms/OutboxListForm.h"
#include "app/forms/OutboxPanel.h"
#include "app/forms/SendFormView.h"
#include "app/forms/SendLaterForm.h"
#include "app/forms/ToolBarCustmForm.h"
#include "app/forms/VersionForm.h"
#include "checks/forms/ConfirmFormView.h"
#include "checks/forms/ConfirmSetFormView.h"
#include "checks/forms/WarningFormView.h"
#include "checks/forms/WarningSetFormView.h"
#include "extras/forms/AttachForm.h"
#include "extras/forms/SigForm.h"
#include "extras/forms/XHForm.h"
#include "gui/QtMainThread.h"
#include "gui/QtText.h"
#include "oauth/SignIn.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/forms/AccountFormView.h"
#include "settings/forms/PopBeforeFormView.h"
#include "transport/TCPThread.h"

namespace orvane::gallery {

namespace fs = std::filesystem;

namespace {

class NoShell final : public Shell {
 public:
  void OpenFile(const fs::path&) override {}
  void OpenUrl(const WideString&) override {}
};

class NoClipboard final : public Clipboard {
 public:
  WideString Text() const override { return {}; }
  void SetText(const WideString&) override {}
};

// Answers every question with its default and every input box with a
// cancel, so that drawing a window never waits for a user.
class SilentPrompt final : public Prompt {
 public:
  PromptAnswer Ask(const WideString&, PromptButtons, PromptAnswer defaultAnswer) override {
    return defaultAnswer;
  }
  void Inform(const WideString&) override {}
  void Warn(const WideString&, const WideString&) override {}
  void ShowError(const WideString&) override {}
  std::optional<WideString> Input(const WideString&, const WideString&,
                                  const WideString&) override {
    return std::nullopt;
  }
};

constexpr const char* kAccount = "home";

AnsiString Sjis(const char* utf8) {
  return WideToSjis(Utf8ToWide(utf8));
}

void WriteSampleSettings(const IniFileUnit& settings) {
  settings.Write(keys::kSendToSelf, true);
  settings.WriteAccountString(kAccount, keys::kName.key, Sjis("山田 太郎"));
  settings.WriteAccountString(kAccount, keys::kAddress.key, "taro@example.jp");
  settings.Write(kAccount, {{keys::kSmtp, "mail.example.jp"},
                            {keys::kSmtpPort, "587"},
                            {keys::kSecurity, "1"},
                            {keys::kAuth, kAccountTrue},
                            {keys::kUserId, "taro"},
                            {keys::kPass, "secret"},
                            {keys::kPopBeforeSmtp, kAccountTrue},
                            {keys::kPop3, "pop.example.jp"},
                            {keys::kPop3Port, "995"},
                            {keys::kPopSecurity, "2"}});
  settings.WriteAccountBlock(kAccount, keys::kSignatureSection,
                             Sjis("--\r\n%name% <%address%>\r\n  株式会社オルバーン 営業部\r\n"
                                  "送信日時: %datetime1%"),
                             {{keys::kDateTimeKeys[0], Sjis("yyyy年m月d日 hh:nn")}});
  settings.WriteAccountBlock(kAccount, keys::kTemplateSection,
                             Sjis("%date% に %fname% さんは書きました:\r\n件名: %subject%"));
  settings.WriteAccountBlock(kAccount, keys::kXHeaderSection,
                             "X-Project=orvane\r\nX-Priority-Note=" + Sjis("至急"));
}

void WriteSampleAttachments(const fs::path& folder) {
  QImage picture(160, 120, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 160, 120);
  gradient.setColorAt(0, QColor(40, 110, 200));
  gradient.setColorAt(1, QColor(250, 200, 60));
  painter.fillRect(picture.rect(), gradient);
  painter.end();
  picture.save(PathToQString(folder / "写真.png"), "PNG");
  WriteWholeFile(folder / "議事録.txt", std::string(1000, 'x'));
  WriteWholeFile(folder / "見積書.pdf", std::string(2000, 'x'));
}

// Two entries of the account, the second index of a Count that promises a
// third, as a user who edited it would leave it.
void WriteSampleSentLog(const IniFileUnit& settings) {
  const fs::path folder = settings.SentLogFolder();
  CreateFolder(folder);
  WriteWholeFile(folder / (std::string(kAccount) + kSentLogIndexExtension),
                 Sjis("[Count]\r\nCount=3\r\n[String]\r\nDateTime1=2024/06/03 09:15\r\n"
                      "To1=花子 <hanako@example.jp>\r\nSubject1=打ち合わせの日程について\r\n"
                      "FileName1=SLog0.Log\r\nDateTime2=2024/06/04 17:42\r\n"
                      "To2=jiro@example.jp\r\nSubject2=Re: 見積のお願い\r\n"
                      "FileName2=SLog1.log\r\n"));
}

QWidget* SentLogViewer(GallerySession& session) {
  WriteSampleSentLog(session.Settings());
  TOrvaneMainForm& form = session.Form();
  SentLogList& list = session.KeepModel(
      std::make_unique<SentLogList>(form.Settings(), form.Services().shell, form.Services().prompt));
  auto* dialog = session.Keep(
      std::make_unique<TFmLogList>(&session.MainWindow(), list, session.Context().help));
  dialog->ShowAccount(0);
  return dialog;
}

// An address book as a user keeps one: a tree of groups, contacts with
// readings and icons, a contact with every field filled, favourites.
void WriteSampleAddressBook(const IniFileUnit& settings) {
  const fs::path folder = settings.AddressFolder();
  CreateFolder(folder);
  WriteWholeFile(folder / "Address.dat",
                 Sjis("アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n\t家族\r\n\t学生時代の友人\r\n"));
  const struct {
    const char* name;
    const char* kana;
    const char* address;
    int mark;
  } contacts[] = {
      {"山田 花子", "やまだ はなこ", "hanako@example.jp", 1},
      {"佐藤 一郎", "さとう いちろう", "ichiro.sato@example.co.jp", 3},
      {"鈴木 次郎", "すずき じろう", "jiro@example.ne.jp", 5},
      {"高橋 美咲", "たかはし みさき", "misaki.takahashi@example.jp", 8},
      {"John Smith", "Ｓｍｉｔｈ", "john.smith@example.com", 10},
      {"渡辺 健太", "わたなべ けんた", "kenta@example.jp", -1},
  };
  AnsiString lines;
  for (size_t i = 0; i < std::size(contacts); ++i) {
    char id[8];
    std::snprintf(id, sizeof id, "%04zu", i);
    AnsiString text = Sjis("[Person]\r\nName=") + Sjis(contacts[i].name) +
                      "\r\nKana=" + Sjis(contacts[i].kana) + "\r\nAddress=" + contacts[i].address +
                      "\r\n";
    if (contacts[i].mark >= 0) text += "Mark=" + std::to_string(contacts[i].mark) + "\r\n";
    WriteWholeFile(folder / (std::string(id) + ".adr"), text);
    lines += std::string(id) + "\r\n";
  }
  WriteWholeFile(folder / "アドレス帳.dat", lines);
  WriteWholeFile(folder / "お気に入り.dat", "0000\r\n0003\r\n");
  AdBookStore store(folder);
  ContactRecord full = store.ReadContact("0000");
  full.Birth = u"1985/04/12";
  full.WebSite = u"https://hanako.example.jp/";
  full.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101", u"渋谷"};
  full.Company = u"株式会社オルバーン";
  full.Busyo = u"営業部";
  full.Yaku = u"課長";
  full.Office = {u"1000005", u"東京都千代田区丸の内1-1-1", u"丸の内ビル 12階", u"東京"};
  full.Phones[0] = u"(   03)-1234-5678";
  full.Phones[2] = u" 090-1234-5678";
  full.OfficePhones[0] = u"(   03)-9876-5432";
  full.CompanyWebSite = u"https://www.example.co.jp/";
  full.Memo = u"打ち合わせは火曜日の午後が都合よいとのこと。\r\n年賀状: 毎年送る";
  store.WriteContact("0000", full);
}

BookServices AddressBookServices(GallerySession& session) {
  TOrvaneMainForm& form = session.Form();
  return {form.Settings(),         form.Services().clock,  form.Services().shell,
          form.Services().clipboard, form.Services().prompt, session.Context().help};
}

// The address book editor on the group アドレス帳, its first contact
// selected.
TBookFormView* AddressBookEditor(GallerySession& session) {
  WriteSampleAddressBook(session.Settings());
  auto* book = session.Keep(
      std::make_unique<TBookFormView>(&session.MainWindow(), AddressBookServices(session)));
  QTreeWidget* tree = book->Pane()->Tree();
  tree->setCurrentItem(tree->topLevelItem(0));
  book->Pane()->Select({0}, 0);
  return book;
}

QWidget* BookMenu(GallerySession& session, const char* name) {
  TBookFormView* book = AddressBookEditor(session);
  book->show();
  auto* menu = book->findChild<QMenu*>(QLatin1String(name));
  if (menu) emit menu->aboutToShow();
  return menu;
}

QWidget* ContactEditor(GallerySession& session) {
  WriteSampleAddressBook(session.Settings());
  BookServices services = AddressBookServices(session);
  auto& store = session.KeepModel(std::make_unique<AdBookStore>(services.settings.AddressFolder()));
  auto& form = session.KeepModel(
      std::make_unique<TEditAdrForm>(store, services.clock, services.shell, services.prompt));
  form.ContactId = "0000";
  form.Open();
  return session.Keep(std::make_unique<TEditAdrFormView>(&session.MainWindow(), form, services));
}

QWidget* PostalAddressDialog(GallerySession& session) {
  BookServices services = AddressBookServices(session);
  auto& form = session.KeepModel(std::make_unique<TZyusyoForm>(
      services.settings, services.shell,
      PostalAddress{u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101", u"渋谷"}));
  return session.Keep(std::make_unique<TZyusyoFormView>(&session.MainWindow(), form, services));
}

QWidget* PhoneDialog(GallerySession& session) {
  auto& form = session.KeepModel(std::make_unique<TPhoneForm>(std::array<WideString, 5>{
      u"(   03)-1234-5678", u"", u" 090-1234-5678", u"(   03)-1234-5679", u""}));
  return session.Keep(
      std::make_unique<TPhoneFormView>(&session.MainWindow(), form, AddressBookServices(session)));
}

// The picker with three recipients in its send list, two To and one Cc.
TAddFormView* Picker(GallerySession& session) {
  WriteSampleAddressBook(session.Settings());
  auto& list = session.KeepModel(std::make_unique<std::vector<TSendItem>>(
      std::vector<TSendItem>{{u"山田 花子", u"hanako@example.jp", TSendItem::kTo},
                             {u"", u"taro@example.jp", TSendItem::kTo},
                             {u"鈴木 次郎", u"jiro@example.ne.jp", TSendItem::kCc}}));
  auto* picker = session.Keep(
      std::make_unique<TAddFormView>(&session.MainWindow(), AddressBookServices(session), list));
  QTreeWidget* tree = picker->Pane()->Tree();
  tree->setCurrentItem(tree->topLevelItem(0));
  picker->Pane()->Select({1}, 1);
  return picker;
}

QWidget* MainWindow(GallerySession& session) {
  return &session.MainWindow();
}

// The send window of an attempt for an account that names no server.
// Without a delay it ends at once, without a network, with its status,
// caption and log lines as a failed delivery leaves them, and its workers
// are gone when it is returned; with one it is returned counting down.
TSendFormView* SampleSendWindow(GallerySession& session, int delaySeconds) {
  struct Attempt {
    SystemClock clock;
    QtMainThread mainThread;
    SendClients clients{0};
    TAccessTokens tokens{clock};
    std::unique_ptr<TSendForm> form;
  };
  auto* attempt = new Attempt;
  attempt->form = std::make_unique<TSendForm>(
      SendServices{session.Settings(), attempt->clock, attempt->mainThread, attempt->clients,
                   attempt->tokens},
      SendJob{"NewAccount",
              std::make_shared<const AnsiString>(
                  "To: hanako@example.jp\r\nSubject: sample\r\n\r\nbody\r\n"),
              {"hanako@example.jp"},
              {},
              delaySeconds});
  auto* window = session.Keep(
      std::make_unique<TSendFormView>(*attempt->form, session.Settings(), &session.MainWindow()));
  QObject::connect(window, &QObject::destroyed, [attempt] { delete attempt; });
  window->show();
  for (int i = 0;
       i < 500 && (attempt->form->State() == SendState::Sending || TTCPThread::LiveWorkers() > 0);
       ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return window;
}

// A dialog over its controller, both kept for the session; `prepare` sets
// the controller up after it has read the settings.
template <typename View, typename Controller>
QWidget* Dialog(GallerySession& session, std::unique_ptr<Controller> controller,
                const std::function<void(Controller&)>& prepare = {}) {
  auto* kept = controller.release();
  kept->Show();
  if (prepare) prepare(*kept);
  auto view = std::make_unique<View>(*kept, session.Context().help, &session.MainWindow());
  // The controller goes with its window.
  QObject::connect(view.get(), &QObject::destroyed, [kept] { delete kept; });
  return session.Keep(std::move(view));
}

// What every rule says about the sample draft, with a few more things for
// them to find.
std::vector<WideString> SampleWarnings(GallerySession& session) {
  const TOrvaneMainForm& form = session.Form();
  MessageDraft draft = form.Draft;
  draft.BodyFileName = form.Settings().ProgramFolder() / "本文.txt";
  WriteWholeFile(draft.BodyFileName, WideToUtf8(u"①の件、ｶﾀﾛｸﾞを添付します。\n"));
  draft.CcText = u"山田 <yamada@docomo.ne.jp>, 無効なアドレス";
  draft.Priority = PriorityItem::High;
  draft.Disposition = true;
  TZelMime message(DefaultClock(), form.Settings().ProgramFolder());
  SetUpMessageComponent(message);
  const std::vector<std::filesystem::path> attachments = form.Settings().AttachFilePaths();
  const WideString signature = ComposeMessage(
      draft, attachments, {form.Settings(), DefaultClock(), form.AccountName, form.VersionText},
      message);
  TWarningInputs inputs = GatherWarningInputs(
      form.Settings(),
      WarningDraftOf(form.Settings(), draft, form.AccountName, false, signature, attachments),
      message);
  inputs.settings.on.fill(true);
  return EvaluateWarnings(inputs);
}

// The confirmation of the sample draft with an internal recipient, one from
// the address book, one at a look-alike of its domain, one written to for
// the first time, and the sample attachments.
QWidget* Confirmation(GallerySession& session) {
  WriteSampleAddressBook(session.Settings());
  const TOrvaneMainForm& form = session.Form();
  MessageDraft draft = form.Draft;
  draft.CcText = u"佐藤 一郎 <ichiro.sato@example.co.jp>, John Smith <john.smith@exarnple.com>";
  draft.BccText = u"新規 <info@newcorp.co.jp>";
  TConfirmSend send{form.AccountName,
                    u"山田 太郎 <taro@example.jp>",
                    form.Draft.Subject,
                    DraftRecipients(draft),
                    {}};
  for (const fs::path& path : form.Settings().AttachFilePaths())
    send.attachments.push_back({Utf8ToWide(path.filename().native()), AttachedFileSize(path)});
  TConfirmSettings settings = ReadConfirmSettings(form.Settings(), form.AccountName);
  settings.enabled = true;
  auto& confirm = session.KeepModel(std::make_unique<TConfirmForm>(
      std::move(send), settings, RecipientHistoryFiles(form.Settings(), form.AccountName)));
  return session.Keep(std::make_unique<TConfirmFormView>(session.Context(), confirm));
}

// Two messages waiting: the window's own, sent later, and one that
// orvane-send kept after a failed attempt.
void QueueSampleMessages(GallerySession& session) {
  const Outbox outbox = ProgramOutbox(session.Settings());
  if (outbox.Count() > 0) return;
  const SystemClock clock;
  OutboxMessage own{"NewAccount",
                    "",
                    {"hanako@example.jp", "cc@example.jp"},
                    "Subject: =?ISO-2022-JP?B?GyRCQkckQTlnJG8kOyRORnxEeCRLJEQkJCRGGyhC?=\r\n"
                    "\r\nbody\r\n"};
  own.notBefore = clock.Now() + std::chrono::hours(20);
  own.draft = OutboxDraft{
      u"花子 <hanako@example.jp>", u"cc@example.jp", {}, u"打ち合わせの日程について", "本文.txt"};
  outbox.Add(own, clock);
  OutboxMessage kept{
      "NewAccount", "", {"ichiro.sato@example.co.jp"}, "Subject: nightly report\r\n\r\nbody\r\n"};
  kept.attempts = 1;
  kept.lastReply = u"451 4.7.1 Greylisted, please try again later";
  outbox.Add(kept, clock);
}

QWidget* OutboxWindow(GallerySession& session) {
  QueueSampleMessages(session);
  TOrvaneMainForm& form = session.Form();
  auto& list = session.KeepModel(std::make_unique<OutboxList>(
      SendSequenceServices{form.Settings(), form.Services().clock, *form.Services().sendClients,
                           form.AccessTokens()},
      form.Services().prompt));
  auto* window = session.Keep(std::make_unique<TOutboxListForm>(
      &session.MainWindow(), list, session.MainWindow(), [](const OutboxDraft&) {}));
  window->SelectRow(0);
  return window;
}

QWidget* MainWindowWithOutbox(GallerySession& session) {
  QueueSampleMessages(session);
  session.MainWindow().findChild<TOutboxPanel*>(QStringLiteral("Outbox"))->Refresh();
  return &session.MainWindow();
}

}  // namespace

struct GallerySession::Services {
  NoShell shell;
  NoClipboard clipboard;
  SilentPrompt prompt;
  SystemClock clock;
};

GallerySession::GallerySession(const fs::path& programFolder)
    : services_(std::make_unique<Services>()) {
  IniFileUnit settings(programFolder);
  WriteSampleSettings(settings);
  Arguments arguments{u"orvane", u"mailto=花子 <hanako@example.jp>",
                      u"subject=打ち合わせの日程について", u"replyto=taro@example.jp"};
  form_ = std::make_unique<TOrvaneMainForm>(
      MainFormServices{settings, services_->clock, services_->shell, services_->clipboard,
                       services_->prompt, programFolder},
      std::move(arguments));
  TOrvaneMainFormView::SetAnimationsEnabled(false);
  window_ = std::make_unique<TOrvaneMainFormView>(*form_);
  window_->Start();
  // Starting empties the attachment folder.
  WriteSampleAttachments(settings.AttachFolder());
  form_->UpdateAttachPanel();
  QApplication::processEvents();
}

GallerySession::~GallerySession() {
  kept_.clear();
  window_.reset();
}

DialogContext GallerySession::Context() {
  return DialogContext{window_.get(),         form_->Settings(),    form_->Services().prompt,
                       form_->Services().clock, [](QWidget*, int) {}, form_->AccountName};
}

QWidget* GallerySession::MainMenu(const char* name) {
  auto* menu = window_->menuBar()->findChild<QMenu*>(QLatin1String(name));
  if (!menu) return nullptr;
  emit menu->aboutToShow();
  return menu;
}

std::span<const GalleryWindow> GalleryWindows() {
  static const GalleryWindow windows[] = {
      {"main", MainWindow},
      {"main-outbox", MainWindowWithOutbox},
      {"menu-MM_Send", [](GallerySession& s) { return s.MainMenu("MM_Send"); }},
      {"outbox", OutboxWindow},
      {"send-later",
       [](GallerySession& s) {
         return s.Keep(std::make_unique<TSendLaterForm>(&s.MainWindow(), s.PromptService(),
                                                        s.Form().Services().clock));
       }},
      {"menu-A1", [](GallerySession& s) { return s.MainMenu("A1"); }},
      {"menu-T1", [](GallerySession& s) { return s.MainMenu("T1"); }},
      {"menu-MM_config", [](GallerySession& s) { return s.MainMenu("MM_config"); }},
      {"menu-MM_Help", [](GallerySession& s) { return s.MainMenu("MM_Help"); }},
      {"version",
       [](GallerySession& s) {
         return s.Keep(std::make_unique<TVersionForm>(&s.MainWindow(), s.Form()));
       }},
      {"sentlog", SentLogViewer},
      {"addressbook", [](GallerySession& s) -> QWidget* { return AddressBookEditor(s); }},
      {"addressbook-icons",
       [](GallerySession& s) -> QWidget* {
         TBookFormView* book = AddressBookEditor(s);
         book->findChild<QAction*>(QStringLiteral("ViewStyle0"))->trigger();
         return book;
       }},
      {"addressbook-menu-group", [](GallerySession& s) { return BookMenu(s, "MenuGroup"); }},
      {"addressbook-menu-address", [](GallerySession& s) { return BookMenu(s, "MenuAddress"); }},
      {"addressbook-menu-reading", [](GallerySession& s) { return BookMenu(s, "MenuReading"); }},
      {"addressbook-menu-view", [](GallerySession& s) { return BookMenu(s, "MenuView"); }},
      {"contact", ContactEditor},
      {"postal-address", PostalAddressDialog},
      {"phone", PhoneDialog},
      {"picker", [](GallerySession& s) -> QWidget* { return Picker(s); }},
      {"sendlist", [](GallerySession& s) -> QWidget* { return Picker(s)->SendListWindow(); }},
      {"account",
       [](GallerySession& s) {
         return Dialog<TAccountFormView>(
             s,
             std::make_unique<TAccountForm>(s.Settings(), s.PromptService(), s.Form().AccountName));
       }},
      {"account-oauth",
       [](GallerySession& s) {
         // A sign-in that the gallery never starts, so that サインイン... shows
         // as it does from the main window.
         auto& mainThread = s.KeepModel(std::make_unique<QtMainThread>());
         auto& signIn =
             s.KeepModel(std::make_unique<TOAuthSignIn>(s.Form().Services().shell, mainThread));
         return Dialog<TAccountFormView, TAccountForm>(
             s,
             std::make_unique<TAccountForm>(s.Settings(), s.PromptService(), s.Form().AccountName,
                                            &signIn),
             [](TAccountForm& form) {
               form.ChooseOAuth(true);
               form.ChooseProvider("microsoft365");
               form.OAuth.clientId = u"00000000-0000-0000-0000-000000000000";
               form.OAuth.tenant = u"contoso.onmicrosoft.com";
             });
       }},
      {"pop-before",
       [](GallerySession& s) {
         return Dialog<TPopBeforeFormView>(
             s, std::make_unique<TPopBeforeForm>(s.Settings(), s.Form().AccountName));
       }},
      {"send", [](GallerySession& s) -> QWidget* { return SampleSendWindow(s, 0); }},
      {"send-delay", [](GallerySession& s) -> QWidget* { return SampleSendWindow(s, 10); }},
      {"log", [](GallerySession& s) -> QWidget* { return &SampleSendWindow(s, 0)->LogWindow(); }},
      {"attach",
       [](GallerySession& s) { return s.Keep(std::make_unique<TAttachFormView>(s.Context())); }},
      {"option",
       [](GallerySession& s) { return s.Keep(std::make_unique<TOptionFormView>(s.Context())); }},
      {"encode",
       [](GallerySession& s) { return s.Keep(std::make_unique<TEncodeFormView>(s.Context())); }},
      {"signature",
       [](GallerySession& s) { return s.Keep(std::make_unique<TSigFormView>(s.Context())); }},
      {"template",
       [](GallerySession& s) { return s.Keep(std::make_unique<TTemplateFormView>(s.Context())); }},
      {"xheader",
       [](GallerySession& s) { return s.Keep(std::make_unique<TXHFormView>(s.Context())); }},
      {"toolbar",
       [](GallerySession& s) {
         return s.Keep(std::make_unique<TToolBarCustmFormView>(s.Context()));
       }},
      {"warning-settings",
       [](GallerySession& s) {
         return s.Keep(std::make_unique<TWarningSetFormView>(s.Context()));
       }},
      {"confirm-settings",
       [](GallerySession& s) {
         return s.Keep(std::make_unique<TConfirmSetFormView>(s.Context()));
       }},
      {"confirm", Confirmation},
      {"warnings",
       [](GallerySession& s) {
         return s.Keep(
             std::make_unique<TWarningFormView>(s.Context(), TWarningForm(SampleWarnings(s))));
       }},
  };
  return windows;
}

QWidget* ShowGalleryWindow(GallerySession& session, const std::string& name) {
  for (const GalleryWindow& entry : GalleryWindows()) {
    if (name != entry.name) continue;
    QWidget* window = entry.make(session);
    if (!window) return nullptr;
    window->show();
    QApplication::processEvents();
    return window;
  }
  return nullptr;
}

}  // namespace orvane::gallery
