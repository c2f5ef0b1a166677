#include "app/CommandLineDraft.h"

#include <algorithm>
#include <string>

#include "app/MailtoUri.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// A link's body is kept under this name, numbered as "/o" numbers.
constexpr const char* kMailtoBodyPattern = "mailto.txt";

// The link's recipients, references and body file; its subject comes after
// the body file's name has given one.
void ApplyLink(const MailtoFields& link, MessageDraft& draft, const fs::path& programFolder) {
  draft.ToText = link.to;
  draft.CcText = link.cc;
  draft.BccText = link.bcc;
  draft.InReplyToText = link.inReplyTo;
  draft.ReferencesText = link.references;
  if (!link.body.empty())
    draft.BodyFileName =
        WriteNumberedFile(programFolder / kMailtoBodyPattern, WideToUtf8(link.body));
}

}  // namespace

fs::path WriteNumberedFile(const fs::path& pattern, std::string_view bytes) {
  const std::string base = pattern.stem().native();
  const std::string extension = pattern.extension().native();
  for (unsigned long long n = 0;; ++n) {
    fs::path candidate = pattern.parent_path() / (base + std::to_string(n) + extension);
    if (WriteNewFile(candidate, bytes)) return candidate;
  }
}

CommandLineOutcome ApplyCommandLine(const Arguments& arguments, MessageDraft& draft,
                                    const CommandLineServices& services) {
  CommandLineOutcome outcome;
  Arguments args = arguments;
  std::optional<MailtoFields> link;
  if (args.size() > 1) {
    auto plain = std::find_if(args.begin() + 1, args.end(),
                              [](const WideString& arg) { return !IsSwitch(arg); });
    if (plain != args.end() && IsMailtoUri(*plain)) {
      link = ParseMailtoUri(*plain);
      // The link is used up here: its "mailto:" is not the key mailto=.
      args.erase(plain);
    } else if (plain != args.end()) {
      draft.BodyFileName = WideToPath(*plain);
    }
  }
  if (link && link->refusal) {
    outcome.refusal = link->refusal;
    link.reset();
  } else if (link) {
    outcome.notice = IgnoredKeysNotice(*link);
    ApplyLink(*link, draft, services.programFolder);
  }

  auto has = [&](const char16_t* key) { return HasSwitch(args, key, true); };
  auto value = [&](const char16_t* key) { return GetSwitchValue(args, key, true); };
  auto bodyFileExists = [&] { return FileExists(draft.BodyFileName); };
  if (has(u"file")) draft.BodyFileName = WideToPath(value(u"file"));
  if (has(u"/o")) {
    draft.BodyFileName = WriteNumberedFile(draft.BodyFileName, "");
    services.shell.OpenFile(draft.BodyFileName);
  }
  if (has(u"+o")) {
    if (!bodyFileExists()) CreateEmptyFile(draft.BodyFileName);
    services.shell.OpenFile(draft.BodyFileName);
  }
  if (has(u"-o") && bodyFileExists()) services.shell.OpenFile(draft.BodyFileName);
  if (bodyFileExists()) draft.Subject = PathToWide(draft.BodyFileName.stem());
  // The body file of a link is named by us, not by the user.
  if (link) draft.Subject = link->subject;
  if (has(u"account")) services.selectAccount(WideToSjis(value(u"account")));
  if (has(u"subject")) draft.Subject = value(u"subject");
  if (has(u"/r") && bodyFileExists()) services.replyFromFile();
  if (has(u"mailto")) draft.ToText = value(u"mailto");
  if (has(u"replyto")) draft.ReplyToText = value(u"replyto");
  if (has(u"inreplyto")) draft.InReplyToText = value(u"inreplyto");
  return outcome;
}

}  // namespace orvane
