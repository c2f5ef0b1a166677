// orvane-send run as a script runs it: a command line and standard input,
// delivering to the servers of tests/servers on 127.0.0.1; what arrived is
// read back with Python's email package.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <set>

#include "app/SentLog.h"
#include "outbox/Outbox.h"
#include "platform/CodePage.h"
#include "settings/IniFileUnit.h"
#include "settings/SettingKeys.h"
#include "support/HttpProxy.h"
#include "support/JsonValue.h"
#include "support/MailServers.h"
#include "support/OAuthServers.h"
#include "support/PythonParser.h"
#include "support/SignInAtServer.h"
#include "support/TempFolder.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

const std::string kPassword = "Canary-7f3Q9zx!";

struct Finished {
  int status = -1;
  std::string out, err;
  long peakKiB = 0;  // the largest resident set of the shell's children
};

std::string U8(const std::u16string& text) {
  return WideToUtf8(text);
}

std::string Names(const JsonValue& list) {
  std::string names;
  for (const JsonValue& a : list.array)
    names += U8(a["name"].string) + "<" + U8(a["address"].string) + ">";
  return names;
}

class OrvaneSend : public ::testing::Test {
 protected:
  OrvaneSend() {
    smtp = StartSmtpServer(mailbox.Path(), "orvane", kPassword, "LOGIN,PLAIN,CRAM-MD5",
                           {"refused@example.jp"}, {"--defer", "full@example.jp"});
    WriteFile(home / "orvane.ini", "");
    WriteAccount("taro",
                 "SMTPPORT=" + std::to_string(smtp.port) + "\r\nAuth=-1\r\nPass=" + kPassword);
  }
  void WriteAccount(const std::string& name, const std::string& lines) {
    WriteFile(home / (name + ".ini"),
              WideToSjis(Utf8ToWide("[Account]\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\n"
                                    "SMTP=127.0.0.1\r\nUserID=orvane\r\n" +
                                    lines + "\r\n")));
  }
  // Runs `command` with /bin/sh in the program folder, `input` on standard
  // input; "$SEND" is the program. Ends within two minutes.
  Finished Run(const std::string& command, const std::string& input = "") {
    WriteFile(home / "run.sh", command);
    WriteFile(home / "stdin", input);
    const std::string shell =
        "cd '" + home.Path().string() +
        "' && env -u LC_ALL -u LC_MESSAGES ORVANE_HOME=\"$PWD\" LANG=ja_JP.UTF-8 "
        "SEND='" ORVANE_SEND_PROGRAM "' timeout 120 /bin/sh run.sh <stdin >stdout 2>stderr";
    const int status = std::system(shell.c_str());
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(home / "stdout"),
            ReadFile(home / "stderr"), children.ru_maxrss};
  }
  int Delivered() const {
    int n = 0;
    while (fs::exists(mailbox / (std::to_string(n + 1) + ".json"))) ++n;
    return n;
  }
  size_t Logged(const std::string& account) const {
    return ReadSentLogEntries(SentLogIndexPath(IniFileUnit(home.Path()), account)).size();
  }

  TempFolder home, mailbox;
  StartedServer smtp;
};

// Each row one run: its exit status, the last line of standard error,
// what the server took and the sent log.
TEST_F(OrvaneSend, SendsADraftOrAWholeMessageAndEndsWithTheDocumentedStatus) {
  ASSERT_TRUE(smtp.process);
  WriteAccount("unreachable", "SMTPPORT=1");
  WriteFile(home / "body.txt", "ファイルの本文\n");
  WriteFile(home / "見積書.pdf", "%PDF-1.4\n%%EOF\n");
  fs::create_directories(home / "folder");
  const std::string patch =
      "From: Hanako <hanako@example.jp>\nTo: a@example.jp\nBcc: b@example.jp\n"
      "Subject: 日本語の件名 [PATCH]\n\n.dotted line\nline two\n";
  // Longer than what is read before the server is contacted: the rest goes
  // out as it is read. A lone dot lies beyond the first mebibyte.
  std::string longBody;
  for (int i = 0; i < 60000; ++i)
    longBody += (i % 7 ? "line " : ".line ") + std::to_string(i) + " of a long body\n";
  const std::size_t dot = longBody.find("line 50000 ");
  longBody.insert(dot, ".\n");
  const std::string longMessage =
      "To: x@example.jp\nSubject: long\nMIME-Version: 1.0\nContent-Type: text/plain\n"
      "Content-Transfer-Encoding: 7bit\n\n" +
      longBody;
  // A line of a single "." begins at the last byte of each mebibyte read.
  const std::string dotsHeader = "To: x@example.jp\nSubject: dots\n\n";
  std::string dotsBody;
  while (dotsBody.size() < (2u << 20)) dotsBody += std::string(69, 'd') + "\n";
  const std::size_t firstDot = (1u << 20) - 1 - dotsHeader.size();
  for (std::size_t at : {firstDot, firstDot + (1u << 20)}) dotsBody.replace(at - 1, 3, "\n.\n");
  const std::string dots = dotsHeader + dotsBody;
  const std::string bothRefusals =
      "To: a@example.jp, refused@example.jp\nCc: full@example.jp\nSubject: three\n\nbody\n";
  struct Row {
    const char* name;
    std::string command, input;
    int status;
    const char* errLine;            // contained in standard error; "" nothing there
    const char* subject = nullptr;  // of the delivered message; none: nothing delivered
    // names<addresses> of To and From; the body's beginning; the attached
    // file's name; the RCPT TO addresses, sorted, each followed by ","; MAIL
    // FROM; bytes of the stored header; the body's end.
    std::string to{}, from{}, body{}, attachment{}, envelope{}, mailFrom{}, raw{}, bodyEnd{};
  } rows[] = {
      {"draft, body from standard input",
       "echo 本文 | \"$SEND\" account=taro mailto=hanako@example.jp subject=日本語の件名", "", 0,
       "", "日本語の件名", "<hanako@example.jp>", "山田 太郎<taro@example.jp>", "本文", "",
       "hanako@example.jp,", "taro@example.jp",
       "\r\nSubject: =?ISO-2022-JP?B?GyRCRnxLXDhsJE43b0w+GyhC?=\r\n"},
      {"draft with a body file, cc, bcc and an attachment",
       "\"$SEND\" account=taro \"mailto=花子 <hanako@example.jp>\" cc:c@example.jp "
       "bcc=b@example.jp file=body.txt attach=見積書.pdf",
       "", 0, "", "body", "花子<hanako@example.jp>", "山田 太郎<taro@example.jp>", "ファイルの本文",
       "見積書.pdf", "b@example.jp,c@example.jp,hanako@example.jp,", "taro@example.jp"},
      {"sendmail -t: Bcc gone, raw UTF-8 encoded, dots kept",
       "\"$SEND\" -t -i -f bounce@example.jp", patch, 0, "", "日本語の件名 [PATCH]",
       "<a@example.jp>", "Hanako<hanako@example.jp>", ".dotted line\nline two", "",
       "a@example.jp,b@example.jp,", "bounce@example.jp"},
      {"sendmail without -i ends at a lone dot", "\"$SEND\" --no-log --account=taro x@example.jp",
       "Subject: short\n\nkept\n.\nnot sent\n", 0, "", "short", "", "山田 太郎<taro@example.jp>",
       "kept\n", "", "x@example.jp,", "taro@example.jp"},
      {"DSN asked of a server without it: sent without, and said",
       "\"$SEND\" -N success,failure -R hdrs --no-log --account=taro x@example.jp",
       "Subject: dsn\n\nbody\n", 0, "サーバが DSN に対応していないため", "dsn", "",
       "山田 太郎<taro@example.jp>", "body", "", "x@example.jp,", "taro@example.jp"},
      {"a forbidden domain stops the send, --no-checks or not",
       "printf '[Block]\\nDomains=example.net\\n' > orvane.ini; \"$SEND\" --no-checks "
       "--account=taro x@sub.example.net; s=$?; : > orvane.ini; exit $s",
       "Subject: x\n\nbody\n", 65,
       "送信できません: 送信を禁止したドメインの宛先です (x@sub.example.net)"},
      {"a forbidden word at the end of two mebibytes",
       // The settings file is Shift_JIS: 極秘 is 213 311 224 351 there.
       "printf '[Block]\\nWords=\\213\\311\\224\\351\\n' > orvane.ini; \"$SEND\" -t -i "
       "--account=taro; s=$?; "
       ": > orvane.ini; exit $s",
       dots + "極秘\n", 65, "送信できません: 送信を禁止した言葉が件名か本文にあります (極秘)"},
      {"a forbidden kind of attachment inside a ready message",
       "printf '[Block]\\nExtensions=exe\\n' > orvane.ini; \"$SEND\" -t -i --account=taro; "
       "s=$?; : > orvane.ini; exit $s",
       "To: x@example.jp\nSubject: tool\nMIME-Version: 1.0\n"
       "Content-Type: multipart/mixed; boundary=b\n\n--b\nContent-Type: text/plain\n\nhi\n"
       "--b\nContent-Type: application/octet-stream\n"
       "Content-Disposition: attachment; filename=setup.exe\nContent-Transfer-Encoding: base64\n\n"
       "TVo=\n--b--\n",
       65, "送信できません: 送信を禁止した種類の添付ファイルです (setup.exe)"},
      {"a long message from a pipe, dots kept", "cat | \"$SEND\" -t -i --no-log", longMessage, 0,
       "", "long", "<x@example.jp>", "山田 太郎<taro@example.jp>", longBody, "", "x@example.jp,",
       "taro@example.jp", "", "line 59999 of a long body\n"},
      {"a long message without -i ends at the lone dot", "\"$SEND\" -t --no-log", longMessage, 0,
       "", "long", "<x@example.jp>", "山田 太郎<taro@example.jp>", longBody.substr(0, dot), "",
       "x@example.jp,", "taro@example.jp", "", "line 49999 of a long body\n"},
      {"a long message that grows beyond the limit as it is read",
       "(printf 'To: x@example.jp\\nMIME-Version: 1.0\\nContent-Type: text/plain\\n"
       "Content-Transfer-Encoding: 7bit\\n\\n'; yes \"$(printf '%076d' 0)\") | \"$SEND\" -t -i "
       "--no-log",
       "", 65, "標準入力が大きすぎます (128 MiB まで)"},
      {"empty standard input", "\"$SEND\" -t", "", 65, "標準入力が空です"},
      {"no recipient", "\"$SEND\" -t", "Subject: x\n\nbody\n", 65, "宛先がありません"},
      {"an attachment that is a folder",
       "echo x | \"$SEND\" account=taro mailto=a@example.jp attach=folder", "", 66,
       "添付ファイルではなくフォルダです"},
      {"an attachment that is a pipe",
       "mkfifo pipe; echo x | \"$SEND\" account=taro mailto=a@example.jp attach=pipe", "", 66,
       "添付ファイルを読めません"},
      {"200 MB on standard input", "head -c 200000000 /dev/zero | \"$SEND\" -t", "", 65,
       "標準入力が大きすぎます (128 MiB まで)"},
      {"an unknown account", "echo x | \"$SEND\" account=nobody mailto=a@example.jp", "", 78,
       "アカウント nobody がありません"},
      {"daemon mode", "\"$SEND\" -bs", "", 64, "デーモンモード"},
      {"a server that is not there", "echo x | \"$SEND\" account=unreachable mailto=a@example.jp",
       "", 75, "送信に失敗しました (Connect)"},
      // Without HOME the current folder is no place for settings: an account
      // planted there must not send.
      {"no home, an account planted in the current folder",
       "mkdir -p .local/share/orvane && cp taro.ini .local/share/orvane/ && "
       "echo x | env -i LANG=ja_JP.UTF-8 \"$SEND\" account=taro mailto=a@example.jp",
       "", 78, "ORVANE_HOME に設定フォルダを指定してください"},
      {"a settings folder open to others is told, not changed",
       "chmod 755 . && echo 本文 | \"$SEND\" --no-log account=taro mailto=a@example.jp "
       "subject=open; s=$?; [ \"$(stat -c %a .)\" = 755 ] || s=9; chmod 700 .; exit $s",
       "", 0, "(モード 0755)。chmod 700 で自分だけのものになります", "open", "<a@example.jp>",
       "山田 太郎<taro@example.jp>", "本文", "", "a@example.jp,", "taro@example.jp"},
      {"a recipient the server refuses",
       "echo x | \"$SEND\" account=taro mailto=refused@example.jp", "", 69,
       "送信に失敗しました (Rcpt)"},
      {"trailing blanks and a last line of a dot kept, a long line encoded",
       "\"$SEND\" -t -i --no-log",
       "To: x@example.jp\nSubject: kept\n\n" + std::string(5400, 'a') + "\nblank \ntab\t\n \n\n.\n",
       0, "", "kept", "<x@example.jp>", "山田 太郎<taro@example.jp>", std::string(5400, 'a') + "\n",
       "", "x@example.jp,", "taro@example.jp", "\r\nContent-Transfer-Encoding: quoted-printable",
       "\nblank \ntab\t\n \n\n.\n"},
      {"every To, Cc and Bcc counts, groups opened, Resent-Bcc gone", "\"$SEND\" -t -i --no-log",
       "To: a@example.jp\nTo: Team: b@example.jp, \"c;\" <c@example.jp>;\nCc: d@example.jp\n"
       "Bcc: h1@example.jp\nBcc: h2@example.jp\nResent-Bcc: r@example.jp\nSubject: "
       "fields\n\nbody\n",
       0, "", "fields", "<a@example.jp>", "山田 太郎<taro@example.jp>", "body", "",
       "a@example.jp,b@example.jp,c@example.jp,d@example.jp,h1@example.jp,h2@example.jp,",
       "taro@example.jp"},
      {"an empty group and Bcc", "\"$SEND\" -t -i --no-log",
       "To: undisclosed-recipients:;\nBcc: h@example.jp\nSubject: hidden\n\nbody\n", 0, "",
       "hidden", "", "山田 太郎<taro@example.jp>", "body", "", "h@example.jp,", "taro@example.jp"},
      {"a CR inside a header line", "\"$SEND\" -t -i --no-log",
       "Subject: hi\rBcc: x@example.jp\rX-Injected: yes\nTo: a@example.jp\n\nbody\n", 65,
       "ヘッダーの行の途中に CR"},
      {"a mailto: link read as the window reads it",
       "echo 本文 | \"$SEND\" --no-log "
       "'mailto:alice@example.jp?cc=bob@example.org&subject=Hi&attach=/etc/passwd'",
       "", 0, "mailto: の項目を無視しました: attach", "Hi", "<alice@example.jp>",
       "山田 太郎<taro@example.jp>", "本文", "", "alice@example.jp,bob@example.org,",
       "taro@example.jp"},
      {"sendmail's hop count", "\"$SEND\" -h 3 -i --no-log x@example.jp", "Subject: hop\n\nbody\n",
       0, "", "hop", "", "山田 太郎<taro@example.jp>", "body", "", "x@example.jp,",
       "taro@example.jp"},
      {"a refused recipient stops the send to all", "\"$SEND\" -t -i", bothRefusals, 69,
       "次の宛先には送れませんでした: refused@example.jp "
       "(【宛先のメールアドレスがありません。アドレスを確かめてください】 550 5.1.1 No such user "
       "here)、full@example.jp "
       "(【相手のメールボックスが一杯です。しばらくしてから送り直してください】 "
       "452 4.2.2 Mailbox full, try later)"},
      {"only a deferred recipient: try again later", "\"$SEND\" -t -i",
       "To: a@example.jp, full@example.jp\n\nbody\n", 75,
       "次の宛先には送れませんでした: full@example.jp (【相手のメールボックスが一杯です"},
      {"--partial sends to those accepted", "\"$SEND\" -t -i --partial", bothRefusals, 0,
       "送信しました。次の宛先には送れませんでした: refused@example.jp", "three",
       "<a@example.jp><refused@example.jp>", "山田 太郎<taro@example.jp>", "body", "",
       "a@example.jp,", "taro@example.jp"},
      {"a dot line at each mebibyte read, -i", "\"$SEND\" -t -i --no-log", dots, 0, "", "dots",
       "<x@example.jp>", "山田 太郎<taro@example.jp>", dotsBody, "", "x@example.jp,",
       "taro@example.jp", "", dotsBody.substr(dotsBody.size() - 100)},
      {"a dot line at the first mebibyte read ends the input", "\"$SEND\" -t --no-log", dots, 0, "",
       "dots", "<x@example.jp>", "山田 太郎<taro@example.jp>", dotsBody.substr(0, firstDot), "",
       "x@example.jp,", "taro@example.jp", "", dotsBody.substr(firstDot - 100, 100)},
  };
  int delivered = 0;
  size_t logged = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Finished run = Run(row.command, row.input);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(run.out, "");
    // Standard input is never held twice over (at most 128 MiB of it).
    EXPECT_LT(run.peakKiB, 2 * 128 * 1024);
    EXPECT_EQ(run.err.empty(), *row.errLine == 0) << run.err;
    EXPECT_NE(run.err.find(row.errLine), std::string::npos) << run.err;
    // A failure says it once in Japanese and, for a Japanese locale, only so.
    EXPECT_EQ(run.err.find("orvane-send: ", 1), std::string::npos) << run.err;
    const bool sent = row.subject != nullptr;
    const int arrived = Delivered() - delivered;
    EXPECT_EQ(arrived, sent ? 1 : 0);
    delivered += arrived;
    // Only an attempt that began is recorded, and not with --no-log.
    const bool began = run.status == 0 || run.status == 69 || run.status == 75;
    logged += began && row.command.find("--no-log") == std::string::npos ? 1 : 0;
    EXPECT_EQ(Logged("taro") + Logged("unreachable"), logged);
    if (!sent || arrived != 1) continue;
    const fs::path message = mailbox / (std::to_string(delivered) + ".eml");
    const std::string stored = ReadFile(message);
    const std::string header = stored.substr(0, stored.find("\r\n\r\n"));
    EXPECT_EQ(header.find("Bcc"), std::string::npos) << header;
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = stored.find("\r\n", start)) != std::string::npos;
         start = end + 2)
      longest = std::max(longest, end - start);
    EXPECT_LE(longest, 998u);
    EXPECT_TRUE(std::all_of(header.begin(), header.end(), [](char c) { return c > 0; })) << header;
    EXPECT_NE(header.find(row.raw), std::string::npos) << header;
    const JsonValue parsed = ParseWithPython(message);
    EXPECT_EQ(U8(parsed["subject"].string), row.subject);
    EXPECT_EQ(Names(parsed["to"]), row.to);
    EXPECT_EQ(Names(parsed["from"]), row.from);
    std::string body = U8(parsed["body"].string);
    std::erase(body, '\r');
    EXPECT_TRUE(body.starts_with(row.body)) << body.substr(0, 200);
    EXPECT_TRUE(body.ends_with(row.bodyEnd))
        << body.substr(body.size() - std::min<size_t>(body.size(), 200));
    const auto& attachments = parsed["attachments"].array;
    EXPECT_EQ(attachments.empty() ? "" : U8(attachments[0]["filename"].string), row.attachment);
    const JsonValue envelope = ParseJson(ReadFile(mailbox / (std::to_string(delivered) + ".json")));
    std::set<std::string> rcpt;
    for (const JsonValue& a : envelope["rcptTo"].array) rcpt.insert(U8(a.string) + ",");
    EXPECT_EQ(std::accumulate(rcpt.begin(), rcpt.end(), std::string()), row.envelope);
    EXPECT_EQ(U8(envelope["mailFrom"].string), row.mailFrom);
  }
}

// Some hundreds of whole messages as scripts and mail programs write them
// arrive as they were written (see ready_matrix.py).
TEST_F(OrvaneSend, DeliversWholeMessagesAsTheyWereWritten) {
  ASSERT_TRUE(smtp.process);
  const Finished run =
      Run("python3 '" ORVANE_SOURCE_DIR "/tests/send/ready_matrix.py' \"$SEND\" \"$PWD\" '" +
          mailbox.Path().native() + "'");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find(" passed, 0 failed"), std::string::npos) << run.out;
}

// A real client no one here wrote: git send-email with orvane-send as its
// sendmail command delivers a patch with its author and subject, and the
// patch as it arrived applies: its last line, a blank context line, kept.
TEST_F(OrvaneSend, GitSendEmailDeliversAPatchThatApplies) {
  ASSERT_TRUE(smtp.process);
  const Finished run =
      Run("export HOME=\"$ORVANE_HOME\" GIT_AUTHOR_NAME='Hanako Sato' "
          "GIT_AUTHOR_EMAIL=hanako@example.jp GIT_COMMITTER_NAME=ci "
          "GIT_COMMITTER_EMAIL=ci@example.jp && "
          "git init -q repo && cd repo && printf 'one\\ntwo\\n\\n' > file.txt && "
          "git add file.txt && git commit -q -m 'Add the file' && "
          "printf 'ONE\\ntwo\\n\\n' > file.txt && git commit -qam 'Raise the first line' && "
          "git format-patch -q --no-signature -1 -o ../patches && "
          "git send-email --sendmail-cmd=\"$SEND -i\" --to=jiro@example.jp --confirm=never "
          "--suppress-cc=all --quiet ../patches/*.patch && "
          "python3 -c 'import email, sys; sys.stdout.buffer.write(email.message_from_binary_file("
          "open(sys.argv[1], \"rb\")).get_payload(decode=True).replace(b\"\\r\\n\", b\"\\n\"))' '" +
          (mailbox / "1.eml").native() +
          "' > ../arrived.patch && git checkout -q HEAD~1 && git apply --check ../arrived.patch");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  ASSERT_EQ(Delivered(), 1);
  const JsonValue parsed = ParseWithPython(mailbox / "1.eml");
  EXPECT_EQ(U8(parsed["subject"].string), "[PATCH] Raise the first line");
  EXPECT_EQ(Names(parsed["from"]), "Hanako Sato<hanako@example.jp>");
  EXPECT_EQ(Names(parsed["to"]), "<jiro@example.jp>");
}

// An account that signs in with OAuth 2.0 sends unattended after one
// sign-in, its refresh through the proxy of the settings, keeps the rotated
// refresh token, and asks for a sign-in (77) once the grant is gone, never
// opening a browser.
TEST_F(OrvaneSend, AnOAuthAccountSendsUnattendedAfterOneSignIn) {
  TrustTestCa trust;
  AuthorizationServer server({"", 3600, true, false, false});
  TempFolder oauthMail;
  const StartedServer oauthSmtp =
      StartOAuthSmtpServer(oauthMail.Path(), "orvane", "unused", "XOAUTH2", "implicit");
  ASSERT_TRUE(oauthSmtp.process);
  QueuedMainThread main;
  BrowserShell browser;
  const auto signedIn = SignInAtServer(main, server.Client(), "orvane", browser);
  ASSERT_TRUE(signedIn && signedIn->kind == SignInOutcome::kSignedIn);
  const OAuthClient client = server.Client();
  const IniFileUnit settings(home.Path());
  WriteAccount("cloud", "SMTPPORT=" + std::to_string(oauthSmtp.port) +
                            "\r\nSecurity=2\r\nAuthMethod=1\r\nOAuthProvider=custom\r\n"
                            "OAuthClientId=" +
                            client.clientId + "\r\nOAuthAuthorizeUrl=" + client.authorizeUrl +
                            "\r\nOAuthTokenUrl=" + client.tokenUrl + "\r\nOAuthScope=" +
                            client.scope + "\r\nOAuthRefreshToken=" + signedIn->refreshToken);
  TempFolder proxyFolder;
  const HttpProxy proxy(proxyFolder.Path(), "taro", "pw");
  WriteFile(home / "orvane.ini", "[Proxy]\r\nMode=2\r\nUser=taro\r\nPass=pw\r\nUrl=" + proxy.Url());
  const std::string send = "echo 本文 | \"$SEND\" account=cloud mailto=a@example.jp --lang=en";
  const Finished first = Run(send);
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(fs::exists(oauthMail / "1.eml"));
  const AnsiString rotated = settings.Read("cloud", keys::kOAuthRefreshToken);
  EXPECT_FALSE(rotated.empty());
  EXPECT_NE(rotated, signedIn->refreshToken);
  EXPECT_EQ(proxy.Connects(),
            std::vector<std::string>{"127.0.0.1:" + std::to_string(server.Port())});

  server.RevokeGrants();
  const Finished revoked = Run(send);
  EXPECT_EQ(revoked.status, 77);
  EXPECT_NE(revoked.err.find("orvane-send --sign-in cloud"), std::string::npos) << revoked.err;
  EXPECT_NE(revoked.err.find("\norvane-send: the account is not signed in"), std::string::npos)
      << revoked.err;
  EXPECT_FALSE(fs::exists(oauthMail / "2.eml"));
  EXPECT_TRUE(browser.openedUrls.size() == 1);
}

// The outbox through a script's eyes, one row a run in order: what waits
// after it, what arrived, and what the run said. A server that answers
// 451 twice, one that refuses an address, one that is down and then back.
TEST_F(OrvaneSend, TheOutboxKeepsWhatCannotGoAndSendsItOnceWhenTheServerIsBack) {
  TempFolder greyMail;
  const StartedServer grey = StartSmtpServer(greyMail.Path(), "orvane", kPassword, "LOGIN", {},
                                             {"--busy", "2"});
  ASSERT_TRUE(grey.process);
  const std::string taroPort = std::to_string(smtp.port);
  WriteAccount("grey", "SMTPPORT=" + std::to_string(grey.port));
  WriteAccount("down", "SMTPPORT=1");
  const std::string message = "To: a@example.jp\nBcc: h@example.jp\nSubject: 待ち\n\n本文\n";
  const Outbox outbox(home / "Outbox");
  struct Row {
    const char* name;
    std::string command;
    int status;
    const char* err;  // contained in standard error or output
    size_t waiting, failed;
    int taroGot, greyGot;  // messages the two servers hold after the run
  } rows[] = {
      {"a 451 without queueing ends 75 as before", "\"$SEND\" -t -i --account=grey", 75,
       "(From)", 0, 0, 0, 0},
      {"--queue-on-failure keeps it", "\"$SEND\" -t -i --account=grey --queue-on-failure", 0,
       "送信待ちに入れました (次の送信: ", 1, 0, 0, 0},
      {"-bp lists it with the last reply", "\"$SEND\" -bp", 0, "451 4.7.1 Greylisted", 1, 0, 0,
       0},
      {"-q sends it now, without its Bcc field", "\"$SEND\" -q", 0, "", 0, 0, 0, 1},
      {"-odq queues without a connection", "\"$SEND\" -odq -i --account=taro refused@example.jp",
       0, "送信待ちに入れました", 1, 0, 0, 1},
      {"a 550 on the retry gives it up", "\"$SEND\" -q --account=taro", 75,
       "の送信を諦めました: 550 5.1.1", 0, 1, 0, 1},
      {"[Outbox] Headless=1 queues a failure",
       "printf '[Outbox]\\nHeadless=1\\n' > orvane.ini && \"$SEND\" -t -i --account=down", 0,
       "送信待ちに入れました", 1, 1, 0, 1},
      {"-q while the server is still down ends 75", "\"$SEND\" -q --lang=en", 75,
       "0 sent, 1 still waiting", 1, 1, 0, 1},
      {"the server back: one delivery",
       "sed -i 's/^SMTPPORT=1\\r$/SMTPPORT=" + taroPort + "\\r/' down.ini && \"$SEND\" -q", 0, "",
       0, 1, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Finished run = Run(row.command, message);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_NE((run.out + run.err).find(row.err), std::string::npos) << run.out << run.err;
    EXPECT_EQ(outbox.List().size(), row.waiting);
    EXPECT_EQ(outbox.Failed().size(), row.failed);
    EXPECT_EQ(Delivered(), row.taroGot);
  }
  const std::string greyGot = ReadFile(greyMail / "1.eml");
  EXPECT_EQ(greyGot.find("Bcc:"), std::string::npos);
  EXPECT_NE(greyGot.find("\r\n\r\n本文\r\n"), std::string::npos) << greyGot;
  EXPECT_FALSE(fs::exists(greyMail / "2.eml"));
  const std::vector<SentLogEntry> log =
      ReadSentLogEntries(SentLogIndexPath(IniFileUnit(home.Path()), "grey"));
  ASSERT_FALSE(log.empty());
  EXPECT_NE(SjisToWide(log.back().subject).find(u"(送信待ちから)"), std::u16string::npos);
}

// Three flushes started together over 200 waiting messages: each message
// arrives once, and connections are reused.
TEST_F(OrvaneSend, FlushesRunningTogetherDeliverEachMessageOnce) {
  const Outbox outbox(home / "Outbox");
  const SystemClock clock;
  for (int i = 0; i < 200; ++i)
    outbox.Add({"taro", "", {"a@example.jp"}, "Subject: " + std::to_string(i) + "\r\n\r\nx\r\n"},
               clock);
  const Finished run = Run("for i in 1 2 3; do \"$SEND\" -q --no-log & done; wait");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Delivered(), 200);
  std::set<std::string> subjects;
  for (int n = 1; n <= Delivered(); ++n) {
    const std::string got = ReadFile(mailbox / (std::to_string(n) + ".eml"));
    subjects.insert(got.substr(0, got.find("\r\n")));
  }
  EXPECT_EQ(subjects.size(), 200u);
  EXPECT_EQ(outbox.Count(), 0u);
  // Each flush sends over one connection, a new one after 100 messages.
  const std::string connections = ReadFile(mailbox / "connections");
  EXPECT_LE(std::count(connections.begin(), connections.end(), '\n'), 6) << connections;
}

// Notifications asked on the command line reach a server that offers DSN,
// which reads them back as they were meant, also after the outbox.
TEST_F(OrvaneSend, AsksForDeliveryStatusNotificationsWhereTheServerOffersThem) {
  TempFolder dsnMail;
  const StartedServer dsn =
      StartSmtpServer(dsnMail.Path(), "orvane", kPassword, "LOGIN", {}, {"--dsn", "1"});
  ASSERT_TRUE(dsn.process);
  WriteAccount("dsn", "SMTPPORT=" + std::to_string(dsn.port));
  const Finished run = Run(
      "\"$SEND\" -odq -t -i --no-log --account=dsn -N delay,failure -Rfull -V id+1 && "
      "\"$SEND\" -q --no-log",
      "To: a@example.jp, b@example.jp\nSubject: x\n\nbody\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "orvane-send: 送信待ちに入れました\n") << run.err;
  const JsonValue envelope = ParseJson(ReadFile(dsnMail / "1.json"));
  EXPECT_EQ(U8(envelope["dsn"]["ret"].string), "FULL");
  EXPECT_EQ(U8(envelope["dsn"]["envid"].string), "id+1");
  ASSERT_EQ(envelope["notify"].array.size(), 2u);
  for (const JsonValue& notify : envelope["notify"].array) {
    ASSERT_EQ(notify["notify"].array.size(), 2u);
    EXPECT_EQ(U8(notify["notify"].array[0].string), "DELAY");
    EXPECT_EQ(U8(notify["notify"].array[1].string), "FAILURE");
  }
}

// A flush killed while the server has the data but has not answered: the
// message stays in the outbox, and the next flush delivers it once.
TEST_F(OrvaneSend, AFlushKilledInTheMiddleOfTheDataLosesNothing) {
  TempFolder heldMail;
  const StartedServer held = StartSmtpServer(heldMail.Path(), "orvane", kPassword, "LOGIN", {},
                                             {"--hold-data", "1"});
  ASSERT_TRUE(held.process);
  WriteAccount("held", "SMTPPORT=" + std::to_string(held.port));
  const Finished run = Run(
      "\"$SEND\" -odq -i --account=held a@example.jp && { \"$SEND\" -q --no-log & pid=$!; } && "
      "for i in $(seq 400); do [ -e '" + (heldMail / "held").string() +
          "' ] && break; sleep 0.05; done; kill -9 $pid; wait $pid; \"$SEND\" -q --no-log",
      "Subject: x\n\nbody\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(heldMail / "held"));
  EXPECT_TRUE(fs::exists(heldMail / "1.eml"));
  EXPECT_FALSE(fs::exists(heldMail / "2.eml"));
  EXPECT_EQ(Outbox(home / "Outbox").Count(), 0u);
}

}  // namespace
}  // namespace orvane::test
