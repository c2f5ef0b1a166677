// ComposeMessage against the component's own Compose of the same parts: a
// draft with 20 attachments of 5 MiB. Prints medians, the ratio and the
// peak resident set of each in a fresh process.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ComposeDraft.h"
#include "Report.h"
#include "Support.h"
#include "app/ComposeMessage.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace orvane::bench {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<TZelMime> NewComponent(const fs::path& folder) {
  auto mime = std::make_unique<TZelMime>(DefaultClock(), folder);
  SetUpMessageComponent(*mime);
  return mime;
}

void Assemble(const fs::path& folder, TZelMime& mime) {
  const IniFileUnit settings(folder);
  ComposeMessage(Draft(folder), settings.AttachFilePaths(),
                 {settings, DefaultClock(), kAccount, kVersion}, mime);
}

// The same parts handed to the component directly, read before the clock
// starts.
struct Parts {
  explicit Parts(const fs::path& folder)
      : settings(folder),
        body(WithCrLfLines(ReadUserTextFile(folder / "body.txt")) +
             WithCrLfLines(SjisToWide(settings.ReadSignatureBlock(kAccount)))),
        attachments(settings.AttachFilePaths()),
        headerLines{WideToSjis(u"X-Section: 営業部"),
                    WideToSjis(u"Disposition-Notification-To: 山田 太郎<taro@example.jp>"),
                    "Priority: urgent", "X-Priority: 2", "X-MSMail-Priority: High"} {}

  void ComposeInto(TZelMime& mime) const {
    mime.Clear();
    mime.DefaultEncodeCharSet = mcsUS_ASCII;
    mime.AttachNameEncode = aeMimeB;
    mime.SetTo(u"\"鈴木, 花子\" <hanako@example.jp>");
    mime.SetCc(u"sato@example.jp");
    mime.SetFrom(u"山田 太郎<taro@example.jp>");
    mime.SetSubject(u"資料送付の件");
    mime.SetXMailer(WideToSjis(u"Orvane " + WideString(kVersion)));
    mime.HeaderLines = headerLines;
    mime.SetBodyText(body);
    mime.Attachments().Assign(attachments);
    mime.Compose();
  }

  IniFileUnit settings;
  WideString body;
  std::vector<fs::path> attachments;
  std::vector<AnsiString> headerLines;
};

std::size_t AttachmentParts(std::string_view message) {
  std::size_t count = 0;
  for (std::size_t at = 0;
       (at = message.find("Content-Disposition: attachment", at)) != std::string_view::npos; ++at)
    ++count;
  return count;
}

long long PeakOf(const char* what, const fs::path& folder) {
  const std::string self = fs::read_symlink("/proc/self/exe");
  const std::string output = RunProgram({self, "--peak", what, folder});
  Require(ValueOf(output, "message_bytes") >= kTotalBytes / 3.0 * 4,
          "the peak measurement composed no attachments");
  return static_cast<long long>(ValueOf(output, "peak_bytes"));
}

int Run() {
  TempFolder temp;
  MakeProgramFolder(temp.Path());
  const Parts parts(temp.Path());
  std::printf("Message assembly benchmark: medians of %d runs; %d attachments of %zu MiB.\n\n",
              kRuns, kAttachmentCount, kAttachmentBytes >> 20);

  std::unique_ptr<TZelMime> assembled, alone;
  const std::vector<double> seconds = MedianSecondsEach({
      [&] {
        assembled.reset();
        assembled = NewComponent(temp.Path());
        Assemble(temp.Path(), *assembled);
      },
      [&] {
        alone.reset();
        alone = NewComponent(temp.Path());
        parts.ComposeInto(*alone);
      },
  });
  Require(AttachmentParts(assembled->MessageText()) == kAttachmentCount,
          "ComposeMessage left out attachments");
  Require(assembled->MessageText().size() == alone->MessageText().size(),
          "ComposeMessage and Compose alone made messages of different sizes");
  assembled.reset();
  alone.reset();

  Report report;
  report.AddTime("ComposeMessage, 20 attachments, 100 MiB", seconds[0], "Compose of the same parts",
                 seconds[1], 1 / 1.1);
  report.AddMemory("ComposeMessage (fresh process)", PeakOf("assembly", temp.Path()), kTotalBytes,
                   2 * kTotalBytes);
  report.AddMemory("Compose alone (fresh process)", PeakOf("component", temp.Path()), kTotalBytes,
                   0);
  report.AddNote("Goal: ComposeMessage takes at most 1.1 times the component's Compose alone.");
  report.Print();
  return 0;
}

// The child of a peak measurement: composes once in this fresh process.
int PeakMain(std::string_view what, const fs::path& folder) {
  auto mime = NewComponent(folder);
  if (what == "assembly") {
    Assemble(folder, *mime);
  } else if (what == "component") {
    Parts(folder).ComposeInto(*mime);
  } else {
    return 2;
  }
  std::printf("message_bytes %zu\npeak_bytes %lld\n", mime->MessageText().size(),
              PeakResidentBytes());
  return 0;
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--peak")
    return orvane::bench::PeakMain(argv[2], argv[3]);
  return orvane::bench::Run();
}
