#include "app/MailtoUri.h"

#include <algorithm>

#include "mime/PercentEncoding.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace orvane {

namespace {

constexpr std::u16string_view kScheme = u"mailto:";

// The bytes a percent-encoded text stands for (RFC 6068 §2). Characters
// written as they are (an IRI) count as their UTF-8 bytes; a "%" not
// followed by two hex digits stays a "%".
std::string PercentDecode(std::u16string_view text) {
  return PercentDecodeUri(WideToUtf8(text));
}

// UTF-8 as RFC 6068 asks; links made for Japanese mail readers of old
// carry Shift_JIS, and Latin-1 takes any byte at all.
WideString DecodeBytes(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return Utf8ToWide(bytes);
  WideString sjis = SjisToWide(bytes);
  if (WideToSjis(sjis) == bytes) return sjis;
  WideString latin1;
  for (unsigned char byte : bytes) latin1 += static_cast<char16_t>(byte);
  return latin1;
}

bool IsControl(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

WideString BlankControls(WideString text) {
  std::replace_if(text.begin(), text.end(), IsControl, u' ');
  return text;
}

// The body's lines end in CR LF, as the body file's do; other control
// characters but the tab become blanks.
WideString BodyText(const WideString& text) {
  WideString body = WithCrLfLines(text);
  for (char16_t& c : body)
    if (c != u'\r' && c != u'\n' && c != u'\t' && IsControl(c)) c = u' ';
  return body;
}

void AppendList(WideString& list, const WideString& entries) {
  if (Trim(entries).empty()) return;
  if (!list.empty()) list += u", ";
  list += entries;
}

size_t CountEntries(const WideString& list) {
  size_t count = 0;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = std::min(list.find_first_of(u",;", start), list.size());
    if (!Trim(std::u16string_view(list).substr(start, end - start)).empty()) ++count;
    start = end + 1;
  }
  return count;
}

MailtoFields Refused(WideString reason) {
  MailtoFields refused;
  refused.refusal = std::move(reason);
  return refused;
}

}  // namespace

bool IsMailtoUri(std::u16string_view argument) {
  return argument.size() >= kScheme.size() &&
         SameAsciiText(argument.substr(0, kScheme.size()), kScheme);
}

MailtoFields ParseMailtoUri(std::u16string_view uri) {
  if (WideToUtf8(uri).size() > kMaxMailtoBytes)
    return Refused(
        u"mailto: のリンクが長すぎるため (64 KiB を超えています)、読み込みませんでした。");

  MailtoFields fields;
  const std::u16string_view rest = uri.substr(std::min(kScheme.size(), uri.size()));
  const size_t question = rest.find(u'?');
  AppendList(fields.to, BlankControls(DecodeBytes(PercentDecode(rest.substr(0, question)))));

  std::u16string_view query =
      question == std::u16string_view::npos ? std::u16string_view() : rest.substr(question + 1);
  while (!query.empty()) {
    const size_t amp = query.find(u'&');
    const std::u16string_view field = query.substr(0, amp);
    query = amp == std::u16string_view::npos ? std::u16string_view() : query.substr(amp + 1);
    const size_t equals = field.find(u'=');
    const WideString key =
        ToAsciiLower(BlankControls(DecodeBytes(PercentDecode(field.substr(0, equals)))));
    if (Trim(key).empty()) continue;
    const WideString value = DecodeBytes(PercentDecode(
        equals == std::u16string_view::npos ? std::u16string_view() : field.substr(equals + 1)));
    if (key == u"to") {
      AppendList(fields.to, BlankControls(value));
    } else if (key == u"cc") {
      AppendList(fields.cc, BlankControls(value));
    } else if (key == u"bcc") {
      AppendList(fields.bcc, BlankControls(value));
    } else if (key == u"subject") {
      if (fields.subject.empty()) fields.subject = BlankControls(value);
    } else if (key == u"body") {
      if (fields.body.empty()) fields.body = BodyText(value);
    } else if (key == u"in-reply-to") {
      if (fields.inReplyTo.empty()) fields.inReplyTo = BlankControls(value);
    } else if (key == u"references") {
      if (fields.references.empty()) fields.references = BlankControls(value);
    } else if (std::find(fields.ignoredKeys.begin(), fields.ignoredKeys.end(), key) ==
               fields.ignoredKeys.end()) {
      fields.ignoredKeys.push_back(key);
    }
  }

  if (CountEntries(fields.to) + CountEntries(fields.cc) + CountEntries(fields.bcc) >
      kMaxMailtoAddresses)
    return Refused(
        u"mailto: のリンクの宛先が多すぎるため (1000 件を超えています)、読み込みませんでした。");
  return fields;
}

WideString IgnoredKeysNotice(const MailtoFields& link) {
  WideString joined;
  for (const WideString& key : link.ignoredKeys) joined += (joined.empty() ? u"" : u", ") + key;
  return joined.empty() ? joined : u"mailto: の項目を無視しました: " + joined;
}

}  // namespace orvane
