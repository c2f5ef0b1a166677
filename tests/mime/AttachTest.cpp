#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "mime/ZelMime.h"
#include "platform/ListIndex.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::FixedClock;
using test::JapanNoon;
using test::ScopedTimeZone;

std::string Bytes0To99() {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += static_cast<char>(i);
  return bytes;
}

class AttachTest : public ::testing::Test {
 protected:
  AttachTest() {
    mime.Option.Exclude(TMimeOption::SetDateField);
    test::WriteFile(folder / "report.pdf", Bytes0To99());
    test::WriteFile(folder / "b.bin", "ab");
  }

  AnsiString Boundary() const {
    auto* multi = dynamic_cast<TZelMultiPart*>(mime.RootPart());
    return multi ? multi->Boundary : "";
  }
  std::string Text() const { return mime.MessageText(); }

  ScopedTimeZone tokyo{"Asia/Tokyo"};
  FixedClock clock{JapanNoon()};
  test::TempFolder folder;
  TZelMime mime{clock, folder.Path()};
};

TEST_F(AttachTest, APlainMessageHasNoMultipart) {
  mime.SetBodyText(u"body");
  mime.Compose();
  EXPECT_NE(dynamic_cast<TZelTextPart*>(mime.RootPart()), nullptr);
  EXPECT_EQ(Text().find("ultipart"), std::string::npos);
  EXPECT_TRUE(mime.Attachments().Empty());
}

TEST_F(AttachTest, AttachmentsMakeAMultipartMixedWithTheTextFirst) {
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "report.pdf");
  mime.Attachments().Add(folder / "b.bin");
  mime.Compose();
  const AnsiString b = Boundary();
  ASSERT_TRUE(std::regex_match(b, std::regex("ZelMime_[A-Y]{6}_20030105123456"))) << b;
  const std::string expected =
      "MIME-Version: 1.0\r\n"
      "Content-Type: Multipart/Mixed; boundary=\"" +
      b +
      "\"\r\n"
      "Content-Transfer-Encoding: 7bit\r\n"
      "\r\n"
      "\r\n--" +
      b +
      "\r\n"
      "Content-Type: text/plain; charset=US-ASCII\r\n"
      "Content-Transfer-Encoding:7bit\r\n"
      "\r\n"
      "body"
      "\r\n--" +
      b +
      "\r\n"
      "Content-Type: application/octet-stream;\r\n"
      " name=\"report.pdf\"\r\n"
      "Content-Disposition: attachment;\r\n"
      " filename=\"report.pdf\"\r\n"
      "Content-Transfer-Encoding: Base64\r\n"
      "\r\n"
      "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4v\r\n"
      "MDEyMzQ1Njc4OTo7PD0+P0BBQkNERUZHSElKS0xNTk9QUVJTVFVWV1hZWltcXV5f\r\n"
      "YGFiYw==\r\n"
      "\r\n--" +
      b +
      "\r\n"
      "Content-Type: application/octet-stream;\r\n"
      " name=\"b.bin\"\r\n"
      "Content-Disposition: attachment;\r\n"
      " filename=\"b.bin\"\r\n"
      "Content-Transfer-Encoding: Base64\r\n"
      "\r\n"
      "YWI=\r\n"
      "\r\n--" +
      b + "--\r\n";
  EXPECT_EQ(Text(), expected);
  EXPECT_EQ(
      std::vector<std::filesystem::path>(mime.Attachments().begin(), mime.Attachments().end()),
      (std::vector<std::filesystem::path>{folder / "report.pdf", folder / "b.bin"}));
}

TEST_F(AttachTest, MimeSortedPutsTheTextFirstWhateverTheOrderOfAdding) {
  mime.Attachments().Add(folder / "b.bin");
  mime.SetBodyText(u"body");
  mime.MimeSorted = true;
  mime.Compose();
  size_t text = Text().find("text/plain");
  size_t attachment = Text().find("b.bin");
  EXPECT_LT(text, attachment);

  TZelMime unsorted(clock, folder.Path());
  unsorted.Attachments().Add(folder / "b.bin");
  unsorted.SetBodyText(u"body");
  unsorted.Compose();
  EXPECT_LT(unsorted.MessageText().find("b.bin"), unsorted.MessageText().find("text/plain"));
}

TEST_F(AttachTest, AnEmptyFileIsOneEmptyLine) {
  test::WriteFile(folder / "empty.dat", "");
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "empty.dat");
  mime.Compose();
  EXPECT_NE(
      Text().find("Content-Transfer-Encoding: Base64\r\n\r\n\r\n\r\n--" + Boundary() + "--\r\n"),
      std::string::npos)
      << Text();
}

TEST_F(AttachTest, AnEmlFileIsAnEnclosedMessage) {
  const std::string enclosed = "Subject: inner\r\n\r\nbody \xff\r\n";
  test::WriteFile(folder / "Fwd.EML", enclosed);
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "Fwd.EML");
  mime.Compose();
  EXPECT_NE(Text().find("\r\n--" + Boundary() + "\r\nContent-Type: message/rfc822\r\n\r\n" +
                        enclosed + "\r\n--" + Boundary() + "--\r\n"),
            std::string::npos)
      << Text();
  EXPECT_EQ(Text().find("Content-Disposition"), std::string::npos);
}

TEST_F(AttachTest, AMissingFileLeavesAnEmptyPart) {
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "gone.bin");
  mime.Compose();
  EXPECT_NE(Text().find("body\r\n--" + Boundary() + "\r\n--" + Boundary() + "--\r\n"),
            std::string::npos)
      << Text();
}

TEST_F(AttachTest, DeletingAnEntryRemovesItsPart) {
  mime.SetBodyText(u"body");
  mime.Attachments().Add(folder / "report.pdf");
  mime.Attachments().Add(folder / "b.bin");
  mime.Attachments().Delete(0);
  EXPECT_EQ(PartCount(mime.RootPart()), 2u);
  ASSERT_EQ(mime.Attachments().Count(), 1u);
  EXPECT_EQ(mime.Attachments()[0], folder / "b.bin");

  TZelMime single(clock, folder.Path());
  single.Attachments().Add(folder / "b.bin");
  EXPECT_NE(single.RootPart(), nullptr);
  single.Attachments().Delete(0);
  EXPECT_EQ(single.RootPart(), nullptr);  // the only part: the tree is emptied
}

TEST_F(AttachTest, ClearPutInsertAndAssignKeepTheTreeInStep) {
  mime.SetBodyText(u"body");
  TAttachList& list = mime.Attachments();
  list.Assign({folder / "report.pdf", folder / "b.bin"});
  list.Put(1, folder / "c.bin");
  list.Insert(0, folder / "b.bin");
  mime.Attachments();
  EXPECT_EQ(std::vector<std::filesystem::path>(list.begin(), list.end()),
            (std::vector<std::filesystem::path>{folder / "report.pdf", folder / "c.bin",
                                                folder / "b.bin"}));  // as the tree orders them
  list.Clear();
  EXPECT_TRUE(mime.Attachments().Empty());
  EXPECT_EQ(PartCount(mime.RootPart()), 1u);  // the text part stays
  EXPECT_THROW(list.Delete(0), ListIndexError);
}

TEST_F(AttachTest, AnInlinePartOfTheSameFileIsNotAttachedAgain) {
  auto part = std::make_unique<TZelHtmlPart>();
  part->SetFileName(folder / "page.html");
  part->Inline = true;
  mime.AddPart(std::move(part));
  mime.Attachments().Add(folder / "PAGE.html");
  EXPECT_EQ(PartCount(mime.RootPart()), 1u);
  mime.Attachments().Add(folder / "b.bin");
  mime.Attachments().Add(folder / "b.bin");  // twice is twice
  EXPECT_EQ(PartCount(mime.RootPart()), 3u);
}

TEST_F(AttachTest, ContentTypeForLetsAHandlerTypeOnlyUnknownExtensions) {
  EXPECT_EQ(mime.ContentTypeFor("A.JPG"), "image/jpeg");
  EXPECT_EQ(mime.ContentTypeFor("a.xyz"), "application/octet-stream");
  std::vector<std::pair<std::string, bool>> seen;
  mime.OnContentTypeCreate = [&](TZelMime&, const AnsiString& ext, bool isDefault,
                                 AnsiString& type) {
    seen.emplace_back(ext, isDefault);
    type = "x-custom/type\r\nBcc: evil";
  };
  EXPECT_EQ(mime.ContentTypeFor("a.XYZ"), "x-custom/typeBcc: evil");
  EXPECT_EQ(mime.ContentTypeFor("A.JPG"), "image/jpeg");
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{{".xyz", false}, {".jpg", true}}));
  mime.OnContentTypeCreate = [](TZelMime&, const AnsiString&, bool, AnsiString& type) {
    type = "APPLICATION/OCTET-STREAM";
  };
  EXPECT_EQ(mime.ContentTypeFor("a.xyz"), "application/octet-stream");
}

TEST_F(AttachTest, HtmlPartsGoAsQuotedPrintableOrBase64) {
  auto ascii = std::make_unique<TZelHtmlPart>();
  ascii->Html = "<p>a=b</p>";
  mime.AddPart(std::move(ascii));
  auto japanese = std::make_unique<TZelHtmlPart>();
  japanese->Html = "<p>\x82\xA0</p>";
  mime.AddPart(std::move(japanese));
  mime.Compose();
  EXPECT_NE(Text().find("\r\nContent-Type: text/html\r\nContent-Transfer-Encoding:quoted-printable"
                        "\r\n\r\n<p>a=3Db</p>\r\n--"),
            std::string::npos)
      << Text();
  EXPECT_NE(Text().find("\r\nContent-Type: text/html\r\nContent-Transfer-Encoding:base64"
                        "\r\n\r\nPHA+gqA8L3A+\r\n\r\n--"),
            std::string::npos)
      << Text();
}

TEST_F(AttachTest, PartialPartsAreWrittenWithTheirHeaderAndContent) {
  mime.AddPart(std::make_unique<TZelPartialPart>(1, 2, "id@x"));
  static_cast<TZelPartialPart*>(mime.RootPart())->Data = "piece";
  mime.Compose();
  EXPECT_TRUE(
      Text().ends_with("\r\nContent-Type: message/partial; number=1; total=2;\r\n id=\"id@x\"\r\n"
                       "Content-Transfer-Encoding: 7bit\r\n\r\npiece"))
      << Text();
}

TEST_F(AttachTest, ALargeAttachmentIsEncodedWhole) {
  std::string big(48 * 16384 * 2 + 1000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
  test::WriteFile(folder / "big.bin", big);
  mime.Attachments().Add(folder / "big.bin");
  mime.Compose();
  TZelMime reader(clock, folder.Path());
  reader.SetMessageText(mime.MessageText());
  reader.AttachDir = folder / "out";
  reader.Option.Exclude(TMimeOption::MakeSubDir);
  reader.Decode();
  EXPECT_EQ(test::ReadFile(folder / "out/big.bin"), big);
  // Every line of the base64 is 64 characters but the last.
  std::string_view body = mime.MessageText();
  size_t lines = 0, at = body.find("Base64\r\n\r\n") + 10;
  while (true) {
    size_t end = body.find("\r\n", at);
    size_t length = end - at;
    if (length != 64) {
      EXPECT_EQ(length, 56u);  // the last 40 bytes
      break;
    }
    ++lines;
    at = end + 2;
  }
  EXPECT_EQ(lines, big.size() / 48);
}

}  // namespace
}  // namespace orvane
