#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mime/ZelMime.h"

namespace {

// One scratch folder for the whole run: decoding may save the texts of
// extra plain parts even without attachment decoding.
const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").native();
    if (!::mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  TZelMime mime(DefaultClock(), ScratchFolder());
  mime.AttachDir = ScratchFolder() / "Attach";
  mime.Option.Exclude(TMimeOption::AttachDecode).Exclude(TMimeOption::ZeroByteFile);
  mime.OnDecodeWarning = [](TZelMime&, const WideString&) {};
  mime.SetMessageText(std::string(reinterpret_cast<const char*>(data), size));
  mime.Decode();
  // Walk every part and every view of it.
  size_t count = PartCount(mime.RootPart());
  for (size_t i = 0; i < count; ++i) {
    TZelMimePart& part = PartAt(mime.RootPart(), i);
    part.GetHeader();
    if (auto* text = dynamic_cast<TZelTextPart*>(&part); text && text->HasText) text->ReadText();
  }
  mime.Attachments();
  mime.BodyText();
  mime.Subject();
  mime.From();
  mime.Date();
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder() / "Attach", ec);
  return 0;
}
