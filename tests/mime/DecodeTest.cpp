#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "MimeTestSupport.h"
#include "mime/ZelMime.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

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

TEST_F(DecodeTest, FileNamesAreMadeSafe) {
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
  EXPECT_FALSE(fs::exists(folder.Path().parent_path() / "x"));
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

TEST_F(DecodeTest, WithoutAttachDecodeFilesAreEmptyOrNotMade) {
  mime.Option.Exclude(TMimeOption::AttachDecode);
  std::string message = Multipart({"Content-Type: application/octet-stream; name=a.bin\r\n\r\nx"});
  DecodeText(message);
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
