#include "app/SendUnit.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/AccountSecurity.h"
#include "app/OutboxQueue.h"
#include "mime/HeaderFields.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/RegionalFormats.h"
#include "settings/IniFile.h"
#include "settings/OAuthSettings.h"
#include "settings/SecretPlaces.h"
#include "transport/ReplyExplanation.h"

namespace orvane {

namespace {

constexpr const char* kSecret = "********";

// "YYYY/MM/DD - HH:NN:SS" with the regional separators.
WideString StartTime(TimePoint moment) {
  const LocalDateTime t = ToLocalDateTime(moment);
  const RegionalFormats& formats = JapaneseFormats();
  const char date = static_cast<char>(formats.dateSeparator);
  const char time = static_cast<char>(formats.timeSeparator);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%c%02d%c%02d - %02d%c%02d%c%02d", t.year, date, t.month,
                date, t.day, t.hour, time, t.minute, time, t.second);
  return Utf8ToWide(text);
}

// A server's reply as the log shows it: its bytes as Shift_JIS, without the
// line break that ends it (lines inside a multi-line reply stay).
WideString ReplyText(const AnsiString& reply) {
  return SjisToWide(TrimRight(std::string_view(reply)));
}

}  // namespace

std::unique_ptr<TZelSmtp> SendClients::MakeSmtp(MainThread& mainThread) const {
  auto smtp = std::make_unique<TZelSmtp>(mainThread);
  if (closingPauseMs_) smtp->SetPause(*closingPauseMs_);
  return smtp;
}

std::unique_ptr<TZelPop3> SendClients::MakePop(MainThread& mainThread) const {
  auto pop = std::make_unique<TZelPop3>(mainThread);
  if (closingPauseMs_) pop->SetPause(*closingPauseMs_);
  return pop;
}

AnsiString MaskSecrets(const AnsiString& commandLine) {
  const std::string_view line = commandLine;
  const size_t first = line.find(' ');
  if (first == std::string_view::npos) return commandLine;
  const std::string_view command = line.substr(0, first);
  if (SameAsciiText(command, "PASS") || SameAsciiText(command, "APOP"))
    return AnsiString(command) + ' ' + kSecret;
  if (SameAsciiText(command, "AUTH")) {
    // "AUTH mechanism initial-response" (RFC 4954 section 4).
    const size_t second = line.find(' ', first + 1);
    if (second != std::string_view::npos) return AnsiString(line.substr(0, second + 1)) + kSecret;
  }
  return commandLine;
}

TSendForm::TSendForm(SendServices services, SendJob job)
    : services_(std::move(services)),
      job_(std::move(job)),
      smtp_(services_.clients.MakeSmtp(services_.mainThread)),
      pop_(services_.clients.MakePop(services_.mainThread)) {
  // Whoever gets the message sees no blind-copy recipient; the envelope
  // still reaches them all.
  if (HasHeaderField(*job_.message, "Bcc"))
    smtp_->SetMessage(WithoutHeaderField(*job_.message, "Bcc"));
  else
    smtp_->SetMessage(job_.message);
  smtp_->SetMessageRest(job_.rest);
  smtp_->SetMessageEnd(job_.bodyEnd);
  smtp_->SetRecipients(&job_.recipients);
  smtp_->SetAllRecipientsRequired(job_.allRecipientsRequired);
  smtp_->SetConnectionPool(job_.connections);
  smtp_->SetDsn(job_.dsn);
  BindEvents();
  // Until it ends otherwise, an attempt is a delivery that did not succeed.
  outcome_.stage = SendStage::Delivery;
}

TSendForm::~TSendForm() = default;

void TSendForm::BindEvents() {
  smtp_->OnSmtpStatus = [this](TSmtpItem&, const AnsiString& s) { SmtpSmtpStatus(s); };
  smtp_->OnServerStatus = [this](TSmtpItem&, const AnsiString& s) { SmtpServerStatus(s); };
  smtp_->OnSmtpError = [this](TSmtpItem&, TSmtpErrorEventType error) { SmtpSmtpError(error); };
  smtp_->OnSmtpClosed = [this](TSmtpItem& item, bool success) { SmtpSmtpClosed(item, success); };
  smtp_->OnRcptError = [this](TSmtpItem&, const std::vector<AnsiString>& addresses,
                              const std::vector<AnsiString>& replies) {
    SmtpRcptError(addresses, replies);
  };
  smtp_->OnExtensions = [this](TSmtpItem&, const TSmtpExtensions& extensions) {
    SmtpExtensions(extensions);
  };
  pop_->OnAuthenticated = [this](TPopItem&, bool) { PopAuthenticated(); };
  pop_->OnAuthenticateFail = [this](TPopItem& item, bool) { PopAuthenticateFail(item); };
  pop_->OnPopError = [this](TPopItem& item, TPopErrorEventType error) { PopPopError(item, error); };
  // How the connection is secured, a refused certificate's fingerprint, a
  // password that went out in plain text: the clients' own lines.
  smtp_->OnSmtpNotice = [this](TSmtpItem&, const AnsiString& s) { Log(SjisToWide(s)); };
  pop_->OnPopNotice = [this](TPopItem&, const AnsiString& s) { Log(SjisToWide(s)); };
}

WideString TSendForm::Caption() const {
  switch (state_) {
    case SendState::Ended:
      return u"送信終了";
    case SendState::Aborted:
      return u"送信中止";
    case SendState::Waiting:
      return u"送信待ち";
    case SendState::Cancelled:
      return u"送信取消";
    case SendState::Sending:
      break;
  }
  return u"送信中...";
}

void TSendForm::Show() {
  if (job_.delaySeconds <= 0) {
    LogStart();
    Setup();
    return Connect();
  }
  // A setting that cannot be used is told before the wait, not after it.
  Setup();
  state_ = SendState::Waiting;
  sendAt_ = services_.clock.Now() + std::chrono::seconds(job_.delaySeconds);
  Tick();
}

void TSendForm::Tick() {
  if (state_ != SendState::Waiting) return;
  const auto left = sendAt_ - services_.clock.Now();
  if (left <= decltype(left)::zero()) {
    state_ = SendState::Sending;
    Changed();
    LogStart();
    return Connect();
  }
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(left).count();
  SetStatus(u"送信まで " + Utf8ToWide(std::to_string(seconds)) + u" 秒 (取り消すには「取消」)");
}

void TSendForm::Cancel() {
  if (state_ != SendState::Waiting) return;
  state_ = SendState::Cancelled;
  outcome_.stage = SendStage::Cancelled;
  Log(u"送信を取り消しました");
  SetStatus(u"送信を取り消しました");
}

void TSendForm::LogStart() {
  Log(u"通信開始... " + StartTime(services_.clock.Now()));
  if (job_.fromOutbox) Log(u"(送信待ちから)");
}

void TSendForm::Setup() {
  try {
    SetupSmtp();
    SetupPop();
  } catch (const Error& e) {
    outcome_.stage = SendStage::Setup;
    outcome_.reason = e.Message();
    throw;
  }
}

void TSendForm::Connect() {
  if (services_.settings.ReadBool(job_.accountName, keys::kPopBeforeSmtp)) {
    popLogin_ = true;
    pop_->Authenticate(true);
  } else {
    StartSmtp();
  }
}

void TSendForm::SetupSmtp() {
  const IniFileUnit& settings = services_.settings;
  const AnsiString& account = job_.accountName;
  smtp_->SetMailFrom(job_.mailFrom.empty() ? settings.Read(account, keys::kAddress)
                                           : job_.mailFrom);
  smtp_->SetHost(settings.Read(account, keys::kSmtp));
  smtp_->SetPort(StrToInt(settings.Read(account, keys::kSmtpPort)));
  // Only the text the account dialog writes switches it on.
  smtp_->SetSmtpAuth(settings.Read(account, keys::kAuth) == kAccountTrue);
  smtp_->SetUser(settings.Read(account, keys::kUserId));
  oauth_ = UsesOAuth(settings, account);
  if (oauth_) {
    // A token is of no use unless presented.
    smtp_->SetSmtpAuth(true);
    smtp_->SetUser(OAuthUserName(settings, account));
  }
  // Asked from its store only where it is sent.
  if (smtp_->SmtpAuth() && !oauth_)
    smtp_->SetPassword(ReadSecret(settings, {SecretKind::kPassword, account}));
  const TAccountSecurity security = ReadAccountSecurity(settings, account);
  ApplyAccountSecurity(security, security.Smtp, *smtp_);
}

void TSendForm::StartSmtp() {
  // A delivery no one watches (a script's) is not held up at every chunk.
  if (OnProgress)
    smtp_->OnProgress = [this](TSmtpItem&, std::int64_t max, std::int64_t sended) {
      SmtpProgress(max, sended);
    };
  if (!oauth_) return void(smtp_->Send());
  const IniFileUnit& settings = services_.settings;
  const AnsiString& account = job_.accountName;
  OAuthClient client;
  try {
    client = AccountOAuthClient(settings, account);
  } catch (const Error& e) {
    return SignInFailed(SignInFailure::Settings, e.Message(), u"エラー: " + e.Message());
  }
  SetStatus(u"アクセストークンを取得しています...");
  tokenFetch_ = std::make_unique<TAccessTokenFetch>(services_.tokens, services_.mainThread);
  AnsiString refreshToken;
  try {
    refreshToken = ReadSecret(settings, {SecretKind::kOAuthRefreshToken, account});
  } catch (const Error& e) {
    return SignInFailed(SignInFailure::Settings, e.Message(), u"エラー: " + e.Message());
  }
  tokenFetch_->Start(account, client, refreshToken,
                     [this](const AccessTokenResult& result) { TokenFetched(result); });
}

void TSendForm::TokenFetched(const AccessTokenResult& result) {
  switch (result.kind) {
    case AccessTokenResult::kToken:
      break;
    case AccessTokenResult::kExpired: {
      const WideString reason =
          u"サインインの有効期限が切れました。アカウントの設定でもう一度サインインしてください";
      return SignInFailed(SignInFailure::NoGrant, reason, reason);
    }
    case AccessTokenResult::kNotSignedIn:
      return SignInFailed(SignInFailure::NoGrant, result.reason, u"エラー: " + result.reason);
    case AccessTokenResult::kUnreachable:
      return SignInFailed(SignInFailure::Unreachable, result.reason, u"エラー: " + result.reason);
    case AccessTokenResult::kFailed:
      return SignInFailed(SignInFailure::Refused, result.reason, u"エラー: " + result.reason);
  }
  // The old refresh token may be spent already: the new one is kept at
  // once, whatever becomes of the delivery.
  if (!result.newRefreshToken.empty()) {
    try {
      WriteSecret(services_.settings, {SecretKind::kOAuthRefreshToken, job_.accountName},
                  result.newRefreshToken);
    } catch (const Error& e) {
      Log(u"エラー: " + e.Message());
    }
  }
  smtp_->SetAccessToken(result.accessToken);
  smtp_->Send();
}

void TSendForm::SignInFailed(SignInFailure failure, const WideString& reason,
                             const WideString& line) {
  outcome_.stage = SendStage::SignIn;
  outcome_.signIn = failure;
  outcome_.smtpError = seAuth;
  outcome_.reason = reason;
  status_ = DeliveryEndText(outcome_);
  Log(status_);
  Log(line);
  KeepForLater();
  if (OnDelivered) OnDelivered(false);
  state_ = SendState::Ended;
  Changed();
}

void TSendForm::SetupPop() {
  const IniFileUnit& settings = services_.settings;
  const AnsiString& account = job_.accountName;
  pop_->SetHost(settings.Read(account, keys::kPop3));
  pop_->SetPort(StrToInt(settings.Read(account, keys::kPop3Port)));
  pop_->SetAPOP(settings.ReadBool(account, keys::kApop));
  pop_->SetUser(settings.Read(account, keys::kUserId));
  if (settings.ReadBool(account, keys::kPopBeforeSmtp))
    pop_->SetPassword(ReadSecret(settings, {SecretKind::kPassword, account}));
  const TAccountSecurity security = ReadAccountSecurity(settings, account);
  ApplyAccountSecurity(security, security.Pop, *pop_);
}

void TSendForm::Close(const std::optional<LogWindowGeometry>& logWindow) {
  if (!CloseEnabled()) return;
  try {
    // Its entry is read from the header: a large message is not copied.
    WriteSentLog(services_.settings, services_.clock,
                 SentAttempt{job_.accountName, AnsiString(MessageHeader(*job_.message)), logLines_,
                             logWindow, job_.fromOutbox});
  } catch (const Error& e) {
    sentLogError_ = e.Message();
    throw;
  }
  sentLogError_.reset();
}

WideString TSendForm::ErrorText() const {
  return outcome_.smtpError ? StageLabel(*outcome_.smtpError) : WideString();
}

SendOutcome TSendForm::Outcome() const {
  SendOutcome outcome = outcome_;
  if (sentLogError_) {
    outcome.stage = SendStage::SentLog;
    outcome.reason = *sentLogError_;
  }
  return outcome;
}

void TSendForm::Log(const WideString& line) {
  logLines_.push_back(line);
  if (OnLogLine) OnLogLine(line);
}

void TSendForm::SetStatus(const WideString& status) {
  status_ = status;
  Changed();
}

void TSendForm::Changed() {
  if (OnChanged) OnChanged();
}

void TSendForm::LogLocalError(const TTCPItem& item) {
  if (!item.LocalError().empty()) Log(u"エラー: " + item.LocalError());
}

void TSendForm::SmtpSmtpStatus(const AnsiString& s) {
  lastReply_ = ReplyClass::None;
  lastReplyText_.clear();
  const WideString command = SjisToWide(MaskSecrets(s));
  SetStatus(u"コマンドを送信中... " + command);
  Log(u"コマンドを送信... " + command);
}

void TSendForm::SmtpServerStatus(const AnsiString& s) {
  lastReply_ = ReplyClassOf(s);
  lastReplyText_ = ReplyText(s);
  const WideString text = u"サーバからの応答... " + ExplainedReply(lastReplyText_);
  SetStatus(text);
  Log(text);
}

void TSendForm::SmtpProgress(std::int64_t max, std::int64_t sended) {
  // The wire form may outgrow the message; a message read as it goes out
  // has no size to count against (0).
  progressMax_ = max > 0 ? std::max(max, sended) : 0;
  progressPosition_ = sended;
  if (OnProgress) OnProgress();
}

void TSendForm::SmtpRcptError(const std::vector<AnsiString>& addresses,
                              const std::vector<AnsiString>& replies) {
  for (size_t i = 0; i < addresses.size(); ++i)
    outcome_.refused.push_back({SjisToWide(addresses[i]), ReplyText(replies[i])});
  Log(RefusedRecipientsText(outcome_.refused));
}

void TSendForm::SmtpExtensions(const TSmtpExtensions& extensions) {
  if (!extensions.dsn && !job_.dsn.Empty()) outcome_.dsnUnsupported = true;
  if (extensions.sizeLimit == 0) return;
  const AnsiString limit = std::to_string(extensions.sizeLimit);
  IniFileUnit& settings = services_.settings;
  if (settings.Read(job_.accountName, keys::kSizeLimit) == limit) return;
  try {
    settings.Write(job_.accountName, keys::kSizeLimit, limit);
  } catch (const Error& e) {
    Log(u"エラー: " + e.Message());
  }
}

void TSendForm::SmtpSmtpError(TSmtpErrorEventType error) {
  outcome_.smtpError = error;
  outcome_.reply = lastReply_;
  outcome_.serverReply = lastReplyText_;
  // A message over the size limit was refused before the server was asked.
  if (error == seSize) {
    outcome_.reply = ReplyClass::None;
    outcome_.serverReply.clear();
  }
  // The delivery ended at its recipients: their refusals tell why, not the
  // reply to whatever came after them.
  if (error == seRcpt && !outcome_.refused.empty()) {
    const RefusedRecipient& worst = WorstRefusal(outcome_.refused);
    outcome_.reply = ReplyClassOf(WideToSjis(worst.reply));
    outcome_.serverReply = worst.reply;
  }
  // A token the server refused is not offered again.
  if (oauth_ && error == seAuth) services_.tokens.Forget(job_.accountName);
}

void TSendForm::SmtpSmtpClosed(const TSmtpItem& item, bool success) {
  if (state_ != SendState::Sending) return;
  outcome_.success = success;
  if (success)
    outcome_.reply = ReplyClass::Positive;
  else
    outcome_.reason = item.LocalError();
  status_ = DeliveryEndText(outcome_);
  Log(status_);
  // The log named the refused recipients when the server refused them; the
  // status line, which keeps only its last text, names them again.
  if (success && !outcome_.refused.empty())
    status_ += u"。" + RefusedRecipientsText(outcome_.refused);
  // A message refused before the upload: the status says why, not the
  // server, which was never asked.
  if (!success && outcome_.smtpError == seSize) status_ += u": " + outcome_.reason;
  // A failure's status names what the server's refusal means, not only the step.
  if (!success && !outcome_.serverReply.empty() && !ReplyExplanation(outcome_.serverReply).empty())
    status_ += u": " + OneLine(ExplainedReply(outcome_.serverReply));
  if (!success) LogLocalError(item);
  if (!success) KeepForLater();
  if (OnDelivered) OnDelivered(success);
  state_ = SendState::Ended;
  Changed();
}

void TSendForm::PopAuthenticated() {
  if (!popLogin_) return;
  popLogin_ = false;
  Log(u"POP 認証に成功");
  SetStatus(u"POP 認証に成功しました");
  StartSmtp();
}

void TSendForm::Abort(const TTCPItem& item, TPopErrorEventType error) {
  if (!popLogin_) return;
  popLogin_ = false;
  Log(u"POP 認証に失敗");
  LogLocalError(item);
  outcome_.stage = SendStage::PopLogin;
  outcome_.popError = error;
  outcome_.reason = item.LocalError();
  status_ = u"POP 認証に失敗しました";
  KeepForLater();
  state_ = SendState::Aborted;
  Changed();
}

void TSendForm::KeepForLater() {
  if (!job_.queueOnFailure || !IsTemporaryFailure(outcome_)) return;
  // An account without a server fails the same way on every later try.
  if (services_.settings.Read(job_.accountName, keys::kSmtp).empty()) return;
  try {
    const OutboxRecord record = QueueSendJob(services_.settings, services_.clock, job_,
                                             {std::nullopt, FailureText(outcome_)});
    outcome_.queued = record.nextAttempt;
    status_ = u"送信できなかったので送信待ちに入れました (次の送信: " +
              MomentText(record.nextAttempt, services_.clock.Now()) + u")";
    Log(status_);
  } catch (const Error& e) {
    Log(u"エラー: " + e.Message());
  }
}

void TSendForm::PopAuthenticateFail(const TPopItem& item) {
  Abort(item, peAuth);
}

void TSendForm::PopPopError(const TPopItem& item, TPopErrorEventType error) {
  // A refused login has ended the attempt through OnAuthenticateFail
  // already; these come without it.
  if (error == peConnect || error == peTimeOut || error == peTls) Abort(item, error);
}

}  // namespace orvane
