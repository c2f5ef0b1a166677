#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mime/ZelMime.h"
#include "platform/Error.h"

namespace {

// One scratch folder for the whole run, emptied after every input.
const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").native();
    if (!::mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

// Runs a step that reads the files the decoded parts name. A part may name
// a file its message announced but never held (an x-uuencode part without a
// complete block); that is a file error for the caller to show, any other
// exception is a fault.
template <typename F>
void ReadingFiles(F step) {
  try {
    step();
  } catch (const orvane::FileError&) {
  }
}

// Reads every view of a part, as the program's callers do.
void ReadPart(orvane::TZelMimePart& part) {
  using namespace orvane;
  part.GetHeader();
  if (auto* text = dynamic_cast<TZelTextPart*>(&part)) ReadingFiles([&] { text->ReadText(); });
  if (auto* html = dynamic_cast<TZelHtmlPart*>(&part)) ReadingFiles([&] { html->ReadSource(); });
  if (auto* partial = dynamic_cast<TZelPartialPart*>(&part)) partial->ReadContent();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  {
    TZelMime mime(DefaultClock(), ScratchFolder());
    mime.AttachDir = ScratchFolder() / "Attach";
    mime.OnDecodeWarning = [](TZelMime&, const WideString&) {};
    mime.SetMessageText(std::string(reinterpret_cast<const char*>(data), size));
    mime.Subject();
    mime.From();
    mime.Date();
    mime.Decode();
    FindPart(mime.RootPart(), [](TZelMimePart& part) {
      ReadPart(part);
      return false;
    });
    mime.Attachments();
    mime.BodyText();
    // The decoded tree written again, saved files included.
    ReadingFiles([&] { mime.Compose(); });
  }
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder() / "Attach", ec);
  return 0;
}
