#include <cstring>
#include <memory>
#include <string>

#include "GmimePeer.h"
#include "Sections.h"
#include "Support.h"
#include "mime/Base64Engine.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelCorder.h"

namespace orvane::bench {
namespace {

// Every line of text is 64 characters but the last, and each ends in CR LF.
bool HasCorderLines(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string_view::npos) return false;
    if (end - at != 64 && end + 2 != text.size()) return false;
    at = end + 2;
  }
  return true;
}

// Every contender writes into fresh storage in every run, as composing and
// decoding a message do, so page faults count alike for all. Assigning an
// empty string would keep the old storage; swapping releases it.
void Release(AnsiString& text) {
  AnsiString().swap(text);
}

}  // namespace

void BenchBase64(const AnsiString& attachment, Report& report) {
  AnsiString stream = attachment;
  TZelCorder corder;
  corder.Mode = 0;
  corder.Stream = &stream;
  corder.Encode();
  const AnsiString lines = corder.Lines.Text();
  Require(HasCorderLines(lines), "our base64 lines are not 64 characters with CR LF");

  AnsiString appended;
  std::unique_ptr<char[]> gmimeText;
  std::size_t gmimeSize = 0;
  std::unique_ptr<char[]> copy;
  const std::vector<double> encode = MedianSecondsEach({
      [&] { corder.Encode(); },
      [&] {
        Release(appended);
        AppendBase64Lines(attachment, appended);
      },
      [&] {
        gmimeText =
            std::make_unique_for_overwrite<char[]>(GmimeBase64EncodeCapacity(attachment.size()));
        gmimeSize = GmimeBase64Encode(attachment, gmimeText.get());
      },
      [&] {
        copy = std::make_unique_for_overwrite<char[]>(lines.size());
        std::memcpy(copy.get(), lines.data(), lines.size());
      },
  });
  Require(corder.Lines.Text() == lines, "TZelCorder::Encode differs between runs");
  Require(appended == lines, "AppendBase64Lines differs from TZelCorder::Encode");
  // Each coder must read the other's text back to the attachment.
  Require(Base64Decode(std::string_view(gmimeText.get(), gmimeSize)) == attachment,
          "GMime's base64 does not decode to the input");

  AnsiString decoded;
  AnsiString lineDecoded;
  std::unique_ptr<char[]> gmimeBytes;
  std::size_t gmimeDecoded = 0;
  const std::vector<double> decode = MedianSecondsEach({
      [&] { decoded = Base64Decode(lines); },
      [&] {
        corder.Stream = &lineDecoded;
        Release(lineDecoded);
        corder.Decode();
      },
      [&] {
        gmimeBytes = std::make_unique_for_overwrite<char[]>(lines.size() / 4 * 3 + 3);
        gmimeDecoded = GmimeBase64Decode(lines, gmimeBytes.get());
      },
      [&] {
        copy = std::make_unique_for_overwrite<char[]>(lines.size());
        std::memcpy(copy.get(), lines.data(), lines.size());
      },
  });
  Require(decoded == attachment, "Base64Decode does not give back the attachment");
  Require(lineDecoded == attachment, "TZelCorder::Decode does not give back the attachment");
  Require(std::string_view(gmimeBytes.get(), gmimeDecoded) == attachment,
          "GMime does not decode our base64 lines to the attachment");

  const char* gmimeEncoder = "GMime encode_close (76/LF)";
  const char* memcpyOfText = "memcpy of the text's size";
  report.AddTime("base64 encode (TZelCorder, 64/CRLF)", encode[0], gmimeEncoder, encode[2], 1.5);
  report.AddTimeWithin("base64 encode (TZelCorder, 64/CRLF)", encode[0], memcpyOfText, encode[3],
                       1.3);
  report.AddTime("base64 encode (AppendBase64Lines)", encode[1], gmimeEncoder, encode[2], 1.5);
  report.AddTimeWithin("base64 encode (AppendBase64Lines)", encode[1], memcpyOfText, encode[3],
                       1.3);
  report.AddTime("base64 decode (Base64Decode)", decode[0], "GMime decode_step", decode[2], 1);
  report.AddTime("base64 decode (Base64Decode)", decode[0], memcpyOfText, decode[3]);
  report.AddTime("base64 decode (TZelCorder, per line)", decode[1], "GMime decode_step", decode[2],
                 1);
  report.AddNote(std::string("Base64 runs on the ") + FastestBase64().name +
                 " engine of this processor.");
}

}  // namespace orvane::bench
