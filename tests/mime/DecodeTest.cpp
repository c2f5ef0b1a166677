#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "mime/ZelMime.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::FixedClock;
using test::JapanNoon;
using test::ScopedTimeZone;
namespace fs = std::filesystem;

class DecodeTest : public ::testing::Test {
 protected:
  DecodeTest() {
    mime.AttachDir = folder / "Attach";
    mime.Option.Exclude(TMimeOption::MakeSubDir);
  }

  TMimeCharSet DecodeText(const std::string& text) {
    mime.SetMessageText(text);
    return mime.Decode();
  }
  std::vector<fs::path> Attachments() {
    return {mime.Attachments().begin(), mime.Attachments().end()};
  }
  fs::path Saved(const char* name) const { return folder / "Attach" / name; }

  ScopedTimeZone tokyo{"Asia/Tokyo"};
  FixedClock clock{JapanNoon()};
  test::TempFolder folder;
  TZelMime mime{clock, folder.Path()};
};

std::string Multipart(const std::vector<std::string>& parts, const std::string& boundary = "b1",
                      const std::string& header = "Subject: Report\r\n") {
  std::string text =
      header + "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\npreamble\r\n";
  for (const auto& part : parts) text += "--" + boundary + "\r\n" + part + "\r\n";
  return text + "--" + boundary + "--\r\nepilogue\r\n";
}

TEST_F(DecodeTest, ASinglePartMessageIsItsTextAndCharset) {
  EXPECT_EQ(DecodeText("Subject: s\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n"
                       "\x1b$B$\"\x1b(B\r\n"),
            mcsISO_2022_JP);
  auto* text = dynamic_cast<TZelTextPart*>(mime.RootPart());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, u"\u3042\r\n");
  EXPECT_EQ(mime.BodyText(), u"\u3042\r\n");
  EXPECT_EQ(text->HeaderText, "Content-Type: text/plain; charset=ISO-2022-JP");
}

TEST_F(DecodeTest, ThePop3EndMarkIsNotPartOfTheBody) {
  DecodeText("Subject: s\r\n\r\nline\r\n.\r\n");
  EXPECT_EQ(mime.BodyText(), u"line");
  EXPECT_EQ(mime.Decode(), mcsUnKnown);  // no charset named: the alternative bytes
}

TEST_F(DecodeTest, AMultipartGivesTheTextAndSavedAttachments) {
  DecodeText(Multipart({"Content-Type: text/plain; charset=us-ascii\r\n\r\nHello",
                        "Content-Type: image/jpeg; name=\"photo.jpg\"\r\n"
                        "Content-Transfer-Encoding: base64\r\n\r\nYWJj\r\nZA==\r\n"}));
  auto* root = dynamic_cast<TZelMultiPart*>(mime.RootPart());
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Boundary, "b1");
  EXPECT_EQ(root->SubType, "mixed");
  ASSERT_EQ(root->Parts.Count(), 2u);
  auto& text = dynamic_cast<TZelTextPart&>(root->Parts[0]);
  EXPECT_TRUE(text.HasText);
  EXPECT_EQ(text.Text, u"Hello");
  EXPECT_EQ(text.ParentBoundary, "b1");
  auto& photo = dynamic_cast<TZelMessagePart&>(root->Parts[1]);
  EXPECT_EQ(photo.FileName, Saved("photo.jpg"));
  EXPECT_EQ(photo.SubType, "jpeg");
  EXPECT_FALSE(photo.Inline);
  EXPECT_EQ(test::ReadFile(Saved("photo.jpg")), "abcd");
  EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved("photo.jpg")});
}

TEST_F(DecodeTest, AJapaneseRfc2231FileNameIsDecoded) {
  DecodeText(Multipart({"Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\n\x1b$B$\"\x1b(B",
                        "Content-Type: image/jpeg\r\n"
                        "Content-Disposition: attachment;\r\n"
                        " filename*0*=iso-2022-jp''%1B%24B%24%22%24%24%24%26;\r\n"
                        " filename*1*=%24%28%24%2A%1B%28B%2Ejpg\r\n"
                        "Content-Transfer-Encoding: base64\r\n\r\n/9j/\r\n"}));
  auto& text = dynamic_cast<TZelTextPart&>(PartAt(mime.RootPart(), 0));
  EXPECT_TRUE(text.HasText);
  EXPECT_EQ(text.Text, u"あ");
  const fs::path photo = Saved("あいうえお.jpg");
  EXPECT_EQ(dynamic_cast<TZelMessagePart&>(PartAt(mime.RootPart(), 1)).FileName, photo);
  EXPECT_EQ(Attachments(), std::vector<fs::path>{photo});
  EXPECT_EQ(test::ReadFile(photo), "\xFF\xD8\xFF");
}

TEST_F(DecodeTest, AnEmptyAttachmentWithoutBodyLinesIsSavedEmpty) {
  // Header lines directly followed by the delimiter: the line break before
  // it ends the header and the body is empty (RFC 2046 section 5.1.1).
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\nbody",
                        "Content-Type: image/png\r\n"
                        "Content-Disposition: attachment; filename=\"e.png\"\r\n"}));
  EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved("e.png")});
  ASSERT_TRUE(fs::is_regular_file(Saved("e.png")));
  EXPECT_EQ(test::ReadFile(Saved("e.png")), "");
  EXPECT_EQ(PartAt(mime.RootPart(), 1).HeaderText,
            "Content-Type: image/png\r\nContent-Disposition: attachment; filename=\"e.png\"");
}

TEST_F(DecodeTest, ASecondPlainTextIsSavedAsThePlainFileNotTaken) {
  test::WriteFile(Saved("Plain1.txt"), "taken");
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\nfirst",
                        "Content-Type: text/plain; charset=iso-2022-jp\r\n\r\n\x1b$B$\"\x1b(B",
                        "Content-Type: text/plain; charset=utf-8\r\n\r\n\xE3\x81\x82"}));
  EXPECT_EQ(Attachments(), (std::vector<fs::path>{Saved("Plain2.txt"), Saved("Plain3.txt")}));
  EXPECT_EQ(test::ReadFile(Saved("Plain1.txt")), "taken");
  EXPECT_EQ(test::ReadFile(Saved("Plain2.txt")), "\x82\xA0");                          // Shift_JIS
  EXPECT_EQ(test::ReadFile(Saved("Plain3.txt")), std::string("\xFF\xFE\x42\x30", 4));  // UTF-16
  EXPECT_EQ(mime.BodyText(), u"first");
  auto& second = dynamic_cast<TZelTextPart&>(PartAt(mime.RootPart(), 1));
  EXPECT_TRUE(second.Inline);
  EXPECT_EQ(second.ReadText(), u"\u3042");
}

TEST_F(DecodeTest, NamelessAttachmentsAreNamedAfterTheSubject) {
  DecodeText(
      Multipart({"Content-Type: image/jpeg\r\n\r\nx", "Content-Type: application/x-tar.gz\r\n\r\ny",
                 "Content-Type: message/rfc822\r\n\r\nSubject: Inner\r\n\r\nbody",
                 "Content-Type: text/plain; name=\"notes\"\r\n\r\nz"}));
  EXPECT_EQ(Attachments(), (std::vector<fs::path>{Saved("Report.jpeg"), Saved("Report.x-tar"),
                                                  Saved("Inner.eml"), Saved("notes.txt")}));
}

TEST_F(DecodeTest, AttachmentNamesComeFromTheHeaderWithTheirExtensionMadeSure) {
  const struct {
    const char* header;
    const char* saved;
  } cases[] = {
      {"Content-Type: application/octet-stream; name=\"ct.bin\"\r\n"
       "Content-Disposition: attachment; filename=\"cd.bin\"",
       "cd.bin"},  // the filename parameter comes first
      {"Content-Type: application/octet-stream; name=\"a\x01"
       "b\x1d.bin\"",
       "ab.bin"},
      {"Content-Type: image/gif; name=\"picture\"", "picture.gif"},
      {"Content-Type: application/pdf\r\n"
       "Content-Disposition: attachment; "
       "filename*=iso-2022-jp''%1B%24BJs9p%1B%28B%2E%1B%24B%3BqNA%1B%28B",
       "\xE5\xA0\xB1\xE5\x91\x8A.\xE8\xB3\x87\xE6\x96\x99.pdf"},  // 報告.資料.pdf
      {"Content-Type: message/rfc822", "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.eml"},  // テスト.eml
  };
  for (const auto& c : cases) {
    DecodeText(Multipart(
        {"Content-Type: text/plain\r\n\r\nbody",
         std::string(c.header) + "\r\n\r\nSubject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n\r\nx"}));
    EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved(c.saved)}) << c.header;
    EXPECT_TRUE(fs::is_regular_file(Saved(c.saved))) << c.header;
  }
}

TEST_F(DecodeTest, FileNamesAreMadeSafe) {
  // The folder above the test's own is shared (/tmp): only what decoding adds there counts.
  const fs::path above = folder.Path().parent_path() / "x";
  const bool was_above = fs::exists(above);
  DecodeText(
      Multipart({"Content-Type: text/plain\r\n\r\nbody",
                 "Content-Type: application/octet-stream; name=\"a:b.txt\"\r\n\r\n1",
                 "Content-Type: application/octet-stream; name=\"../../x\"\r\n\r\n2",
                 "Content-Type: application/octet-stream; name=\"..\"\r\n\r\n3",
                 "Content-Type: application/octet-stream; name=\"\\\"q\\\".bin\"\r\n\r\n4"}));
  std::vector<fs::path> saved = Attachments();
  ASSERT_EQ(saved.size(), 4u);
  EXPECT_EQ(saved[0], Saved("a\xEF\xBC\x9A"
                            "b.txt"));                          // full-width colon
  EXPECT_EQ(saved[1], Saved("..\xEF\xBC\x8F..\xEF\xBC\x8Fx"));  // "./x" counts as an extension
  EXPECT_EQ(saved[2].parent_path(), folder / "Attach");
  for (const fs::path& p : saved) {
    EXPECT_EQ(p.parent_path(), folder / "Attach") << p;
    EXPECT_TRUE(fs::is_regular_file(p)) << p;
  }
  EXPECT_FALSE(fs::exists(folder / "x"));
  EXPECT_EQ(fs::exists(above), was_above);
}

TEST_F(DecodeTest, APlantedLinkIsReplacedNotFollowed) {
  test::WriteFile(folder / "victim.txt", "keep");
  fs::create_directories(folder / "Attach");
  ASSERT_EQ(::symlink((folder / "victim.txt").c_str(), Saved("evil.bin").c_str()), 0);
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=evil.bin\r\n\r\nattack"}));
  EXPECT_EQ(test::ReadFile(folder / "victim.txt"), "keep");
  EXPECT_EQ(test::ReadFile(Saved("evil.bin")), "attack");
  EXPECT_FALSE(fs::is_symlink(Saved("evil.bin")));
}

TEST_F(DecodeTest, ASubfolderThatIsALinkIsNotWrittenInto) {
  mime.Option.Include(TMimeOption::MakeSubDir);
  fs::create_directories(folder / "elsewhere");
  fs::create_directories(folder / "Attach");
  ASSERT_EQ(::symlink((folder / "elsewhere").c_str(), Saved("sub").c_str()), 0);
  std::vector<WideString> warnings;
  mime.OnDecodeWarning = [&](TZelMime&, const WideString& m) { warnings.push_back(m); };
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}, "b1",
                       "Message-ID: sub\r\n"));
  EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
  EXPECT_EQ(warnings,
            std::vector<WideString>{u"添付ファイルの保存先ディレクトリが作成できません。"});
  EXPECT_TRUE(Attachments().empty());  // a part that could not be saved has no file
}

TEST_F(DecodeTest, EachMessageGetsASubfolderWithMakeSubDir) {
  mime.Option.Include(TMimeOption::MakeSubDir);
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}, "b1",
                       "Message-ID: <id/1@x>\r\n"));
  fs::path sub = folder / "Attach" /
                 "\xEF\xBC\x9C"
                 "id\xEF\xBC\x8F"
                 "1@x\xEF\xBC\x9E";
  EXPECT_EQ(Attachments(), std::vector<fs::path>{sub / "a.bin"});
  EXPECT_EQ(test::ReadFile(sub / "a.bin"), "x");

  // Without a Message-ID: the DOS date-time of the Date and the From addresses.
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}, "b1",
                       "Date: Sun, 5 Jan 2003 12:34:56 +0900\r\nFrom: Me <me@x>\r\n"));
  EXPECT_EQ(Attachments(), std::vector<fs::path>{folder / "Attach" / "774202460me@x" / "a.bin"});
}

TEST_F(DecodeTest, TheDefaultFolderIsAttachInTheProgramFolder) {
  mime.AttachDir.clear();
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}));
  EXPECT_EQ(Attachments(), std::vector<fs::path>{folder / "Attach" / "a.bin"});
}

TEST_F(DecodeTest, OnAttachDecodingMayRenameOrRefuseButNotLeaveTheFolder) {
  mime.OnAttachDecoding = [](TZelMime&, TContentType type, const AnsiString& subType,
                             WideString& name, bool& canSave) {
    EXPECT_EQ(type, ctApplication);
    EXPECT_EQ(subType, "octet-stream");
    if (name == u"refuse.bin") canSave = false;
    if (name == u"move.bin") name = u"../../moved.bin";
  };
  DecodeText(Multipart({"Content-Type: application/octet-stream; name=refuse.bin\r\n\r\nx",
                        "Content-Type: application/octet-stream; name=move.bin\r\n\r\ny"}));
  EXPECT_EQ(Attachments(),
            (std::vector<fs::path>{"refuse.bin", Saved("..\xEF\xBC\x8F..\xEF\xBC\x8Fmoved.bin")}));
  EXPECT_FALSE(fs::exists(Saved("refuse.bin")));
}

TEST_F(DecodeTest, NamesThatNameNoFileBecomeTheDefaultName) {
  const struct {
    const char16_t* given;  // by the message, then by the handler
    const char* saved;
  } cases[] = {
      {u"", "Report.octet-stream"},
      {u".", "Report.octet-stream"},
      {u"..", "Report.octet-stream"},
      {u" \t", "Report.octet-stream"},
      {u"a/b",
       "a\xEF\xBC\x8F"
       "b"},
  };
  for (const auto& c : cases) {
    const WideString given = c.given;
    mime.OnAttachDecoding = [&](TZelMime&, TContentType, const AnsiString&, WideString& name,
                                bool&) { name = given; };
    DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}));
    EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved(c.saved)}) << WideToUtf8(given);
  }
  mime.OnAttachDecoding = nullptr;
  for (const char* name : {"\".\"", "\"..\"", "\"\""}) {
    DecodeText(Multipart(
        {"Content-Type: application/octet-stream; name=" + std::string(name) + "\r\n\r\nx"}));
    std::vector<fs::path> saved = Attachments();
    ASSERT_EQ(saved.size(), 1u) << name;
    EXPECT_EQ(saved[0].parent_path(), folder / "Attach") << name;
    EXPECT_TRUE(fs::is_regular_file(saved[0])) << name;
  }
}

TEST_F(DecodeTest, ASubfolderNameThatNamesNoFolderBecomesAttach) {
  mime.Option.Include(TMimeOption::MakeSubDir);
  for (const char* id : {".", "..", "\t.. "}) {
    DecodeText(Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"}, "b1",
                         "Message-ID: " + std::string(id) + "\r\n"));
    EXPECT_EQ(Attachments(), std::vector<fs::path>{folder / "Attach" / "Attach" / "a.bin"}) << id;
  }
  EXPECT_FALSE(fs::exists(folder / "a.bin"));
}

TEST_F(DecodeTest, WithoutAttachDecodeFilesAreEmptyOrNotMade) {
  mime.Option.Exclude(TMimeOption::AttachDecode);
  std::string message = Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"});
  DecodeText(message);
  ASSERT_TRUE(fs::is_regular_file(Saved("a.bin")));
  EXPECT_EQ(test::ReadFile(Saved("a.bin")), "");
  mime.Option.Exclude(TMimeOption::ZeroByteFile);
  fs::remove(Saved("a.bin"));
  DecodeText(message);
  EXPECT_EQ(Attachments(), std::vector<fs::path>{"a.bin"});
  EXPECT_FALSE(fs::exists(Saved("a.bin")));
}

TEST_F(DecodeTest, QuotedPrintableAndUnknownEncodingsAreSavedDecodedOrAsTheyAre) {
  DecodeText(
      Multipart({"Content-Type: application/octet-stream; name=q.txt\r\n"
                 "Content-Transfer-Encoding: quoted-printable\r\n\r\na=3Db=\r\nc",
                 "Content-Type: application/octet-stream; name=r.txt\r\n"
                 "Content-Transfer-Encoding: 8bit\r\n\r\na=3Db"}));
  EXPECT_EQ(test::ReadFile(Saved("q.txt")), "a=bc");
  EXPECT_EQ(test::ReadFile(Saved("r.txt")), "a=3Db");
}

TEST_F(DecodeTest, UuencodedFilesInTheTextAreExtracted) {
  DecodeText(
      "Subject: s\r\n\r\nSee the file:\r\nBEGIN 644 a.bin\r\n#86)C\r\n`\r\nend\r\n"
      "begin xyz no.bin\r\nbegin 600 b.bin\r\n\"86(`\r\n`\r\nEND\r\ntail");
  auto* text = dynamic_cast<TZelTextPart*>(mime.RootPart());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->UUFiles, (std::vector<fs::path>{Saved("a.bin"), Saved("b.bin")}));
  EXPECT_EQ(test::ReadFile(Saved("a.bin")), "abc");
  EXPECT_EQ(test::ReadFile(Saved("b.bin")), "ab");
  EXPECT_EQ(Attachments(), (std::vector<fs::path>{Saved("a.bin"), Saved("b.bin")}));
  EXPECT_NE(text->Text.find(u"begin 600"), WideString::npos);  // the text stays whole

  mime.Option.Exclude(TMimeOption::TextPartUUEncodeScan);
  DecodeText("Subject: s\r\n\r\nbegin 644 c.bin\r\n#86)C\r\nend\r\n");
  EXPECT_TRUE(Attachments().empty());
}

TEST_F(DecodeTest, AnXUuencodePartIsSavedFromItsBlock) {
  DecodeText(
      Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n"
                 "Content-Transfer-Encoding: x-uuencode\r\n\r\nbegin 644 a.bin\r\n#86)C\r\nend"}));
  EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved("a.bin")});
  EXPECT_EQ(test::ReadFile(Saved("a.bin")), "abc");
}

TEST_F(DecodeTest, HtmlPartsKeepTheirSourceAndCidsPointAtSavedFiles) {
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\nbody",
                        "Content-Type: text/html; name=page.html\r\n\r\n<img src=\"cid:img1\"><img "
                        "src=\"cid:img10\">"
                        "<a href=\"cid:none\">",
                        "Content-Type: image/png; name=one.png\r\nContent-ID: <img1>\r\n\r\n1",
                        "Content-Type: image/png; name=ten.png\r\nContent-Id: <img10>\r\n\r\n10"}));
  EXPECT_EQ(mime.ContentIds(), (std::vector<AnsiString>{"img1", "img10"}));
  EXPECT_EQ(mime.SavedFiles(), (std::vector<fs::path>{Saved("one.png"), Saved("ten.png")}));
  // "cid:img10" starts with "cid:img1", the first id listed: replaced in list order.
  EXPECT_EQ(test::ReadFile(Saved("page.html")), "<img src=\"" + Saved("one.png").native() +
                                                    "\"><img src=\"" + Saved("one.png").native() +
                                                    "0\"><a href=\"cid:none\">");
  auto* html = FirstHtmlPart(mime.RootPart());
  ASSERT_NE(html, nullptr);
  EXPECT_FALSE(html->Inline);
  EXPECT_NE(html->Html.find("cid:img1"), std::string::npos);  // the source as received
}

TEST_F(DecodeTest, TheContentIdListedFirstWinsWhereSeveralMatch) {
  DecodeText(
      Multipart({"Content-Type: text/html; name=page.html\r\n\r\n"
                 "cid:img10 cid:img1x cid:img cid:",
                 "Content-Type: image/png; name=ten.png\r\nContent-ID: <img10>\r\n\r\n10",
                 "Content-Type: image/png; name=one.png\r\nContent-ID: img1\r\n\r\n1",
                 "Content-Type: image/png; name=none.png\r\nContent-ID: <>\r\n\r\n0"}));
  EXPECT_EQ(mime.ContentIds(), (std::vector<AnsiString>{"img10", "img1", ""}));
  EXPECT_EQ(test::ReadFile(Saved("page.html")),
            Saved("ten.png").native() + " " + Saved("one.png").native() + "x cid:img cid:");
}

TEST_F(DecodeTest, AnInlineHtmlPartWithoutNameIsSavedUnderTheSubject) {
  DecodeText(
      Multipart({"Content-Type: text/html\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                 "PHA+"}));
  auto* html = FirstHtmlPart(mime.RootPart());
  ASSERT_NE(html, nullptr);
  EXPECT_TRUE(html->Inline);
  EXPECT_EQ(html->Html, "<p>");
  EXPECT_EQ(html->FileName, Saved("Report.html"));
  EXPECT_EQ(mime.BodyText(), u"<p>");
}

TEST_F(DecodeTest, PartialPartsCarryTheirNumbers) {
  DecodeText(
      "Subject: s\r\nContent-Type: message/partial; number=2; total=3;\r\n"
      " id=\"abc@x\"\r\n\r\npiece");
  auto* partial = dynamic_cast<TZelPartialPart*>(mime.RootPart());
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->Number, 2);
  EXPECT_EQ(partial->Total, 3);
  EXPECT_EQ(partial->Id, "abc@x");
  // An enclosed message without a Subject: "Attach" + the subfolder name,
  // here the DOS date-time of now (the Date is missing).
  EXPECT_EQ(partial->FileName, Saved("Attach774202460.eml"));
}

TEST_F(DecodeTest, WithoutMultiPartDecodeTheBodyIsOneText) {
  mime.Option.Exclude(TMimeOption::MultiPartDecode);
  EXPECT_EQ(DecodeText("Content-Type: text/plain; charset=utf-8\r\n"
                       "Content-Transfer-Encoding: base64\r\n\r\ngqA="),
            mcsUnKnown);
  EXPECT_EQ(mime.BodyText(), u"\u3042");  // read as Shift_JIS whatever was declared
}

TEST_F(DecodeTest, EventsReportTheFieldsAndParts) {
  std::vector<std::string> trace;
  mime.OnBeginDecode = [&](TZelMime&) { trace.push_back("begin"); };
  mime.OnEndDecode = [&](TZelMime&) { trace.push_back("end"); };
  mime.OnHeaderFieldDecodedW = [&](TZelMime&, const AnsiString& name, const WideString& value,
                                   TMimeCharSet) {
    trace.push_back("W " + name + WideToUtf8(value));
  };
  mime.OnHeaderFieldDecoded = [&](TZelMime&, const AnsiString& name, const AnsiString& value,
                                  TMimeCharSet) { trace.push_back("A " + name + value); };
  mime.OnMimePartDecoding = [&](TZelMime&, std::string_view parent, std::string_view boundary,
                                std::string_view, std::string_view, TContentType,
                                std::string_view subType, std::string_view) {
    trace.push_back("decoding " + std::string(parent) + "/" + std::string(boundary) + "/" +
                    std::string(subType));
  };
  mime.OnMimePartDecoded = [&](TZelMime&, TZelMimePart& part) {
    trace.push_back("decoded " + part.ParentBoundary);
  };
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\nx"}, "b1", "Subject: s\r\nTo: t@x\r\n"));
  EXPECT_EQ(trace, (std::vector<std::string>{"begin", "W subject:s", "A subject:s", "W to:t@x",
                                             "A to:t@x", "decoding /b1/mixed", "decoded ",
                                             "decoding b1//plain", "decoded b1", "end"}));
}

TEST_F(DecodeTest, MalformedMultipartsDecodeAsFarAsTheyGo) {
  // No closing delimiter: the last part is dropped. A part without an
  // empty line is all header; a header line without a colon is ignored.
  DecodeText(
      "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
      "--b\r\nContent-Type: text/plain\r\nno colon here\r\n\r\nfirst\r\n"
      "--b\r\nContent-Type: application/octet-stream; name=x.bin\r\n"
      "--b\r\nContent-Type: text/plain\r\n\r\nlost");
  ASSERT_EQ(PartCount(mime.RootPart()), 2u);
  EXPECT_EQ(mime.BodyText(), u"first");
  EXPECT_EQ(Attachments(), std::vector<fs::path>{Saved("x.bin")});
  EXPECT_EQ(test::ReadFile(Saved("x.bin")), "");

  DecodeText("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b");
  EXPECT_EQ(PartCount(mime.RootPart()), 0u);
  DecodeText("Content-Type: multipart/mixed\r\n\r\n--\r\nx\r\n--");
  EXPECT_NE(dynamic_cast<TZelMultiPart*>(mime.RootPart()), nullptr);
  DecodeText("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nheaderless\r\n--b--");
  EXPECT_EQ(mime.BodyText(), u"headerless");
  DecodeText("no header at all");
  EXPECT_EQ(mime.BodyText(), u"");
}

TEST_F(DecodeTest, TruncatedInputDecodesAsFarAsItGoes) {
  const std::string head = "Subject: cut\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
  const struct {
    const char* name;
    std::string message;
    size_t parts;
    const char16_t* body;
  } cases[] = {
      {"unclosed quote", "Content-Type: multipart/mixed; boundary=\"b\r\n\r\n--b\r\n\r\nx\r\n--b--",
       1, u"x"},
      // Without a text part the body reads as the raw body.
      {"cut inside the delimiter", head + "--b\r\n\r\nfirst\r\n--", 0, u"--b\r\n\r\nfirst\r\n--"},
      {"cut after the delimiter", head + "--b\r\n\r\nfirst\r\n--b", 1, u"first"},
      {"cut after the first delimiter", head + "--b", 0, u"--b"},
      {"cut inside a part header", head + "--b\r\nContent-Type: text/pl\r\n--b--", 1,
       u"--b\r\nContent-Type: text/pl\r\n--b--"},
      {"cut inside a field name", head + "--b\r\n\r\nfirst\r\n--b\r\nContent-Ty\r\n--b--", 2,
       u"first"},
      {"empty boundary", "Content-Type: multipart/mixed; boundary=\r\n\r\n--\r\n\r\nx\r\n----", 1,
       u"x"},
      {"no body", "Content-Type: multipart/mixed; boundary=b\r\n\r\n", 0, u""},
      // Without an empty line no field can be found: one empty text.
      {"header only", "Content-Type: multipart/mixed; boundary=b", 1, u""},
      {"lines without colon", "garbage\r\nmore garbage\r\nSubject: s\r\n\r\nbody", 1, u"body"},
  };
  for (const auto& c : cases) {
    DecodeText(c.message);
    EXPECT_EQ(PartCount(mime.RootPart()), c.parts) << c.name;
    EXPECT_EQ(mime.BodyText(), c.body) << c.name;
  }
}

TEST_F(DecodeTest, TruncatedContentIsSavedAsFarAsItGoes) {
  DecodeText(
      Multipart({"Content-Type: text/plain\r\n\r\nbegin 644 lost.bin\r\n#86)C\r\n",
                 "Content-Type: application/octet-stream; name=b64.bin\r\n"
                 "Content-Transfer-Encoding: base64\r\n\r\nYWJjZ",
                 "Content-Type: application/octet-stream; name=qp.bin\r\n"
                 "Content-Transfer-Encoding: quoted-printable\r\n\r\nab=4",
                 "Content-Type: application/octet-stream; name=uu.bin\r\n"
                 "Content-Transfer-Encoding: x-uuencode\r\n\r\nbegin 644 uu.bin\r\n#86)C\r\n",
                 "Content-Type: message/partial; number=99999999999; total=-1; id=\"open\r\n\r\np",
                 "Content-Type: application/octet-stream\r\n"
                 "Content-Disposition: attachment; filename*1*=%G1%; filename*0*=x''%4\r\n\r\nz"}));
  ASSERT_EQ(PartCount(mime.RootPart()), 6u);
  EXPECT_TRUE(dynamic_cast<TZelTextPart&>(PartAt(mime.RootPart(), 0)).UUFiles.empty());
  EXPECT_EQ(test::ReadFile(Saved("b64.bin")), "abc");
  EXPECT_TRUE(test::ReadFile(Saved("qp.bin")).starts_with("ab")) << test::ReadFile(Saved("qp.bin"));
  EXPECT_FALSE(fs::exists(Saved("uu.bin")));  // a block without its end line holds no file
  auto& partial = dynamic_cast<TZelPartialPart&>(PartAt(mime.RootPart(), 4));
  EXPECT_EQ(partial.Number, 0);
  EXPECT_EQ(partial.Total, 0);
  for (const fs::path& p : Attachments()) EXPECT_EQ(p.parent_path(), folder / "Attach") << p;
}

TEST_F(DecodeTest, NestingDeeperThan64IsNotDescended) {
  std::string body = "Content-Type: text/plain\r\n\r\ninnermost";
  for (int level = 70; level >= 1; --level) {
    std::string b = "n" + std::to_string(level) + "x";  // no boundary begins another
    body = "Content-Type: multipart/mixed; boundary=" + b + "\r\n\r\n--" + b + "\r\n" + body +
           "\r\n--" + b + "--\r\n";
  }
  DecodeText("Subject: deep\r\n" + body);
  size_t multiparts = 0, texts = 0;
  FindPart(mime.RootPart(), [&](TZelMimePart& p) {
    multiparts += dynamic_cast<TZelMultiPart*>(&p) != nullptr;
    texts += dynamic_cast<TZelTextPart*>(&p) != nullptr;
    return false;
  });
  EXPECT_EQ(multiparts, 65u);  // levels 1 to 64 are split, level 65 is kept empty
  EXPECT_EQ(texts, 0u);
  auto* deepest = FindMultiPart(mime.RootPart(), "n65x");
  ASSERT_NE(deepest, nullptr);
  EXPECT_TRUE(deepest->Parts.Empty());
}

TEST_F(DecodeTest, AHundredThousandTinyPartsAreAllDecoded) {
  mime.Option.Exclude(TMimeOption::AttachDecode).Exclude(TMimeOption::ZeroByteFile);
  std::string text = "Subject: many\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
  const size_t count = 100000;
  for (size_t i = 0; i < count; ++i)
    text += "--b\r\nContent-Type: application/octet-stream\r\n\r\n" + std::to_string(i) + "\r\n";
  text += "--b--\r\n";
  DecodeText(text);
  EXPECT_EQ(PartCount(mime.RootPart()), count);
  EXPECT_EQ(mime.Attachments().Count(), count);
  EXPECT_EQ(mime.Attachments()[count - 1], "many.octet-stream");
}

TEST_F(DecodeTest, ALongBoundaryThatNearlyMatchesEverywhereIsStillFound) {
  // Searching such a body by the boundary's last byte alone would compare
  // the whole boundary at every byte of the run of "a".
  const std::string boundary(60000, 'a');
  std::string nearMisses;
  for (int i = 0; i < 30; ++i) nearMisses += "\r\n--" + std::string(59999, 'a') + "b";
  const std::string first = std::string(8000000, 'a') + nearMisses;
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\n" + first,
                        "Content-Type: application/octet-stream; name=x.bin\r\n\r\nx"},
                       boundary));
  ASSERT_EQ(PartCount(mime.RootPart()), 2u);
  EXPECT_EQ(mime.BodyText().size(), first.size());
  EXPECT_EQ(test::ReadFile(Saved("x.bin")), "x");
}

TEST_F(DecodeTest, AFolderThatCannotBeMadeIsReportedAndDecodingGoesOn) {
  test::WriteFile(folder / "file", "not a folder");
  mime.AttachDir = folder / "file" / "Attach";
  int warnings = 0;
  mime.OnDecodeWarning = [&](TZelMime&, const WideString&) { ++warnings; };
  DecodeText(Multipart({"Content-Type: text/plain\r\n\r\nbody",
                        "Content-Type: image/png; name=a.png\r\n\r\nx",
                        "Content-Type: image/png; name=b.png\r\n\r\nx"}));
  EXPECT_EQ(warnings, 2);
  EXPECT_EQ(PartCount(mime.RootPart()), 3u);
  EXPECT_EQ(mime.BodyText(), u"body");
}

TEST_F(DecodeTest, EveryMainFieldIsDecodedAndReportedInItsOrder) {
  std::vector<std::string> reported;
  mime.OnHeaderFieldDecodedW = [&](TZelMime&, const AnsiString& name, const WideString& value,
                                   TMimeCharSet charset) {
    reported.push_back(name + WideToUtf8(value) + (charset == mcsISO_2022_JP ? " jis" : ""));
  };
  mime.OnHeaderFieldDecoded = [&](TZelMime&, const AnsiString& name, const AnsiString& value,
                                  TMimeCharSet) { reported.push_back(name + value); };
  const std::string jis = "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=";  // テスト
  const std::string sjis = "\x83\x65\x83\x58\x83\x67";
  const std::string utf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";
  DecodeText("Bcc: bcc@x\r\nCc: " + jis + " <cc@x>\r\nTo: to@x\r\nReply-To: reply@x\r\n" +
             "From: from@x\r\nSender: sender@x\r\nSubject: " + jis + "\r\nOrganization: " + jis +
             "\r\nX-Mailer: " + jis + "\r\n\r\nbody");
  EXPECT_EQ(reported, (std::vector<std::string>{
                          "subject:" + utf8 + " jis", "subject:" + sjis, "sender:sender@x",
                          "sender:sender@x", "from:from@x", "from:from@x", "reply-to:reply@x",
                          "reply-to:reply@x", "to:to@x", "to:to@x", "cc:" + utf8 + " <cc@x> jis",
                          "cc:" + sjis + " <cc@x>", "bcc:bcc@x", "bcc:bcc@x"}));
  EXPECT_EQ(mime.Sender(), u"sender@x");
  EXPECT_EQ(mime.ReplyTo(), u"reply@x");
  EXPECT_EQ(mime.Cc(), u"\u30C6\u30B9\u30C8 <cc@x>");
  EXPECT_EQ(mime.Bcc(), u"bcc@x");
  EXPECT_EQ(mime.Organization(), sjis);
  EXPECT_EQ(mime.XMailer(), sjis);
}

TEST_F(DecodeTest, TheRootKeepsItsContentTypeAndTransferEncodingLines) {
  DecodeText(
      "Content-Transfer-Encoding: base64\r\nSubject: s\r\n"
      "Content-Type: text/plain;\r\n charset=utf-8\r\n\r\n44GC\r\n");
  auto* text = dynamic_cast<TZelTextPart*>(mime.RootPart());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, u"\u3042");
  EXPECT_EQ(text->CharSet, mcsUTF_8);
  EXPECT_EQ(text->HeaderText,
            "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64");
}

TEST_F(DecodeTest, MainHeaderFieldsAreStored) {
  DecodeText(
      "Newsgroups: fj.test\r\nX-Mailer: M 1\r\nOrganization: Org\r\n"
      "Message-ID: <m@x>\r\nIn-Reply-To: <p@x>\r\nReferences: <r@x>\r\n\r\nbody");
  EXPECT_EQ(mime.Newsgroups(), "fj.test");
  EXPECT_EQ(mime.XMailer(), "M 1");
  EXPECT_EQ(mime.Organization(), "Org");
  EXPECT_EQ(mime.MessageId(), "<m@x>");
  EXPECT_EQ(mime.InReplyTo(), "<p@x>");
  EXPECT_EQ(mime.References(), "<r@x>");
}

}  // namespace
}  // namespace orvane
