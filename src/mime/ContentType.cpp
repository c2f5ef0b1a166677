#include "mime/ContentType.h"

#include <array>

#include "platform/AsciiText.h"

namespace orvane {
namespace {

// Each entry of the table is 15 characters wide; the entry that holds the
// first occurrence of an extension gives its type.
constexpr size_t kEntryWidth = 15;
constexpr std::string_view kExtensionTable =
    ".txt           .htm .html     .vcf           .eps .ps  .ai  .rtf           "
    ".au  .snd      .mid .midi     .wav           .aiff.aif      .ra  .ram      "
    ".mp3           .bmp           .jpg .jpeg.jpe .png           .gif           "
    ".tif .tiff.jfx .eml           .mpg .mpeg.mpe .qt  .mov      .avi           "
    ".asf           .xls           .doc           .ppt           .zip           ";

constexpr std::array<std::string_view, 25> kTypes = {
    "text/plain",
    "text/html",
    "text/x-vcard",
    "application/postscript",
    "application/rtf",
    "audio/basic",
    "audio/mid",
    "audio/x-wav",
    "audio/x-aiff",
    "audio/x-pn-realaudio",
    "audio/mpeg",
    "image/bmp",
    "image/jpeg",
    "image/png",
    "image/gif",
    "image/tiff",
    "message/rfc822",
    "video/mpeg",
    "video/quicktime",
    "video/x-msvideo",
    "video/x-ms-asf",
    "application/x-msexcel",
    "application/msword",
    "application/x-mspowerpoint",
    "application/x-zip-compressed",
};
static_assert(kExtensionTable.size() == kTypes.size() * kEntryWidth);

}  // namespace

AnsiString ExtensionContentType(std::string_view extension) {
  if (extension.empty()) return AnsiString(kOctetStream);
  AnsiString lower(extension);
  for (char& c : lower) c = AsciiLower(c);
  size_t pos = kExtensionTable.find(lower);
  if (pos == std::string_view::npos) return AnsiString(kOctetStream);
  return AnsiString(kTypes[pos / kEntryWidth]);
}

AnsiString LowerExtension(const std::filesystem::path& fileName) {
  AnsiString ext = fileName.extension().native();
  for (char& c : ext) c = AsciiLower(c);
  return ext;
}

}  // namespace orvane
