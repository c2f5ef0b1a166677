// The pre-send checks with every rule on against message assembly of the
// same draft (20 attachments of 5 MiB). The checks run after every
// assembly, so they should cost at most 5 % of it.
#include <cstdio>

#include "../compose/ComposeDraft.h"
#include "Report.h"
#include "Support.h"
#include "app/ComposeMessage.h"
#include "app/WarningDraft.h"
#include "checks/CheckWarnings.h"

namespace orvane::bench {
namespace {

constexpr double kGoal = 20;  // assembly / checks: the checks at most 5 %

class GoOn final : public WarningDisplay {
 public:
  TWarningChoice ShowWarnings(const std::vector<WideString>& lines) override {
    shown = lines.size();
    return TWarningChoice::GoOn;
  }
  size_t shown = 0;
};

int Run() {
  TempFolder temp;
  MakeProgramFolder(temp.Path());
  const IniFileUnit settings(temp.Path());
  for (const TWarningRuleInfo& info : kWarningRules) settings.Write(info.key, true);
  const MessageDraft draft = Draft(temp.Path());
  const std::vector<std::filesystem::path> attachments = settings.AttachFilePaths();
  WideString signature;

  TZelMime mime(DefaultClock(), temp.Path());
  SetUpMessageComponent(mime);
  GoOn display;
  const std::vector<double> seconds = MedianSecondsEach({
      [&] {
        signature = ComposeMessage(draft, attachments,
                                   {settings, DefaultClock(), kAccount, kVersion}, mime);
      },
      [&] {
        Require(
            CheckWarnings(settings,
                          WarningDraftOf(settings, draft, kAccount, false, signature, attachments),
                          mime, display),
            "the checks stopped");
      },
  });
  Require(mime.MessageText().size() > kTotalBytes, "the message lacks its attachments");
  Require(display.shown >= 8, "the checks found less than the draft holds");

  std::printf(
      "Pre-send checks benchmark: medians of %d runs; %d attachments of %zu MiB, every rule "
      "on (%zu lines).\n\n",
      kRuns, kAttachmentCount, kAttachmentBytes >> 20, display.shown);
  Report report;
  report.AddTime("CheckWarnings, every rule on", seconds[1], "ComposeMessage, same draft",
                 seconds[0], kGoal);
  char share[80];
  std::snprintf(share, sizeof share,
                "Goal: the checks take at most 5 %% of the assembly (%.2f %%).",
                seconds[1] / seconds[0] * 100);
  report.AddNote(share);
  report.Print();
  return 0;
}

}  // namespace
}  // namespace orvane::bench

int main() {
  return orvane::bench::Run();
}
