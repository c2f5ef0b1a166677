#include "tools/send/SendCommand.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "app/MailtoUri.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Path.h"
#include "tools/send/Ending.h"

namespace orvane {
namespace {

constexpr std::array<const char16_t*, 9> kDraftKeys = {
    u"account", u"mailto", u"cc", u"bcc", u"subject", u"file", u"attach", u"replyto", u"inreplyto"};

// sendmail's switches that change nothing here: delivery mode, error
// reporting, body type and the like ("-oem", "-B8BITMIME", cron's own).
bool IsIgnoredSwitch(std::u16string_view arg) {
  return arg == u"-bm" || arg == u"-U" || arg == u"-m" || arg == u"-n" ||
         (arg.starts_with(u"-o") && arg != u"-oi") || arg.starts_with(u"-B");
}

[[noreturn]] void Usage(const WideString& japanese, const std::string& english) {
  throw EndingError(EX_USAGE, japanese, english);
}

bool IsDraftKey(const WideString& argument) {
  if (IsSwitch(argument)) return false;
  const WideString key = ToAsciiLower(SwitchKey(argument));
  if (key.size() == argument.size()) return false;  // no "=" or ":" follows
  const char16_t after = argument[key.size()];
  return (after == u'=' || after == u':') &&
         std::find(kDraftKeys.begin(), kDraftKeys.end(), key) != kDraftKeys.end();
}

class Reader {
 public:
  explicit Reader(const Arguments& arguments) : args_(arguments) {}

  SendCommand Read() {
    bool sendmailSeen = false, draftSeen = false;
    for (i_ = 1; i_ < args_.size(); ++i_) {
      const WideString& arg = args_[i_];
      // sendmail's end of the switches (mutt, mailx): recipients follow,
      // even one that begins with "-".
      if (arg == u"--") {
        for (++i_; i_ < args_.size(); ++i_)
          command_.ready.recipients.push_back(WideToSjis(args_[i_]));
        sendmailSeen = true;
        break;
      }
      if (ReadCommon(arg)) continue;
      if (!IsSwitch(arg) && IsMailtoUri(arg)) {
        if (link_)
          Usage(u"mailto: のリンクは一つだけ指定できます", "give one mailto: link at most");
        link_ = ParseMailtoUri(arg);
        draftSeen = true;
      } else if (IsDraftKey(arg)) {
        draftSeen = true;
      } else {
        ReadSendmail(arg);
        sendmailSeen = true;
      }
    }
    if (draftSeen && sendmailSeen)
      Usage(u"下書きのキー (mailto= など) と sendmail の指定 (-t、-i、宛先など) は一緒に使えません",
            "the keys of a draft (mailto= and the like) and sendmail's switches or recipients "
            "cannot be mixed");
    command_.mode = sendmailSeen ? SendMode::Sendmail : SendMode::Draft;
    if (command_.mode == SendMode::Draft) ReadDraft();
    return std::move(command_);
  }

 private:
  // The value of a switch: the rest of the argument, or the next one.
  WideString Value(const WideString& arg, size_t prefix) {
    if (arg.size() > prefix) return arg.substr(prefix + (arg[prefix] == u'=' ? 1 : 0));
    if (i_ + 1 >= args_.size())
      Usage(arg + u" の後に値がありません", WideToUtf8(arg) + " needs a value");
    return args_[++i_];
  }

  // The value of a DSN switch, read by `parse`; a value it refuses is a
  // usage error that says what it takes.
  AnsiString DsnValue(const WideString& arg,
                      std::optional<AnsiString> (*parse)(std::string_view),
                      const WideString& takes, const std::string& takesEnglish) {
    const WideString value = Value(arg, 2);
    const std::optional<AnsiString> parsed = parse(WideToUtf8(value));
    if (!parsed)
      Usage(arg.substr(0, 2) + u" は " + takes + u": " + value,
            WideToUtf8(arg.substr(0, 2)) + " takes " + takesEnglish + ": " + WideToUtf8(value));
    return *parsed;
  }

  bool Act(SendAction action) {
    if (command_.action != SendAction::Send && command_.action != action)
      Usage(u"-q、--flush-due、-bp は一緒に使えません", "-q, --flush-due and -bp cannot be mixed");
    command_.action = action;
    return true;
  }

  bool ReadCommon(const WideString& arg) {
    if (arg == u"--version") return command_.version = true;
    if (arg == u"--help") return command_.help = true;
    if (arg == u"--strict") return command_.strict = true;
    if (arg == u"--no-checks") return command_.noChecks = true;
    if (arg == u"--verbose" || arg == u"-v") return command_.verbose = true;
    if (arg == u"--no-log") return command_.noLog = true;
    if (arg == u"--partial") return command_.partial = true;
    if (arg == u"-odq" || arg == u"--queue") return command_.queueOnly = true;
    if (arg == u"--queue-on-failure") return command_.queueOnFailure = true;
    if (arg == u"-q" || arg == u"--flush") return Act(SendAction::Flush);
    if (arg == u"--flush-due") return Act(SendAction::FlushDue);
    if (arg == u"-bp" || arg == u"--list") return Act(SendAction::List);
    if (arg.starts_with(u"--account")) {
      command_.account = WideToSjis(Value(arg, 9));
      return true;
    }
    if (arg.starts_with(u"--sign-in")) {
      command_.signIn = WideToSjis(Value(arg, 9));
      return true;
    }
    if (arg.starts_with(u"--lang")) {
      const WideString lang = ToAsciiLower(Value(arg, 6));
      if (lang != u"en" && lang != u"ja")
        Usage(u"--lang は en か ja です", "--lang takes en or ja");
      command_.english = lang == u"en";
      return true;
    }
    return false;
  }

  void ReadSendmail(const WideString& arg) {
    ReadyOptions& ready = command_.ready;
    if (!IsSwitch(arg)) {
      ready.recipients.push_back(WideToSjis(arg));
    } else if (arg == u"-t") {
      ready.recipientsFromHeader = true;
    } else if (arg == u"-i" || arg == u"-oi") {
      command_.dotEndsInput = false;
    } else if (arg.starts_with(u"-f") || arg.starts_with(u"-r")) {  // -r: the older name
      ready.envelopeFrom = WideToSjis(Value(arg, 2));
    } else if (arg.starts_with(u"-F")) {
      ready.fromName = Value(arg, 2);
    } else if (arg == u"-bs" || arg == u"-bd") {
      Usage(u"デーモンモード (-bs、-bd) には対応していません。メッセージを標準入力に渡してください",
            "the daemon modes -bs and -bd are not supported: pass the message on standard input");
    } else if (arg.starts_with(u"-N")) {
      command_.dsn.notify = DsnValue(arg, ParseDsnNotify, u"never か success,failure,delay の組み合わせです",
                                     "never or a list of success, failure and delay");
    } else if (arg.starts_with(u"-R")) {
      command_.dsn.ret = DsnValue(arg, ParseDsnReturn, u"full か hdrs です", "full or hdrs");
    } else if (arg.starts_with(u"-V")) {
      command_.dsn.envid = DsnValue(arg, ParseDsnEnvelopeId, u"100 文字までの ASCII の文字列です",
                                    "up to 100 printable ASCII characters");
    } else if (arg == u"-X" || arg == u"-h") {
      // A tracing request or the hop count, with its value: not offered.
      Value(arg, 2);
    } else if (!IsIgnoredSwitch(arg)) {
      Usage(u"知らない指定です: " + arg, "unknown switch: " + WideToUtf8(arg));
    }
  }

  // The window's keys, with its rules: the first of each key counts; a body
  // file that exists gives the subject, which subject= overrides.
  void ReadDraft() {
    MessageDraft& draft = command_.draft;
    if (link_) ReadLink(*link_);
    // The link is used up: its "mailto:" is not the key mailto=.
    Arguments keys;
    std::copy_if(args_.begin(), args_.end(), std::back_inserter(keys),
                 [](const WideString& arg) { return IsSwitch(arg) || !IsMailtoUri(arg); });
    auto has = [&](const char16_t* key) { return HasSwitch(keys, key, true); };
    auto value = [&](const char16_t* key) { return GetSwitchValue(keys, key, true); };
    if (has(u"file")) {
      draft.BodyFileName = WideToPath(value(u"file"));
      command_.bodyFromFile = true;
    }
    if (has(u"account")) command_.account = WideToSjis(value(u"account"));
    auto take = [&](const char16_t* key, WideString& field) {
      if (has(key)) field = value(key);
    };
    command_.subjectGiven = command_.subjectGiven || has(u"subject");
    take(u"subject", draft.Subject);
    take(u"mailto", draft.ToText);
    take(u"cc", draft.CcText);
    take(u"bcc", draft.BccText);
    take(u"replyto", draft.ReplyToText);
    take(u"inreplyto", draft.InReplyToText);
    for (const WideString& arg : args_)
      if (IsDraftKey(arg) && SameAsciiText(SwitchKey(arg), u"attach"))
        command_.attachments.push_back(WideToPath(SwitchValue(arg)));
  }

  // A link's fields; its body, when it has one, instead of standard input.
  void ReadLink(const MailtoFields& link) {
    if (link.refusal)
      Usage(u"mailto: のリンクを読めませんでした: " + *link.refusal,
            "the mailto: link could not be read: " + WideToUtf8(*link.refusal));
    MessageDraft& draft = command_.draft;
    draft.ToText = link.to;
    draft.CcText = link.cc;
    draft.BccText = link.bcc;
    draft.Subject = link.subject;
    draft.InReplyToText = link.inReplyTo;
    draft.ReferencesText = link.references;
    draft.BodyText = link.body;
    command_.subjectGiven = !link.subject.empty();
    command_.bodyFromLink = !link.body.empty();
    command_.notice = IgnoredKeysNotice(link);
  }

  const Arguments& args_;
  size_t i_ = 1;
  SendCommand command_;
  std::optional<MailtoFields> link_;
};

}  // namespace

SendCommand ParseSendCommand(const Arguments& arguments) {
  return Reader(arguments).Read();
}

const char* UsageText() {
  return "usage: orvane-send [account=NAME] [mailto=TO] [cc=CC] [bcc=BCC] [subject=TEXT]\n"
         "                   [file=BODY] [attach=PATH]... [replyto=ADDR] [inreplyto=ID]\n"
         "       orvane-send [-t] [-i|-oi] [-f FROM] [-F NAME] [--account NAME]\n"
         "                   [-N never|success,failure,delay] [-R full|hdrs] [-V ENVID] [--] "
         "[RECIPIENT]...\n"
         "       orvane-send --sign-in ACCOUNT\n"
         "       orvane-send -q|--flush [--account NAME]    send what waits in the outbox\n"
         "       orvane-send -bp|--list                     list the outbox\n"
         "options: --strict --no-checks --partial --verbose --no-log --lang=en|ja --version "
         "--help\n"
         "         -odq|--queue (into the outbox only) --queue-on-failure\n"
         "Without file= the body is read from standard input (UTF-8, or Shift_JIS).\n"
         "A recipient the server refuses stops the send before the message goes to anyone,\n"
         "unless --partial is given.\n"
         "A temporary failure exits 75, or puts the message into the outbox and exits 0\n"
         "with --queue-on-failure or [Outbox] Headless=1.\n"
         "Exit status: 0 sent (or queued), 64 usage, 65 bad input, 66 missing file, 69 refused by the\n"
         "server, 75 try again later, 77 authentication or sign-in needed, 78 setting.\n";
}

}  // namespace orvane
