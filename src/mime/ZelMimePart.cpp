#include "mime/ZelMimePart.h"

#include <cstdio>

#include "mime/ContentType.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "platform/TextFile.h"

namespace orvane {

AnsiString TZelMimePart::GetHeader() const {
  return HeaderText;
}

AnsiString TZelMessagePart::GetHeader() const {
  if (!HeaderText.empty()) return HeaderText;
  if (FileName.empty()) return {};
  return "Content-Type: " + ExtensionContentType(FileName.extension().native());
}

void TZelMessagePart::SetFileName(const std::filesystem::path& name) {
  FileName = name;
  Inline = false;
}

AnsiString TZelTextPart::GetHeader() const {
  if (!HeaderText.empty()) return HeaderText;
  TCharSetInfo info = CharSetInfo(CharSet);
  return "Content-Type: text/plain; charset=" + info.name +
         "\r\nContent-Transfer-Encoding: " + info.bodyEncoding;
}

void TZelTextPart::SetFileName(const std::filesystem::path& name) {
  TZelMessagePart::SetFileName(name);
  HasText = false;
  Text.clear();
}

void TZelTextPart::SetText(WideString text) {
  HasText = true;
  Text = std::move(text);
  FileName.clear();
}

WideString TZelTextPart::ReadText() const {
  if (HasText) return Text;
  if (FileName.empty()) return {};
  return ReadUserTextFile(FileName);
}

AnsiString TZelHtmlPart::GetHeader() const {
  if (!HeaderText.empty()) return HeaderText;
  return "Content-Type: text/html";
}

void TZelHtmlPart::SetFileName(const std::filesystem::path& name) {
  TZelMessagePart::SetFileName(name);
  Html.clear();
}

AnsiString TZelHtmlPart::ReadSource() const {
  if (!FileName.empty() && FileExists(FileName)) {
    AnsiString source = ReadWholeFile(FileName);
    if (!source.empty()) return source;
  }
  return Html;
}

TZelPartialPart::TZelPartialPart(int number, int total, AnsiString id) {
  SetPartial(number, total, std::move(id));
}

AnsiString TZelPartialPart::GetHeader() const {
  if (!HeaderText.empty()) return HeaderText;
  return "Content-Type: message/partial\r\nContent-Transfer-Encoding: 7bit";
}

void TZelPartialPart::SetFileName(const std::filesystem::path& name) {
  TZelMessagePart::SetFileName(name);
  Data.clear();
}

void TZelPartialPart::SetPartial(int number, int total, AnsiString id) {
  Number = number;
  Total = total;
  Id = std::move(id);
  char first[80];
  std::snprintf(first, sizeof first, "Content-Type: message/partial; number=%d; total=%d;", number,
                total);
  HeaderText = first + AnsiString("\r\n id=\"") + Id + "\"\r\nContent-Transfer-Encoding: 7bit";
}

AnsiString TZelPartialPart::ReadContent() const {
  if (!FileName.empty() && FileExists(FileName)) return ReadWholeFile(FileName);
  return Data;
}

TZelMimePart* TZelMimePartList::Add(std::unique_ptr<TZelMimePart> part) {
  if (!part) return nullptr;
  part->parent_ = &owner_;
  part->ParentBoundary = owner_.Boundary;
  parts_.push_back(std::move(part));
  return parts_.back().get();
}

bool TZelMimePartList::Remove(const TZelMimePart* part) {
  for (auto it = parts_.begin(); it != parts_.end(); ++it) {
    if (it->get() == part) {
      parts_.erase(it);
      return true;
    }
  }
  return false;
}

TZelMultiPart::TZelMultiPart(const Clock& clock) : Boundary(NewBoundary(clock)) {
  SubType = "Mixed";
}

TZelMultiPart::TZelMultiPart(AnsiString boundary, AnsiString subType)
    : Boundary(std::move(boundary)) {
  SubType = std::move(subType);
}

AnsiString TZelMultiPart::GetHeader() const {
  if (!HeaderText.empty()) return HeaderText;
  AnsiString header = "Content-Type: Multipart/" + SubType + ";";
  if (!Params.empty()) header += Params + ";";
  return header + " boundary=\"" + Boundary + "\"\r\nContent-Transfer-Encoding: 7bit";
}

AnsiString RandomLetters() {
  AnsiString letters(6, 'A');
  for (char& c : letters) c = static_cast<char>('A' + RandomBelow(25));
  return letters;
}

AnsiString CompactDateTime(TimePoint moment) {
  LocalDateTime t = ToLocalDateTime(moment);
  char text[80];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

AnsiString NewBoundary(const Clock& clock) {
  return "ZelMime_" + RandomLetters() + "_" + CompactDateTime(clock.Now());
}

}  // namespace orvane
