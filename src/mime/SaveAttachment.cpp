#include "mime/ByteText.h"
#include "mime/Decode.h"
#include "mime/FileNames.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderFolding.h"
#include "mime/LineDecoder.h"
#include "mime/QuotedPrintable.h"
#include "mime/Rfc2231.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr char16_t kFolderFailed[] = u"添付ファイルの保存先ディレクトリが作成できません。";

// The Subject of an enclosed message, from the header before its first
// empty line.
WideString EnclosedSubject(std::string_view message) {
  size_t end = message.find("\r\n\r\n");
  AnsiString header = "\r\n";
  header += message.substr(0, end == std::string_view::npos ? message.size() : end + 2);
  AnsiString lower = ToAsciiLower(header);
  TFieldRange field = FindField(lower, "\r\nsubject:");
  if (!field.found) return {};
  return DecodeEncodedWords(Unfold(Trim(header.substr(field.begin, field.end - field.begin)))).Text;
}

WideString WithoutControlCharacters(WideString name) {
  std::erase_if(name, [](char16_t c) { return c < 0x1E; });
  return name;
}

}  // namespace

WideString TMimeDecoder::AttachmentName(TContentType type, const AnsiString& subType,
                                        std::string_view body, std::string_view header,
                                        std::string_view lower, WideString& extension,
                                        WideString& defaultName) {
  if (type == ctMessage) {
    extension = u".eml";
    defaultName = EnclosedSubject(body);
  } else {
    extension = u"." + Utf8ToWide(subType);
    defaultName = subject_;
  }
  if (extension.size() == 6 && SameAsciiText(WideToUtf8(extension), ".plain")) extension = u".txt";

  WideString name = DecodeParameterText(lower, header, "\r\ncontent-disposition:", "filename");
  if (name.empty()) name = DecodeParameterText(lower, header, "\r\ncontent-type:", "name");
  if (name.empty())
    name = DefaultAttachName(target_.Folder(), extension, defaultName, subfolderName_);
  size_t firstQuote = name.find(u'"'), lastQuote = name.rfind(u'"');
  if (firstQuote != WideString::npos && lastQuote != firstQuote)
    name = name.substr(firstQuote + 1, lastQuote - firstQuote - 1);
  size_t dot = name.rfind(u'.');
  WideString ownExtension = dot == WideString::npos ? u"" : name.substr(dot);
  if (ownExtension.size() < 2 || !IsAsciiText(ownExtension)) name += extension;
  return WithoutControlCharacters(std::move(name));
}

WideString TMimeDecoder::UsableName(const WideString& name, const WideString& extension,
                                    const WideString& defaultName) {
  WideString usable = SanitizeFileName(name);
  if (!IsUsableFileName(usable)) {
    usable = SanitizeFileName(
        DefaultAttachName(target_.Folder(), extension, defaultName, subfolderName_));
    if (!IsUsableFileName(usable)) usable = u"Attach" + SanitizeFileName(extension);
  }
  return FitFileNameLength(std::move(usable));
}

bool TMimeDecoder::EnsureFolder() {
  if (mime_.AttachStore->CreateFolder(target_)) return true;
  mime_.DoDecodeWarning(kFolderFailed);
  return false;
}

bool TMimeDecoder::WriteDecoded(TAttachSink& sink, std::string_view body,
                                const AnsiString& encoding) {
  if (encoding == "base64")
    return DecodeBase64Lines(body, [&](std::string_view bytes) { return sink.Write(bytes); });
  if (encoding == "quoted-printable") return sink.Write(QuotedPrintableDecode(body));
  return sink.Write(body);
}

std::filesystem::path TMimeDecoder::SaveFile(const std::filesystem::path& name,
                                             std::string_view bytes) {
  std::unique_ptr<TAttachSink> sink = mime_.AttachStore->Create(target_, name);
  if (!sink) return {};
  bool ok = sink->Write(bytes);
  if (!sink->Close() || !ok) return {};
  std::filesystem::path path = target_.Folder() / name;
  written_.insert(path);
  return path;
}

void TMimeDecoder::RegisterContentId(std::string_view header, std::string_view lower,
                                     const std::filesystem::path& path) {
  if (!FindField(lower, "\r\ncontent-id:").found) return;
  mime_.contentIds_.push_back(ContentIdOf(header, lower));
  mime_.savedFiles_.push_back(path);
}

std::filesystem::path TMimeDecoder::SaveAttachment(TContentType type, const AnsiString& subType,
                                                   std::string_view body, std::string_view header,
                                                   std::string_view lower) {
  WideString extension, defaultName;
  WideString name = AttachmentName(type, subType, body, header, lower, extension, defaultName);
  const AnsiString encoding = TransferEncodingOf(lower);
  if (encoding == "x-uuencode") {
    TUuBlock block = ScanUuencoded(type, subType, body);
    std::filesystem::path path =
        block.file.empty() ? target_.Folder() / WideToPath(UsableName(name, extension, defaultName))
                           : block.file;
    RegisterContentId(header, lower, path);
    return path;
  }

  name = UsableName(name, extension, defaultName);
  bool canSave = true;
  mime_.DoAttachDecoding(type, subType, name, canSave);
  // Whatever the handler made of the name, it stays one file in the folder.
  name = UsableName(name, extension, defaultName);
  const bool decode = mime_.Option.Has(TMimeOption::AttachDecode);
  if (!canSave || (!decode && !mime_.Option.Has(TMimeOption::ZeroByteFile)))
    return WideToPath(name);
  if (!EnsureFolder()) return {};

  const std::filesystem::path fileName = WideToPath(name);
  std::unique_ptr<TAttachSink> sink = mime_.AttachStore->Create(target_, fileName);
  if (!sink) return {};
  bool ok = !decode || WriteDecoded(*sink, body, encoding);
  ok = sink->Close() && ok;
  if (!ok) return {};
  std::filesystem::path path = target_.Folder() / fileName;
  written_.insert(path);
  RegisterContentId(header, lower, path);
  return path;
}

std::filesystem::path TMimeDecoder::SavePlainText(const TZelTextPart& part) {
  if (!EnsureFolder()) return {};
  std::filesystem::path fileName;
  for (;; ++nextPlainNumber_) {
    fileName = "Plain" + std::to_string(nextPlainNumber_) + ".txt";
    if (!mime_.AttachStore->NameTaken(target_, fileName)) break;
  }
  ++nextPlainNumber_;
  AnsiString bytes;
  if (part.CharSet > mcsEUC_JP) {
    bytes.reserve(2 + part.Text.size() * 2);
    bytes += "\xFF\xFE";
    for (char16_t c : part.Text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
  } else {
    bytes = WideToSjis(part.Text);
  }
  return SaveFile(fileName, bytes);
}

}  // namespace orvane
