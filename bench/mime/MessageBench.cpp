#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "GmimePeer.h"
#include "OursMessage.h"
#include "PythonPeer.h"
#include "Sections.h"
#include "Support.h"

namespace orvane::bench {
namespace {

namespace fs = std::filesystem;

// Every line break is CR LF: no lone LF and no lone CR.
bool HasCrLfLines(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
  }
  return true;
}

// Text with CR LF as LF and without the line breaks at its end, so that
// bodies compare whatever line ends a parser hands back.
std::string Normalized(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// A composed message is fair game only if an independent parser reads the
// body and the attachment back from it.
void CheckComposed(const char* who, std::string_view message, const BenchMessage& sample,
                   const AnsiString& attachment, const fs::path& folder) {
  std::string what = std::string(who) + "'s message ";
  Require(HasCrLfLines(message), (what + "has line ends other than CR LF").c_str());
  fs::create_directories(folder);
  const GmimeDecoded decoded = GmimeDecode(message, folder);
  Require(Normalized(decoded.text) == Normalized(sample.body),
          (what + "does not give the body back").c_str());
  Require(!decoded.attachment.empty() && ReadFile(decoded.attachment) == attachment,
          (what + "does not give the attachment back").c_str());
}

void CheckDecoded(const char* who, const std::string& text, const fs::path& saved,
                  const BenchMessage& sample, const AnsiString& attachment) {
  std::string what = std::string(who) + " ";
  Require(Normalized(text) == Normalized(sample.body), (what + "decodes another body").c_str());
  Require(ReadFile(saved) == attachment, (what + "saves another attachment").c_str());
}

std::string SelfPath() {
  return fs::read_symlink("/proc/self/exe");
}

// The peak resident set of a fresh process that composes the message once;
// a message too short to hold the attachment means the child measured
// nothing.
long long ComposePeak(const char* composer, const BenchMessage& sample, std::size_t attachmentSize) {
  const std::string output = RunProgram({SelfPath(), "--compose-peak", composer, sample.attachment});
  Require(ValueOf(output, "message_bytes") >= attachmentSize / 3.0 * 4,
          "the composer of the peak measurement left out the attachment");
  return static_cast<long long>(ValueOf(output, "peak_bytes"));
}

}  // namespace

int ComposePeakMain(std::string_view composer, const fs::path& attachment) {
  InitGmime();
  BenchMessage sample;
  sample.attachment = attachment;
  std::size_t size = 0;
  if (composer == "ours") {
    size = OursCompose(sample, attachment.parent_path())->MessageText().size();
  } else if (composer == "gmime") {
    size = GmimeCompose(sample).View().size();
  } else {
    return 2;
  }
  std::printf("message_bytes %zu\npeak_bytes %lld\n", size, PeakResidentBytes());
  return 0;
}

void BenchMessages(const AnsiString& attachment, Report& report) {
  TempFolder temp;
  BenchMessage sample;
  sample.attachment = temp / "bench.bin";
  WriteFile(sample.attachment, attachment);

  std::unique_ptr<TZelMime> ours;
  GmimeBytes gmimeMessage;
  const std::vector<double> compose = MedianSecondsEach({
      [&] {
        ours.reset();
        ours = OursCompose(sample, temp.Path());
      },
      [&] { gmimeMessage = GmimeCompose(sample); },
  });
  CheckComposed("Our", ours->MessageText(), sample, attachment, temp / "check-ours");
  CheckComposed("GMime", gmimeMessage.View(), sample, attachment, temp / "check-gmime");

  const PythonRun pythonCompose = PythonCompose(sample, temp / "python.eml", kRuns);
  const std::string pythonMessage = ReadFile(temp / "python.eml");
  CheckComposed("Python", pythonMessage, sample, attachment, temp / "check-python");
  char sizes[160];
  std::snprintf(sizes, sizeof sizes,
                "Message sizes: ours %zu bytes (64-character lines), GMime %zu, Python %zu "
                "(76-character lines).",
                ours->MessageText().size(), gmimeMessage.View().size(), pythonMessage.size());
  report.AddNote(sizes);

  // Every parser reads the message we composed.
  const std::string message = ours->MessageText();
  ours.reset();
  gmimeMessage = GmimeBytes();
  WriteFile(temp / "message.eml", message);

  const fs::path oursFolder = temp / "ours-decoded";
  const fs::path gmimeFolder = temp / "gmime-decoded";
  fs::create_directories(gmimeFolder);
  OursDecoded oursDecoded;
  GmimeDecoded gmimeDecoded;
  const std::vector<double> decode = MedianSecondsEach({
      [&] { oursDecoded = OursDecode(message, temp.Path(), oursFolder); },
      [&] { gmimeDecoded = GmimeDecode(message, gmimeFolder); },
  });
  CheckDecoded("Our Decode", oursDecoded.text, oursDecoded.attachment, sample, attachment);
  CheckDecoded("GMime", gmimeDecoded.text, gmimeDecoded.attachment, sample, attachment);

  const fs::path pythonFolder = temp / "python-decoded";
  fs::create_directories(pythonFolder);
  const PythonRun pythonDecode = PythonDecode(temp / "message.eml", pythonFolder, kRuns);
  CheckDecoded("Python", ReadFile(pythonFolder / "body.txt"),
               pythonFolder / sample.attachment.filename(), sample, attachment);

  const long long oursPeak = ComposePeak("ours", sample, attachment.size());
  const long long gmimePeak = ComposePeak("gmime", sample, attachment.size());
  const long long pythonPeak = PythonCompose(sample, temp / "python-peak.eml", 1).peakBytes;

  report.AddTime("compose, 50 MiB attachment", compose[0], "GMime, CR LF", compose[1], 1);
  report.AddTime("compose, 50 MiB attachment", compose[0], "Python email, policy SMTP",
                 pythonCompose.seconds, 10);
  report.AddTime("SetMessageText + Decode, attachment saved", decode[0], "GMime", decode[1], 2);
  report.AddTime("SetMessageText + Decode, attachment saved", decode[0],
                 "Python email + get_content", pythonDecode.seconds, 10);
  const long long size = static_cast<long long>(attachment.size());
  report.AddMemory("compose, ours (fresh process)", oursPeak, size, 3 * size);
  report.AddMemory("compose, GMime (fresh process)", gmimePeak, size, 0);
  report.AddMemory("compose, Python email (fresh process)", pythonPeak, size, 0);
  report.AddNote("Python's times are taken inside its own process (python3 " ORVANE_MIME_PEER_SCRIPT
                 ").");
}

}  // namespace orvane::bench
