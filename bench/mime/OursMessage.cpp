#include "OursMessage.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"

namespace orvane::bench {

std::unique_ptr<TZelMime> OursCompose(const BenchMessage& message,
                                      const std::filesystem::path& programFolder) {
  auto mime = std::make_unique<TZelMime>(DefaultClock(), programFolder);
  mime->SetFrom(Utf8ToWide(message.fromName + " <" + message.fromAddress + ">"));
  mime->SetTo(Utf8ToWide(message.toName + " <" + message.toAddress + ">"));
  mime->SetSubject(Utf8ToWide(message.subject));
  mime->SetBodyText(Utf8ToWide(message.body));
  mime->Attachments().Add(message.attachment);
  mime->Compose();
  return mime;
}

OursDecoded OursDecode(std::string_view message, const std::filesystem::path& programFolder,
                       const std::filesystem::path& attachDir) {
  TZelMime mime(DefaultClock(), programFolder);
  mime.AttachDir = attachDir;
  mime.SetMessageText(AnsiString(message));
  mime.Decode();
  OursDecoded decoded{WideToUtf8(mime.BodyText()), {}};
  const TAttachList& attachments = mime.Attachments();
  if (!attachments.Empty()) decoded.attachment = attachments[0];
  return decoded;
}

}  // namespace orvane::bench
