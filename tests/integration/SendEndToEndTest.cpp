// The Send command through the real main window on the offscreen platform,
// delivering to real servers on 127.0.0.1: the npm smtp-server and Dovecot.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <set>

#include "SenderProgram.h"
#include "app/OutboxQueue.h"
#include "app/SentLog.h"
#include "app/forms/OutboxPanel.h"
#include "forms/FormsFixture.h"
#include "forms/SendWindowDriver.h"
#include "mime/TransferEncoding.h"
#include "support/JsonValue.h"
#include "support/MailServers.h"
#include "support/PythonParser.h"
#include "support/ScriptedServer.h"
#include "support/TestCertificates.h"
#include "transport/EventLog.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

std::string U8(const QString& text) {
  return text.toStdString();
}

std::string U8(const std::u16string& text) {
  return WideToUtf8(text);
}

class SendEndToEnd : public MainWindowTest {
 protected:
  ~SendEndToEnd() override {
    // The window waits for the clients' workers before it goes.
    view.reset();
    form.reset();
  }

  void StartSmtp(const std::string& auth, const std::vector<std::string>& more = {}) {
    smtp = StartSmtpServer(mailbox.Path(), kCanaryUser, kCanaryPassword, auth, {}, more);
    ASSERT_TRUE(smtp.process) << "the SMTP test server did not start";
  }
  // The account "work", its lines given as UTF-8 and stored as Shift_JIS.
  void WriteAccount(const std::string& lines) {
    WriteFile(home / "work.ini",
              WideToSjis(Utf8ToWide("[Account]\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\n"
                                    "SMTP=127.0.0.1\r\nSMTPPORT=" +
                                    std::to_string(smtp.port) + "\r\nUserID=orvane\r\n" + lines)));
  }
  // The main window with a body file, the account, a subject and To.
  void OpenDraft() {
    const fs::path body = home / "本文.txt";
    WriteFile(body, "花子さん\nこんにちは。明日の打ち合わせについてご連絡します。\n");
    form = std::make_unique<TOrvaneMainForm>(
        MainFormServices{IniFileUnit(home.Path()), clock, shell, clipboard, prompt, install.Path(),
                         std::make_shared<SendClients>(kQuickPause)},
        Arguments{u"orvane", Utf8ToWide(body.native()), u"account=work",
                  u"subject=打ち合わせの日程について", u"mailto=花子 <hanako@example.jp>"});
    view = std::make_unique<TOrvaneMainFormView>(*form);
    view->Start();
    QApplication::processEvents();
  }
  // Types into the address field with the list chosen, as the window does.
  void Type(ShownList list, const std::u16string& text) {
    form->ShowList(list);
    form->AddressFieldEdited(text);
    form->ShowList(ShownList::To);
  }
  SendWindowSeen PressSend(SendWindowDriver& driver) {
    Find<QPushButton>("BTM_Send")->click();
    QApplication::processEvents();
    return driver.seen;
  }
  SendWindowSeen PressSend() {
    SendWindowDriver driver;
    return PressSend(driver);
  }
  // The messages the server took, in order.
  std::vector<fs::path> Delivered() const {
    std::vector<fs::path> messages;
    for (int n = 1; fs::exists(mailbox / (std::to_string(n) + ".json")); ++n)
      messages.push_back(mailbox / (std::to_string(n) + ".eml"));
    return messages;
  }
  JsonValue Envelope(int n) const {
    return ParseJson(ReadFile(mailbox / (std::to_string(n) + ".json")));
  }

  TempFolder mailbox;
  StartedServer smtp;
};

std::set<std::string> Addresses(const JsonValue& list) {
  std::set<std::string> addresses;
  for (const JsonValue& a : list.array) addresses.insert(U8(a.string));
  return addresses;
}

TEST_F(SendEndToEnd, DeliversTheDraftWithCramMd5AndRecordsTheSentLog) {
  StartSmtp("CRAM-MD5");
  WriteAccount("Auth=-1\r\nPass=" + kCanaryPassword + "\r\n");
  OpenDraft();
  Type(ShownList::Cc, u"経理 <cc@example.jp>");
  Type(ShownList::Bcc, u"秘密 <bcc@example.jp>");
  form->Draft.PostSelf = true;
  const std::string pdf = "%PDF-1.4\n" + std::string(3000, '\x7f') + "\n%%EOF\n";
  WriteFile(home / "AttachFiles" / "見積書.pdf", pdf);

  const SendWindowSeen seen = PressSend();
  ASSERT_TRUE(seen.opened);
  EXPECT_TRUE(seen.closeEnabled);
  EXPECT_EQ(U8(seen.caption), "送信終了");
  EXPECT_EQ(U8(seen.status), "送信が無事に終了しました");
  EXPECT_EQ(U8(seen.logCaption), "通信ログ");
  ASSERT_FALSE(seen.log.empty());
  EXPECT_TRUE(seen.log.front().startsWith(QStringLiteral("通信開始... "))) << U8(seen.log.front());
  EXPECT_TRUE(seen.log.contains(QStringLiteral("コマンドを送信... AUTH CRAM-MD5")));
  EXPECT_TRUE(seen.log.contains(QStringLiteral("コマンドを送信... RCPT TO:<bcc@example.jp>")));
  EXPECT_EQ(U8(seen.log.back()), "送信が無事に終了しました");
  EXPECT_TRUE(form->SendSucceeded);

  // One message; its envelope holds every recipient and the sender, its
  // text no Bcc field.
  ASSERT_EQ(Delivered().size(), 1u);
  const JsonValue envelope = Envelope(1);
  EXPECT_EQ(U8(envelope["user"].string), "orvane");
  EXPECT_EQ(U8(envelope["mailFrom"].string), "taro@example.jp");
  EXPECT_EQ(Addresses(envelope["rcptTo"]),
            (std::set<std::string>{"hanako@example.jp", "cc@example.jp", "bcc@example.jp",
                                   "taro@example.jp"}));
  const std::string stored = ReadFile(Delivered()[0]);
  const std::string header = stored.substr(0, stored.find("\r\n\r\n") + 2);
  EXPECT_EQ(header.find("\r\nBcc:"), std::string::npos) << header;
  EXPECT_FALSE(header.starts_with("Bcc:"));

  const JsonValue parsed = ParseWithPython(Delivered()[0]);
  EXPECT_EQ(U8(parsed["subject"].string), "打ち合わせの日程について");
  ASSERT_EQ(parsed["to"].array.size(), 1u);
  EXPECT_EQ(U8(parsed["to"][0]["name"].string), "花子");
  EXPECT_EQ(U8(parsed["to"][0]["address"].string), "hanako@example.jp");
  ASSERT_EQ(parsed["cc"].array.size(), 1u);
  EXPECT_EQ(U8(parsed["cc"][0]["name"].string), "経理");
  EXPECT_TRUE(parsed["bcc"].array.empty());
  EXPECT_EQ(U8(parsed["from"][0]["name"].string), "山田 太郎");
  EXPECT_NE(U8(parsed["body"].string).find("明日の打ち合わせについてご連絡します。"),
            std::string::npos)
      << U8(parsed["body"].string);
  ASSERT_EQ(parsed["attachments"].array.size(), 1u);
  EXPECT_EQ(U8(parsed["attachments"][0]["filename"].string), "見積書.pdf");
  EXPECT_EQ(U8(parsed["attachments"][0]["data"].string), Base64Encode(pdf));

  // Closing wrote the log file and the index entry with To and Subject
  // decoded.
  const std::string log = ReadFile(home / "SendedLog" / "SLog0.Log");
  EXPECT_NE(log.find(WideToSjis(u"送信が無事に終了しました\r\n")), std::string::npos);
  const auto entries = ReadSentLogEntries(SentLogIndexPath(form->Settings(), "work"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(SjisToWide(entries[0].to), u"花子 <hanako@example.jp>");
  EXPECT_EQ(SjisToWide(entries[0].subject), u"打ち合わせの日程について");
  EXPECT_EQ(entries[0].fileName, "SLog0.Log");

  // The password is nowhere under the program folder but in the account
  // file: neither as it is nor in base64.
  for (const auto& entry : fs::recursive_directory_iterator(home.Path())) {
    if (!entry.is_regular_file() || entry.path() == home / "work.ini") continue;
    const std::string content = ReadFile(entry.path());
    EXPECT_EQ(content.find(kCanaryPassword), std::string::npos) << entry.path();
    EXPECT_EQ(content.find(Base64Encode(kCanaryPassword)), std::string::npos) << entry.path();
  }
}

// A recipient the server refuses does not stop the others getting it, and
// is named in the send window, the status bar and the sent log.
TEST_F(SendEndToEnd, ARefusedRecipientIsNamedWhereverTheSendIsShown) {
  StartSmtp("LOGIN", {"--refuse", "gone@example.jp"});
  WriteAccount("");
  OpenDraft();
  Type(ShownList::Cc, u"gone@example.jp");
  const SendWindowSeen seen = PressSend();
  const QString refused = QStringLiteral(
      "次の宛先には送れませんでした: gone@example.jp "
      "(【宛先のメールアドレスがありません。アドレスを確かめてください】 550 5.1.1 No such user "
      "here)");
  EXPECT_EQ(seen.status, QStringLiteral("送信が無事に終了しました。") + refused);
  EXPECT_TRUE(seen.log.contains(refused));
  const auto* panel = Find<QLabel>("Panel0");
  EXPECT_EQ(panel->toolTip().isEmpty() ? panel->text() : panel->toolTip(), refused);
  ASSERT_EQ(Delivered().size(), 1u);
  EXPECT_EQ(Addresses(Envelope(1)["rcptTo"]), std::set<std::string>{"hanako@example.jp"});
  const std::string log = ReadFile(home / "SendedLog" / "SLog0.Log");
  EXPECT_NE(log.find(WideToSjis(refused.toStdU16String())), std::string::npos);
}

// A rule of section Block stops the send before anything reaches the
// server, with its line, and no send window opens.
TEST_F(SendEndToEnd, AForbiddenDomainStopsTheSendBeforeAnythingIsSent) {
  StartSmtp("LOGIN");
  WriteAccount("");
  WriteFile(home / "orvane.ini", "[Block]\r\nDomains=example.jp\r\n");
  OpenDraft();
  QString shown;
  OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    shown = box ? box->text() : QString::fromLatin1(modal->metaObject()->className());
    static_cast<QDialog*>(modal)->reject();
  });
  // The first modal window is the refusal, not the send window.
  Find<QPushButton>("BTM_Send")->click();
  QApplication::processEvents();
  EXPECT_EQ(U8(shown), "送信できません: 送信を禁止したドメインの宛先です (hanako@example.jp)");
  EXPECT_TRUE(Delivered().empty());
  EXPECT_FALSE(fs::exists(mailbox / "connections"));
}

// An account set to ask for delivery status notifications asks for them
// on success and failure, with the headers only.
TEST_F(SendEndToEnd, AnAccountThatAsksForNotificationsHasThemAsked) {
  StartSmtp("LOGIN", {"--dsn", "1"});
  WriteAccount("DeliveryNotice=-1\r\n");
  OpenDraft();
  EXPECT_EQ(U8(PressSend().caption), "送信終了");
  ASSERT_EQ(Delivered().size(), 1u);
  const JsonValue envelope = Envelope(1);
  EXPECT_EQ(U8(envelope["dsn"]["ret"].string), "HDRS");
  ASSERT_EQ(envelope["notify"].array.size(), 1u);
  const JsonValue& notify = envelope["notify"].array[0]["notify"];
  ASSERT_EQ(notify.array.size(), 2u);
  EXPECT_EQ(U8(notify.array[0].string) + "," + U8(notify.array[1].string), "SUCCESS,FAILURE");
}

// A send that finds no server waits in the outbox, and the window's
// background sending delivers it, once, when the server is there.
TEST_F(SendEndToEnd, AMessageThatFoundNoServerGoesWithTheBackgroundSendingOnce) {
  smtp.port = UnusedPort();
  WriteAccount("");
  OpenDraft();
  auto* count = Find<QLabel>("OutboxCount");
  EXPECT_FALSE(count->isVisible());

  const SendWindowSeen seen = PressSend();
  EXPECT_TRUE(U8(seen.status).starts_with("送信できなかったので送信待ちに入れました"))
      << U8(seen.status);
  EXPECT_EQ(U8(count->text()), "送信待ち 1 通");
  EXPECT_TRUE(count->isVisible());

  StartSmtp("LOGIN,PLAIN");
  WriteAccount("");
  const Outbox outbox = ProgramOutbox(form->Settings());
  auto* panel = view->findChild<TOutboxPanel*>(QStringLiteral("Outbox"));
  ASSERT_NE(panel, nullptr);
  panel->SetSenderProgram(QString::fromUtf8(kSenderProgram));
  // Within its retry pause the message is not due yet: nothing starts.
  panel->CheckDue();
  EXPECT_FALSE(panel->Flushing());
  // Rather than wait out the pause, the failed try moves an hour back.
  outbox.Take(outbox.List().at(0).id)
      ->Retry(u"connection refused", clock.Now() - std::chrono::hours(1));

  panel->CheckDue();
  EXPECT_TRUE(panel->Flushing());
  for (int i = 0; i < 3000 && panel->Flushing(); ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    ::usleep(10000);
  }
  ASSERT_FALSE(panel->Flushing());
  QApplication::processEvents();
  panel->CheckDue();
  EXPECT_FALSE(panel->Flushing());

  ASSERT_EQ(Delivered().size(), 1u);
  EXPECT_EQ(Addresses(Envelope(1)["rcptTo"]), std::set<std::string>{"hanako@example.jp"});
  EXPECT_EQ(outbox.Count(), 0u);
  EXPECT_FALSE(count->isVisible());
  EXPECT_EQ(count->text(), QString());
}

// POP before SMTP against Dovecot: only a login lets the delivery start.
TEST_F(SendEndToEnd, PopBeforeSmtpDeliversOnlyAfterALogin) {
  StartSmtp("LOGIN");
  TrustTestCa trust;
  // As root Dovecot reads its files as its own users, who may not reach
  // into a private temporary folder of the test.
  const fs::path popFolder =
      fs::temp_directory_path() / ("orvane-send-pop3-" + std::to_string(::getpid()));
  StartedServer pop = StartDovecot(popFolder, kCanaryUser, kCanaryPassword, "server");
  ASSERT_TRUE(pop.process) << "Dovecot did not start; see " << (popFolder / "dovecot.log");
  WriteAccount("");
  // Each failed login is to end the attempt here, not to wait in the outbox.
  WriteFile(home / "orvane.ini", "[Outbox]\r\nEnabled=0\r\n");
  struct Case {
    const char* name;
    std::string password;
    int port;
    const char* popSecurity;  // "0" none, "1" STLS, "2" TLS from the first byte
    bool delivered;
  } cases[] = {
      {"right password", kCanaryPassword, pop.port, "0", true},
      {"STLS", kCanaryPassword, pop.port, "1", true},
      {"TLS from the first byte", kCanaryPassword, pop.tlsPort, "2", true},
      {"wrong password", "not the password", pop.port, "0", false},
      {"wrong password over STLS", "not the password", pop.port, "1", false},
      {"unused port", kCanaryPassword, UnusedPort(), "0", false},
  };
  OpenDraft();
  size_t deliveredBefore = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAccount("PopBeforeSmtp=-1\r\nPOP3=127.0.0.1\r\nPOP3PORT=" + std::to_string(c.port) +
                 "\r\nPopSecurity=" + c.popSecurity + "\r\nPass=" + c.password + "\r\n");
    const SendWindowSeen seen = PressSend();
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closeEnabled);
    EXPECT_EQ(seen.log.contains(QStringLiteral("POP 認証に成功")), c.delivered)
        << U8(seen.log.join(QLatin1Char('|')));
    const bool encrypted = std::any_of(seen.log.begin(), seen.log.end(), [](const QString& line) {
      return line.startsWith(QStringLiteral("TLS で暗号化しました"));
    });
    EXPECT_EQ(encrypted, std::string(c.popSecurity) != "0") << U8(seen.log.join(QLatin1Char('|')));
    if (c.delivered) {
      EXPECT_EQ(U8(seen.caption), "送信終了");
      EXPECT_EQ(Delivered().size(), deliveredBefore + 1);
    } else {
      EXPECT_EQ(U8(seen.caption), "送信中止");
      EXPECT_EQ(U8(seen.status), "POP 認証に失敗しました");
      EXPECT_EQ(Delivered().size(), deliveredBefore);
    }
    deliveredBefore = Delivered().size();
  }
  std::error_code ec;
  pop.process.reset();
  fs::remove_all(popFolder, ec);
}

// An encrypted account through the Send button: the password goes out only
// inside TLS, and a certificate the client cannot trust stops the delivery
// before it.
TEST_F(SendEndToEnd, DeliversOverTlsAsTheAccountSays) {
  TrustTestCa trust;
  struct Case {
    const char* mode;  // the server's
    const char* security;
    const char* certificate;
    bool delivered;
    const char* status;
  } cases[] = {
      {"starttls", "1", "server", true, "送信が無事に終了しました"},
      {"implicit", "2", "server", true, "送信が無事に終了しました"},
      {"implicit", "2", "expired", false, "送信に失敗しました (TLS)"},
      {"starttls", "1", "otherhost", false, "送信に失敗しました (TLS)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.certificate);
    StartSmtp("LOGIN", {"--tls", c.mode, "--cert", TestCertificates::Pem(c.certificate).native(),
                        "--key", TestCertificates::Key(c.certificate).native()});
    WriteAccount("Auth=-1\r\nPass=" + kCanaryPassword + "\r\nSecurity=" + c.security + "\r\n");
    OpenDraft();
    const SendWindowSeen seen = PressSend();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(U8(seen.caption), "送信終了");
    EXPECT_EQ(U8(seen.status), c.status);
    const auto encrypted = std::find_if(seen.log.begin(), seen.log.end(), [](const QString& line) {
      return line.startsWith(QStringLiteral("TLS で暗号化しました"));
    });
    const auto login = seen.log.indexOf(QStringLiteral("コマンドを送信... AUTH LOGIN"));
    if (c.delivered) {
      ASSERT_NE(encrypted, seen.log.end()) << U8(seen.log.join(QLatin1Char('|')));
      EXPECT_GT(login, encrypted - seen.log.begin());
      ASSERT_EQ(Delivered().size(), 1u);
      EXPECT_EQ(U8(Envelope(1)["user"].string), "orvane");
    } else {
      EXPECT_EQ(login, -1);
      EXPECT_TRUE(Delivered().empty());
    }
    EXPECT_EQ(ReadFile(home / "SendedLog" / "SLog0.Log").find(kCanaryPassword), std::string::npos);
    view.reset();
    form.reset();
    smtp = {};
    fs::remove_all(mailbox.Path());
    fs::create_directory(mailbox.Path());
    fs::remove_all(home / "SendedLog");
  }
}

TEST_F(SendEndToEnd, WithFileSaveTheMessageFileStaysWhenTheWarningsStop) {
  StartSmtp("LOGIN");
  WriteAccount("");
  const fs::path out = home / "out";
  fs::create_directory(out);
  WriteFile(home / "orvane.ini",
            "[Option]\r\nFileSave=1\r\nPATH=" + out.native() + "/\r\n\r\n[Warning]\r\nCC=1\r\n");
  OpenDraft();
  Type(ShownList::Cc, u"cc@example.jp");
  SendWindowDriver driver(false);
  const SendWindowSeen seen = PressSend(driver);
  EXPECT_EQ(driver.warnings, 1);
  EXPECT_FALSE(seen.opened);
  EXPECT_TRUE(Delivered().empty());
  const fs::path file = out / "打ち合わせの日程について.eml";
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(U8(ParseWithPython(file)["cc"][0]["address"].string), "cc@example.jp");
  EXPECT_FALSE(fs::exists(home / "SendedLog"));
}

// 誤送信防止 through the window: the confirmation holds 送信 back until every
// outside recipient and attachment is ticked and キャンセル sends nothing;
// with a delay of 3 seconds 取消 contacts no server and the sent log says
// so, and without it the message goes out once the seconds are over.
TEST_F(SendEndToEnd, ConfirmationAndSendDelay) {
  StartSmtp("LOGIN");
  WriteAccount("");
  WriteFile(home / "orvane.ini", "[Confirm]\r\nEnabled=1\r\n");
  OpenDraft();
  Type(ShownList::Cc, u"佐藤 <sato@client.example.com>");
  WriteFile(home / "AttachFiles" / "見積書.pdf", "%PDF-1.4\n");
  const MessageDraft before = form->Draft;

  // One press of 送信: ticks the unticked boxes of the confirmation one by
  // one, noting whether its 送信 is enabled before each and after the
  // last, ends it with the button named, and presses 取消 in the delay
  // when told to.
  std::vector<bool> sendEnabled;
  auto send = [&](const char* button, bool cancelInDelay) {
    SendWindowDriver driver;
    driver.cancelInDelay = cancelInDelay;
    driver.confirm = [&](QDialog* confirmation) {
      auto* sendButton = confirmation->findChild<QPushButton*>(QStringLiteral("BTN_Send"));
      sendEnabled.clear();
      for (QCheckBox* box : confirmation->findChildren<QCheckBox*>()) {
        if (box->isChecked()) continue;
        sendEnabled.push_back(sendButton->isEnabled());
        box->click();
      }
      sendEnabled.push_back(sendButton->isEnabled());
      confirmation->findChild<QPushButton*>(QLatin1String(button))->click();
    };
    return PressSend(driver);
  };
  EXPECT_FALSE(send("BTN_Cancel", false).opened);
  EXPECT_EQ(sendEnabled, (std::vector<bool>{false, false, true}));  // Cc, the file, then all
  EXPECT_EQ(form->Draft.CcText, before.CcText);
  EXPECT_FALSE(fs::exists(mailbox / "connections"));

  WriteFile(home / "orvane.ini", "[Confirm]\r\nEnabled=1\r\nDelaySeconds=3\r\n");
  const SendWindowSeen takenBack = send("BTN_Send", true);
  EXPECT_TRUE(takenBack.opened);
  EXPECT_EQ(U8(takenBack.waiting), "送信まで 3 秒 (取り消すには「取消」)");
  EXPECT_FALSE(fs::exists(mailbox / "connections"));
  const auto entries = ReadSentLogEntries(SentLogIndexPath(form->Settings(), "work"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_NE(
      ReadFile(home / "SendedLog" / entries[0].fileName).find(WideToSjis(u"送信を取り消しました")),
      std::string::npos);

  EXPECT_EQ(U8(send("BTN_Send", false).status), "送信が無事に終了しました");
  ASSERT_EQ(Delivered().size(), 1u);
  EXPECT_EQ(Addresses(Envelope(1)["rcptTo"]),
            (std::set<std::string>{"hanako@example.jp", "sato@client.example.com"}));
}

}  // namespace
}  // namespace orvane::test
