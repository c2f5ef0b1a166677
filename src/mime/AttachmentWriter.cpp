#include <vector>

#include "mime/ByteText.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelMime.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"

namespace orvane {
namespace {

// Whole base64 lines of 48 bytes: a chunk of this size encodes into lines
// exactly as the file read at once would.
constexpr size_t kChunkBytes = 48 * 16384;

// Fills the buffer as far as the file goes; fewer bytes only at its end.
size_t ReadChunk(InputFile& in, std::vector<char>& buffer) {
  size_t filled = 0;
  while (filled < buffer.size()) {
    size_t n = in.Read(buffer.data() + filled, buffer.size() - filled);
    if (n == 0) break;
    filled += n;
  }
  return filled;
}

AnsiString WithoutLineBreaks(AnsiString text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

}  // namespace

AnsiString TZelMime::ContentTypeFor(const std::filesystem::path& file) {
  AnsiString ext = LowerExtension(file);
  AnsiString type = ExtensionContentType(ext);
  const bool isDefault = type != kOctetStream;
  AnsiString handed = type;
  DoContentTypeCreate(ext, isDefault, handed);
  // A handler's type goes into a header line of its own making: it may not
  // break that line.
  handed = WithoutLineBreaks(std::move(handed));
  if (!isDefault && !handed.empty() && !SameAsciiText(handed, type)) type = std::move(handed);
  return type;
}

bool TZelMime::WriteAttachment(const std::filesystem::path& file, AnsiString& out) {
  if (!FileExists(file)) return false;
  InputFile in(file);
  std::vector<char> buffer(kChunkBytes);
  if (LowerExtension(file) == ".eml") {
    out += "\r\nContent-Type: ";
    out += ContentTypeFor(file);
    out += "\r\n\r\n";
    while (size_t n = ReadChunk(in, buffer)) out.append(buffer.data(), n);
    return true;
  }
  TAttachmentNameParams name = EncodeAttachmentName(file, AttachNameEncode);
  out += "\r\nContent-Type: ";
  out += ContentTypeFor(file);
  out += ";\r\n";
  out += name.Name;
  out += "\r\nContent-Disposition: attachment;\r\n";
  out += name.FileName;
  out += "\r\nContent-Transfer-Encoding: Base64\r\n\r\n";
  size_t n = ReadChunk(in, buffer);
  AppendBase64Lines(std::string_view(buffer.data(), n), out);
  while ((n = ReadChunk(in, buffer)) > 0)
    AppendBase64Lines(std::string_view(buffer.data(), n), out);
  return true;
}

}  // namespace orvane
