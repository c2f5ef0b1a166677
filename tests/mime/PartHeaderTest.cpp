#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mime/ByteText.h"
#include "mime/LineDecoder.h"
#include "mime/PartHeader.h"
#include "mime/ZelCorder.h"

namespace orvane {
namespace {

TEST(ClassifyContentType, ReadsTheTypeWordSubtypeAndCharset) {
  const struct {
    const char* header;
    TContentType type;
    const char* subType;
    const char* charset;
  } cases[] = {
      {"\r\nSubject: x\r\n", ctText, "plain", ""},
      {"\r\nContent-Type: text/plain; charset=\"ISO-2022-JP\"\r\n", ctText, "plain", "iso-2022-jp"},
      {"\r\nContent-Type:text/html;charset=utf-8; format=flowed\r\n", ctText, "html", "utf-8"},
      {"\r\nContent-Type:  image/jpeg\r\n", ctImage, "jpeg", ""},  // the word starts at 2
      {"\r\nContent-Type:   image/jpeg\r\n", ctText, "", ""},      // too far from the colon
      {"\r\ncontent-type: Multipart/Mixed; boundary=\"b\"\r\n", ctMultipart, "mixed", ""},
      {"\r\nContent-Type: message/rfc822\r\n", ctMessage, "rfc822", ""},
      {"\r\nContent-Type: application/pdf ; name=a.pdf\r\n", ctApplication, "pdf", ""},
      {"\r\nContent-Type: audio/basic\r\n", ctAudio, "basic", ""},
      {"\r\nContent-Type: video/mpeg\r\n", ctVideo, "mpeg", ""},
      {"\r\nContent-Type: foo/bar\r\n", ctText, "", ""},
      {"\r\nContent-Type: text/plain\r\nX-Charset: charset=big5\r\n", ctText, "plain", ""},
      {"\r\nContent-Type: text\r\n", ctText, "", ""},
      {"\r\nContent-Type:\"", ctText, "", ""},  // a value shorter than the window
      {"\r\nContent-Type:", ctText, "", ""},
  };
  for (const auto& c : cases) {
    TPartType kind = ClassifyContentType(ToAsciiLower(c.header));
    EXPECT_EQ(kind.type, c.type) << c.header;
    EXPECT_EQ(kind.subType, c.subType) << c.header;
    EXPECT_EQ(kind.charset, c.charset) << c.header;
  }
}

TEST(MultipartBoundary, IsTakenInItsOwnCase) {
  const struct {
    const char* header;
    const char* boundary;
  } cases[] = {
      {"\r\nContent-Type: multipart/mixed; boundary=\"AbC=_x\"\r\n", "AbC=_x"},
      {"\r\nContent-Type: multipart/mixed; BOUNDARY=  AbC ; x=y\r\n", "AbC"},
      {"\r\nContent-Type: multipart/alternative;\r\n\tboundary=\"Q\"\r\n", "Q"},
      {"\r\nContent-Type: multipart/mixed; boundary=\"open\r\n", "open"},
      {"\r\nContent-Type: multipart/mixed\r\nX-Boundary: boundary=no\r\n", ""},
      {"\r\nContent-Type: text/plain; boundary=x\r\n", ""},
  };
  for (const auto& c : cases) {
    std::string header = c.header;
    EXPECT_EQ(MultipartBoundary(header, ToAsciiLower(header)), c.boundary) << c.header;
  }
}

TEST(PartialParameters, ReadNumbersAndTheQuotedId) {
  std::string header =
      "\r\nContent-Type: message/partial; number=2; total=x;\r\n id=\"Id@Host\"\r\n";
  TPartialParameters p = PartialParameters(header, ToAsciiLower(header));
  EXPECT_EQ(p.number, 2);
  EXPECT_EQ(p.total, 0);
  EXPECT_EQ(p.id, "Id@Host");
}

TEST(ContentIdOf, DropsTheAngleBrackets) {
  const struct {
    const char* header;
    const char* id;
  } cases[] = {
      {"\r\nContent-ID: <img1@x>\r\n", "img1@x"},
      {"\r\nContent-Id:   plain\r\n", "plain"},
      {"\r\nContent-ID: >odd<\r\n", ">odd<"},
      {"\r\nX: y\r\n", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ContentIdOf(c.header, ToAsciiLower(c.header)), c.id) << c.header;
}

TEST(SplitBodyPart, FindsTheHeaderOrItsAbsence) {
  TEntity usual = SplitBodyPart("  \r\nContent-Type: text/plain\r\n\r\nbody\r\n");
  EXPECT_EQ(usual.header, "\r\nContent-Type: text/plain\r\n");
  EXPECT_EQ(usual.body, "body\r\n");
  TEntity headerless = SplitBodyPart("\r\n\r\nbody text");
  EXPECT_EQ(headerless.header, "");
  EXPECT_EQ(headerless.body, "body text");
  // Header lines alone, as another mailer writes an empty attachment.
  TEntity noEmptyLine = SplitBodyPart("\r\nContent-Type: image/png; name=e.png\r\n");
  EXPECT_EQ(noEmptyLine.header, "\r\nContent-Type: image/png; name=e.png\r\n");
  EXPECT_EQ(noEmptyLine.body, "");
}

TEST(DecodeBase64Lines, DecodesEachLineByItself) {
  const struct {
    std::string text, bytes;
  } cases[] = {
      {"YWJj\r\nZA==", "abcd"},
      {"YQ==\r\nYg==\r\n", "ab"},  // padding may end any line
      {"YWI\r\nYw", "abc"},        // a short line is not joined to the next
      {"YW Jj\r\nZGVm\r\n", "abcdef"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TransferDecoded(c.text, "base64"), c.bytes) << c.text;
  std::string many;
  std::string expected;
  for (int i = 0; i < 100000; ++i) {
    many += i % 1000 == 999 ? "YQ==\r\n" : "YWJj\r\n";
    expected += i % 1000 == 999 ? "a" : "abc";
  }
  size_t pieces = 0;
  std::string got;
  EXPECT_TRUE(DecodeBase64Lines(many, [&](std::string_view bytes) {
    ++pieces;
    got += bytes;
    return true;
  }));
  EXPECT_EQ(got, expected);
  EXPECT_EQ(pieces, 1u);
  EXPECT_FALSE(DecodeBase64Lines(many, [](std::string_view) { return false; }));
}

// The lines taken apart as TZelCorder keeps them and decoded one by one:
// what DecodeBase64Lines does in one pass over the text.
TEST(DecodeBase64Lines, GivesWhatDecodingLineByLineGives) {
  std::mt19937 gen(7);
  std::vector<std::string> texts = {
      // Longer than a piece, with a line that is not whole groups.
      std::string(3 << 20, 'A') + "\r\n*" + std::string(2 << 20, 'B') + "\r\nQQ",
  };
  for (int round = 0; round < 300; ++round) {
    std::string text(gen() % 400, '\0');
    for (char& c : text) c = "QUJDRA\r\n=*"[gen() % 10];
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    TZelCorder corder;
    std::string lineByLine;
    corder.Lines.SetText(std::string_view(text));
    corder.Stream = &lineByLine;
    corder.Decode();
    std::string decoded;
    DecodeBase64Lines(text, [&](std::string_view bytes) {
      decoded += bytes;
      return true;
    });
    EXPECT_EQ(decoded, lineByLine);
  }
}

TEST(TransferDecoded, LeavesOtherEncodingsAlone) {
  EXPECT_EQ(TransferDecoded("a=3Db=\r\nc", "quoted-printable"), "a=bc");
  EXPECT_EQ(TransferDecoded("a=3Db", "8bit"), "a=3Db");
  EXPECT_EQ(TransferDecoded("YWJj", "x-uuencode"), "YWJj");
}

}  // namespace
}  // namespace orvane
