#include "tools/send/SendCommand.h"

#include <algorithm>
#include <array>

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
      if (IsDraftKey(arg)) {
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

  bool ReadCommon(const WideString& arg) {
    if (arg == u"--version") return command_.version = true;
    if (arg == u"--help" || arg == u"-h") return command_.help = true;
    if (arg == u"--strict") return command_.strict = true;
    if (arg == u"--no-checks") return command_.noChecks = true;
    if (arg == u"--verbose" || arg == u"-v") return command_.verbose = true;
    if (arg == u"--no-log") return command_.noLog = true;
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
    } else if (arg == u"-N" || arg == u"-R" || arg == u"-V" || arg == u"-X") {
      Value(arg, 2);  // a DSN or tracing request with its value: not offered
    } else if (!IsIgnoredSwitch(arg)) {
      Usage(u"知らない指定です: " + arg, "unknown switch: " + WideToUtf8(arg));
    }
  }

  // The window's keys, with its rules: the first of each key counts; a body
  // file that exists gives the subject, which subject= overrides.
  void ReadDraft() {
    MessageDraft& draft = command_.draft;
    auto has = [&](const char16_t* key) { return HasSwitch(args_, key, true); };
    auto value = [&](const char16_t* key) { return GetSwitchValue(args_, key, true); };
    if (has(u"file")) {
      draft.BodyFileName = WideToPath(value(u"file"));
      command_.bodyFromFile = true;
    }
    if (has(u"account")) command_.account = WideToSjis(value(u"account"));
    command_.subjectGiven = has(u"subject");
    draft.Subject = value(u"subject");
    draft.ToText = value(u"mailto");
    draft.CcText = value(u"cc");
    draft.BccText = value(u"bcc");
    draft.ReplyToText = value(u"replyto");
    draft.InReplyToText = value(u"inreplyto");
    for (const WideString& arg : args_)
      if (IsDraftKey(arg) && SameAsciiText(SwitchKey(arg), u"attach"))
        command_.attachments.push_back(WideToPath(SwitchValue(arg)));
  }

  const Arguments& args_;
  size_t i_ = 1;
  SendCommand command_;
};

}  // namespace

SendCommand ParseSendCommand(const Arguments& arguments) {
  return Reader(arguments).Read();
}

const char* UsageText() {
  return "usage: orvane-send [account=NAME] [mailto=TO] [cc=CC] [bcc=BCC] [subject=TEXT]\n"
         "                   [file=BODY] [attach=PATH]... [replyto=ADDR] [inreplyto=ID]\n"
         "       orvane-send [-t] [-i|-oi] [-f FROM] [-F NAME] [--account NAME] [--] "
         "[RECIPIENT]...\n"
         "       orvane-send --sign-in ACCOUNT\n"
         "options: --strict --no-checks --verbose --no-log --lang=en|ja --version --help\n"
         "Without file= the body is read from standard input (UTF-8, or Shift_JIS).\n"
         "Exit status: 0 sent, 64 usage, 65 bad input, 66 missing file, 69 refused by the\n"
         "server, 75 try again later, 77 authentication or sign-in needed, 78 setting.\n";
}

}  // namespace orvane
