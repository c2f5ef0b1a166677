#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "PythonReference.h"
#include "mime/AttachmentName.h"
#include "mime/Rfc2231.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

const std::string kDisposition = "\r\ncontent-disposition:";
const std::string kContentType = "\r\ncontent-type:";

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string Parameter(const std::string& header, const std::string& key, const std::string& name) {
  return DecodeParameter(Lower(header), header, key, name);
}

std::filesystem::path Utf8Path(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

TEST(EncodeRfc2231Parameter, CutsLongValuesIntoNumberedSegments) {
  const std::string ascii50(50, 'a');
  const struct {
    std::string name, charset, value, text;
  } cases[] = {
      {"filename", "iso-2022-jp", "%1B%24B%24%22%24%24%24%26%24%28%24%2A%1B%28B%2Etxt",
       " filename*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n"
       " filename*1*=%24%28%24%2A%1B%28B%2Etxt"},
      {"name", "us-ascii", "report.pdf", " name=\"report.pdf\""},
      {"name", "US-ASCII", "report.pdf", " name=\"report.pdf\""},
      {"name", "us-ascii", ascii50,
       " name*0=\"" + ascii50.substr(0, 41) + "\";\r\n name*1=\"" + ascii50.substr(41) + "\""},
      {"name", "utf-7", "%2B", " name*=utf-7''%2B"},
      {"name", "us-ascii", "", " name=\"\""},
      // 36 characters stay whole; a "%" at position 36 begins the next segment.
      {"n", "us-ascii", std::string(36, 'x'), " n=\"" + std::string(36, 'x') + "\""},
      {"n", "x", std::string(33, 'y') + "%41%42",
       " n*0*=x''" + std::string(33, 'y') + ";\r\n n*1*=%41%42"},
      {"n", "x", std::string(37, 'y') + "%41",
       " n*0*=x''" + std::string(37, 'y') + ";\r\n n*1*=%41"},
      // No "%" at positions 36 to 40: the segment ends after position 40.
      {"n", "x", std::string(45, 'y'),
       " n*0*=x''" + std::string(38, 'y') + ";\r\n n*1*=" + std::string(7, 'y')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(EncodeRfc2231Parameter(c.name, c.charset, c.value), c.text);
  }
}

TEST(EncodeAttachmentName, WritesTheFourModes) {
  const std::string name = "あいうえお.txt";
  const struct {
    TAttachNameEncode mode;
    std::string nameParam, fileNameParam;
  } cases[] = {
      {aeRfc2231,
       " name*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n name*1*=%24%28%24%2A%1B%28B%2Etxt",
       " filename*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n"
       " filename*1*=%24%28%24%2A%1B%28B%2Etxt"},
      // Python: base64 of "あいうえお.txt" in ISO-2022-JP.
      {aeMimeB, " name=\"=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKhsoQi50eHQ=?=\"",
       " filename=\"=?ISO-2022-JP?B?GyRCJCIkJCQmJCgkKhsoQi50eHQ=?=\""},
      {aeJis, " name=\"\x1b$B$\"$$$&$($*\x1b(B.txt\"", " filename=\"\x1b$B$\"$$$&$($*\x1b(B.txt\""},
      {aeSjis, " name=\"\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8.txt\"",
       " filename=\"\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8.txt\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    const TAttachmentNameParams params = EncodeAttachmentName("/some/folder/" + name, c.mode);
    EXPECT_EQ(params.Name, c.nameParam);
    EXPECT_EQ(params.FileName, c.fileNameParam);
  }
  const TAttachmentNameParams ascii = EncodeAttachmentName("report.pdf", aeRfc2231);
  EXPECT_EQ(ascii.Name, " name=\"report.pdf\"");
  EXPECT_EQ(ascii.FileName, " filename=\"report.pdf\"");
}

TEST(EncodeAttachmentName, IsReadBackByPython) {
  const struct {
    std::string name;
    TAttachNameEncode mode;
    std::string python;  // the name as Python reads it
  } cases[] = {
      {"あ.txt", aeRfc2231, "あ.txt"},
      {std::string(50, 'a') + ".txt", aeRfc2231, std::string(50, 'a') + ".txt"},
      {"😀 smile.png", aeRfc2231, "😀 smile.png"},        // Shift_JIS lacks it: UTF-7
      {"résumé.pdf", aeRfc2231, "résumé.pdf"},          // and it lacks é
      {"say \"hi\".txt", aeRfc2231, "say \"hi\".txt"},  // quotes cannot stand quoted
      {"見積書.xlsx", aeMimeB, "見積書.xlsx"},
      // Python decodes every segment by itself, so the ISO-2022-JP state
      // does not carry into the second segment as the format means it to.
      {"あいうえお.txt", aeRfc2231, "あいう$($*.txt"},
  };
  std::vector<std::string> headers;
  for (const auto& c : cases) {
    headers.push_back("Content-Disposition: attachment;\r\n" +
                      EncodeAttachmentName(Utf8Path(c.name), c.mode).FileName);
  }
  const auto decoded = test::PythonReferenceEach("filename", headers);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(headers[i]);
    EXPECT_EQ(decoded[i], cases[i].python);
  }
}

TEST(EncodeAttachmentName, IsReadBackByDecodeParameter) {
  const std::string names[] = {"あいうえお.txt", "見積書 2024年度 最終版 (改訂).xlsx",
                               "😀 smile.png", std::string(100, 'x') + ".bin", "a;b \"c\".txt"};
  for (const auto& name : names) {
    for (auto mode : {aeMimeB, aeRfc2231, aeJis, aeSjis}) {
      const TAttachmentNameParams params = EncodeAttachmentName(Utf8Path(name), mode);
      const std::string header = "\r\nContent-Type: a/b;\r\n" + params.Name +
                                 "\r\nContent-Disposition: attachment;\r\n" + params.FileName +
                                 "\r\n";
      SCOPED_TRACE(header);
      const std::string lower = Lower(header);
      std::string expected = name;
      // The raw modes carry only what Shift_JIS holds, and quotes cut them.
      if (name.starts_with("😀") && (mode == aeJis || mode == aeSjis)) expected = "? smile.png";
      if (name.starts_with("a;b") && mode != aeRfc2231) continue;
      EXPECT_EQ(WideToUtf8(DecodeParameterText(lower, header, kDisposition, "filename")), expected);
      EXPECT_EQ(WideToUtf8(DecodeParameterText(lower, header, kContentType, "name")), expected);
    }
  }
}

TEST(EncodeAttachmentName, NeverLetsALineBreakStartAField) {
  for (auto mode : {aeMimeB, aeRfc2231, aeJis, aeSjis}) {
    const TAttachmentNameParams params = EncodeAttachmentName("a\r\nBcc: x@y\nz.txt", mode);
    for (const std::string& text : {params.Name, params.FileName}) {
      SCOPED_TRACE(text);
      for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ASSERT_GT(text.size(), at + 1);
        EXPECT_TRUE(text[at + 1] == ' ' || text[at + 1] == '\t');
        EXPECT_EQ(text[at - 1], '\r');
      }
    }
  }
}

TEST(DecodeParameter, ReadsSegmentsEncodedWordsAndPlainValues) {
  const struct {
    std::string header, key, name, value;
  } cases[] = {
      {"\r\nContent-Disposition: attachment;\r\n filename*0*=iso-2022-jp''%1B%24B%24%22;\r\n"
       " filename*1*=%1B%28B.txt\r\n",
       kDisposition, "filename", "\x82\xa0.txt"},
      {"\r\nContent-Type: text/plain; name=\"Report.PDF\"\r\n", kContentType, "name", "Report.PDF"},
      {"\r\nContent-Type: text/plain; name=Report.pdf\r\n", kContentType, "name", "Report.pdf"},
      {"\r\nContent-Type: application/pdf;\r\n\tname=\"a b.pdf\"\r\nX: y\r\n", kContentType, "name",
       "a b.pdf"},
      // A value ends at the next parameter.
      {"\r\nContent-Disposition: attachment; filename=\"a.pdf\"; size=1234;\r\n"
       " creation-date=\"Mon, 1 Jan 2024 00:00:00 GMT\"\r\n",
       kDisposition, "filename", "a.pdf"},
      {"\r\nContent-Disposition: attachment; filename=a.pdf; size=10\r\n", kDisposition, "filename",
       "a.pdf"},
      {"\r\nContent-Type: a/b; name=\"x;y.txt\"\r\n", kContentType, "name", "x;y.txt"},
      // Encoded words in the value (Python: "テスト" in ISO-2022-JP).
      {"\r\nContent-Type: a/b; name=\"=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=.txt\"\r\n", kContentType,
       "name", "\x83\x65\x83\x58\x83\x67.txt"},
      // Raw ISO-2022-JP whose two-byte text holds '"' and ';'.
      {"\r\nContent-Type: a/b; name=\"\x1b$B$\";z\x1b(B.txt\"; x=1\r\n", kContentType, "name",
       "\x82\xa0\x8e\x9a.txt"},
      // A plain value is taken as written: no percent escapes, no charset.
      {"\r\nContent-Type: a/b; name=\"50%OFF.txt\"\r\n", kContentType, "name", "50%OFF.txt"},
      {"\r\nContent-Type: a/b; name=\"Tom's and Jerry's.txt\"\r\n", kContentType, "name",
       "Tom's and Jerry's.txt"},
      // Every octet of an extended value may be escaped (Python: "あ.txt").
      {"\r\nContent-Type: a/b; name*=utf-8''%E3%81%82.txt\r\n", kContentType, "name",
       "\x82\xa0.txt"},
      {"\r\nContent-Type: a/b; name*0*=utf-8''%E3%81; name*1*=%82.txt\r\n", kContentType,
       "name", "\x82\xa0.txt"},
      {"\r\nContent-Type: a/b; name*=us-ascii'en'a%20b.txt\r\n", kContentType, "name", "a b.txt"},
      // The name also matches inside "filename".
      {"\r\nContent-Disposition: attachment; filename=\"f.txt\"\r\n", kDisposition, "name",
       "f.txt"},
      // Segments are read by number, not by place.
      {"\r\nContent-Type: a/b; name*1=\"cd\"; name*0=\"ab\"\r\n", kContentType, "name", "abcd"},
      {"\r\nContent-Type: a/b; name*0=\"ab\"; name*2=\"ef\"\r\n", kContentType, "name", "ab"},
      {"\r\nContent-Type: a/b\r\n", kContentType, "name", ""},
      {"\r\nContent-Type: a/b; name\r\n", kContentType, "name", ""},
      {"\r\nSubject: name=x\r\n", kContentType, "name", ""},
      {"\r\nContent-Type: a/b; name=\"x\"", kContentType, "name", "x"},  // no final CR LF
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    EXPECT_EQ(Parameter(c.header, c.key, c.name), c.value);
  }
}

TEST(DecodeParameterText, KeepsWhatShiftJisCannotHold) {
  // Our own UTF-7 name, read back without passing through Shift_JIS.
  const std::string name = "😀.png";
  const std::string header = "\r\nContent-Disposition: attachment;\r\n" +
                             EncodeAttachmentName(Utf8Path(name), aeRfc2231).FileName + "\r\n";
  EXPECT_EQ(WideToUtf8(DecodeParameterText(Lower(header), header, kDisposition, "filename")), name);
}

TEST(DecodeParameter, StaysInsideHostileInput) {
  std::mt19937 gen(31);
  const std::vector<std::string> pieces = {"name",  "*",      "0",  "1",   "=", "\"",
                                           ";",     "'",      "%",  "%1B", " ", "\r\n",
                                           "\r\n ", "\x1b$B", "=?", "?="};
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<size_t> count(0, 30);
  for (int round = 0; round < 3000; ++round) {
    std::string header = "\r\ncontent-type:";
    for (size_t n = count(gen); n > 0; --n) header += pieces[pick(gen)];
    ASSERT_LE(Parameter(header, kContentType, "name").size(), header.size()) << header;
    // A lower-cased copy that is too short must not be read past.
    DecodeParameter(header, header.substr(0, header.size() / 2), kContentType, "name");
  }
}

}  // namespace
}  // namespace orvane
