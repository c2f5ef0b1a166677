#pragma once

#include <filesystem>
#include <set>
#include <string_view>

#include "mime/AttachStore.h"
#include "mime/PartHeader.h"
#include "mime/ZelMime.h"

namespace orvane {

// One run of TZelMime::Decode: builds the part tree from RawBody and saves
// attachments into the attachment folder.
class TMimeDecoder {
 public:
  explicit TMimeDecoder(TZelMime& mime) : mime_(mime) {}

  TMimeCharSet Run();

  // Multiparts nested deeper than this are kept as empty multiparts: a
  // hostile message cannot make decoding recurse without end.
  static constexpr int kMaxMultipartNesting = 64;

 private:
  void DecodeMainFields();
  void ComputeAttachFolder();
  void DecodeEntity(std::string_view header, std::string_view lower, std::string_view body,
                    TZelMultiPart* parent, int nesting);
  void DecodeMultipartBody(TZelMultiPart& multi, std::string_view body, int nesting);
  void Insert(std::unique_ptr<TZelMimePart> part, TZelMultiPart* parent, std::string_view header,
              std::string_view lower);
  void DecodePlainText(TZelTextPart& part, std::string_view lower, std::string_view body,
                       const TPartType& kind);

  std::filesystem::path SaveAttachment(TContentType type, const AnsiString& subType,
                                       std::string_view body, std::string_view header,
                                       std::string_view lower);
  // The file name an attachment is saved under, before the handler sees it.
  WideString AttachmentName(TContentType type, const AnsiString& subType, std::string_view body,
                            std::string_view header, std::string_view lower, WideString& extension,
                            WideString& defaultName);
  WideString UsableName(const WideString& name, const WideString& extension,
                        const WideString& defaultName);
  bool WriteDecoded(TAttachSink& sink, std::string_view body, const AnsiString& encoding);
  void RegisterContentId(std::string_view header, std::string_view lower,
                         const std::filesystem::path& path);
  bool EnsureFolder();
  // Saves bytes as a file of that name in the folder; the path, or empty
  // when it could not be saved.
  std::filesystem::path SaveFile(const std::filesystem::path& name, std::string_view bytes);
  std::filesystem::path SavePlainText(const TZelTextPart& part);

  struct TUuBlock {
    bool found = false;
    std::filesystem::path file;  // empty when it was not saved
    size_t restOffset = 0;       // where the text after the block begins
  };
  // The first uuencoded block of the text (read as if a line break stood
  // before it), saved when the options allow.
  TUuBlock ScanUuencoded(TContentType type, const AnsiString& subType, std::string_view text);

  void ReplaceContentIds();

  TZelMime& mime_;
  TAttachTarget target_;
  WideString subfolderName_;
  WideString subject_;
  bool mainTextSeen_ = false;
  int nextPlainNumber_ = 1;
  std::set<std::filesystem::path> written_;
};

}  // namespace orvane
