// The MIME library against GMime, Python's email package and glibc iconv,
// each on the same data in the same run; prints medians and ratios.
#include <cstdio>
#include <string_view>

#include "BenchData.h"
#include "GmimePeer.h"
#include "Report.h"
#include "Sections.h"
#include "Support.h"

namespace orvane::bench {
namespace {

constexpr std::size_t kAttachmentBytes = 50u << 20;
constexpr std::size_t kJapaneseUnits = 5'000'000;  // 10 MB as UTF-16

int Run() {
  InitGmime();
  const AnsiString attachment = AttachmentBytes(kAttachmentBytes);
  const WideString japanese = JapaneseText(kJapaneseUnits);
  std::printf("MIME library benchmark: medians of %d runs; attachment %zu MiB of random bytes,\n",
              kRuns, kAttachmentBytes >> 20);
  std::printf(
      "Japanese text %zu characters (%zu bytes as UTF-16). peer/ours above 1: ours is "
      "faster.\n\n",
      japanese.size(), japanese.size() * 2);
  Report report;
  BenchMessages(attachment, report);
  BenchBase64(attachment, report);
  BenchJapanese(japanese, report);
  report.Print();
  return 0;
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--compose-peak")
    return orvane::bench::ComposePeakMain(argv[2], argv[3]);
  return orvane::bench::Run();
}
