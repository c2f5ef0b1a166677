#include "mime/HeaderDecoding.h"

#include <algorithm>

#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelMimeAnalyser.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

WideString DecodeWord(const TAnalyserToken& word, TMimeCharSet& charset) {
  AnsiString encoded = WideToSjis(word.EncodedText);
  AnsiString bytes;
  if (word.Encoding == u'B' || word.Encoding == u'b') {
    bytes = Base64Decode(encoded);
  } else {
    std::replace(encoded.begin(), encoded.end(), '_', ' ');
    bytes = QuotedPrintableDecode(encoded);
  }
  // RFC 2231 section 5 lets a language follow the charset after "*".
  const std::u16string_view name = word.CharSet.substr(0, word.CharSet.find(u'*'));
  return CharSetToUnicode(WideToSjis(name), bytes, WideToSjis(word.Text), &charset);
}

}  // namespace

TDecodedHeader DecodeHeaderText(std::string_view raw) {
  TDecodedHeader result;
  if (DecodeEscapedText(raw, result.Text, result.CharSet)) return result;
  return DecodeEncodedWords(raw);
}

TDecodedHeader DecodeEncodedWords(std::string_view raw) {
  TDecodedHeader result;
  enum { kNone, kEncodedWord, kDroppedSpace, kWide, kOther } last = kNone;
  TZelMimeAnalyser analyser{SjisToWide(raw)};
  for (TAnalyserToken token; analyser.Next(token);) {
    if (token.Kind == akEncodedWord) {
      result.Text += DecodeWord(token, result.CharSet);
      last = kEncodedWord;
      continue;
    }
    if (token.Kind == akSpace && last == kEncodedWord) {
      last = kDroppedSpace;
      continue;
    }
    std::u16string_view text = token.Text;
    if (token.Kind == akWide && !text.empty() && text.back() == u' ') text.remove_suffix(1);
    if (last == kDroppedSpace || last == kWide) result.Text += u' ';
    result.Text += text;
    last = token.Kind == akWide ? kWide : kOther;
  }
  return result;
}

bool ContainsEncodedWord(std::string_view raw) {
  TZelMimeAnalyser analyser{SjisToWide(raw)};
  for (TAnalyserToken token; analyser.Next(token);)
    if (token.Kind == akEncodedWord) return true;
  return false;
}

}  // namespace orvane
