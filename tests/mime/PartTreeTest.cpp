#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "mime/ContentType.h"
#include "mime/PartTree.h"
#include "mime/ZelMimePart.h"
#include "platform/Error.h"
#include "platform/ListIndex.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::FixedClock;
using test::ScopedTimeZone;

TEST(ExtensionContentType, LooksExtensionsUpAsSubstringsOfTheTable) {
  const struct {
    const char* extension;
    const char* type;
  } cases[] = {
      {".txt", "text/plain"},
      {".JPG", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".jp", "image/jpeg"},  // the beginning of a listed extension
      {".html", "text/html"},
      {".htm", "text/html"},
      {".ps", "application/postscript"},
      {".aif", "audio/x-aiff"},
      {".mp", "audio/mpeg"},  // ".mp3" stands before ".mpg"
      {".tiff", "image/tiff"},
      {".eml", "message/rfc822"},
      {".mov", "video/quicktime"},
      {".zip", "application/x-zip-compressed"},
      {".xyz", "application/octet-stream"},
      {"", "application/octet-stream"},
      {".txt ", "text/plain"},  // the entries are padded with blanks
      {".jpgx", "application/octet-stream"},
      {".", "text/plain"},  // a bare dot occurs first in the first entry
  };
  for (const auto& c : cases) EXPECT_EQ(ExtensionContentType(c.extension), c.type) << c.extension;
}

TEST(PartHeaders, AreBuiltByClassUnlessTheHeaderTextIsKnown) {
  TZelMessagePart noFile;
  EXPECT_EQ(noFile.GetHeader(), "");
  TZelMessagePart photo;
  photo.SetFileName("/tmp/A.JPG");
  EXPECT_EQ(photo.GetHeader(), "Content-Type: image/jpeg");

  TZelTextPart text;
  EXPECT_EQ(text.GetHeader(),
            "Content-Type: text/plain; charset=US-ASCII\r\nContent-Transfer-Encoding: 7bit");
  text.CharSet = mcsISO_2022_JP;
  EXPECT_EQ(text.GetHeader(),
            "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit");
  text.CharSet = mcsUTF_8;
  EXPECT_EQ(text.GetHeader(),
            "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit");

  EXPECT_EQ(TZelHtmlPart().GetHeader(), "Content-Type: text/html");
  TZelPartialPart partial;
  EXPECT_EQ(partial.GetHeader(),
            "Content-Type: message/partial\r\nContent-Transfer-Encoding: 7bit");

  TZelMultiPart multi("b1", "Alternative");
  EXPECT_EQ(multi.GetHeader(),
            "Content-Type: Multipart/Alternative; boundary=\"b1\"\r\n"
            "Content-Transfer-Encoding: 7bit");
  multi.Params = " type=\"text/html\"";
  EXPECT_EQ(multi.GetHeader(),
            "Content-Type: Multipart/Alternative; type=\"text/html\"; boundary=\"b1\"\r\n"
            "Content-Transfer-Encoding: 7bit");

  multi.HeaderText = "Content-Type: multipart/mixed; boundary=x";
  EXPECT_EQ(multi.GetHeader(), "Content-Type: multipart/mixed; boundary=x");
  text.HeaderText = "Content-Type: text/plain";
  EXPECT_EQ(text.GetHeader(), "Content-Type: text/plain");
}

TEST(PartialPart, SetPartialWritesTheNumbersAndTheQuotedId) {
  TZelPartialPart part(2, 3, "abc@x");
  EXPECT_EQ(part.Number, 2);
  EXPECT_EQ(part.Total, 3);
  EXPECT_EQ(part.GetHeader(),
            "Content-Type: message/partial; number=2; total=3;\r\n id=\"abc@x\"\r\n"
            "Content-Transfer-Encoding: 7bit");
}

TEST(MessageParts, SetFileNameDropsWhatThePartHeldInMemory) {
  TZelTextPart text;
  text.SetText(u"本文");
  text.Inline = true;
  EXPECT_TRUE(text.HasText);
  text.SetFileName("a.txt");
  EXPECT_FALSE(text.HasText);
  EXPECT_TRUE(text.Text.empty());
  EXPECT_FALSE(text.Inline);
  EXPECT_EQ(text.FileName, "a.txt");
  text.SetText(u"x");
  EXPECT_TRUE(text.FileName.empty());

  TZelHtmlPart html;
  html.Html = "<p>";
  html.SetFileName("a.html");
  EXPECT_TRUE(html.Html.empty());

  TZelPartialPart partial;
  partial.Data = "data";
  partial.SetFileName("p.bin");
  EXPECT_TRUE(partial.Data.empty());
}

TEST(TextPartFile, IsReadByItsByteOrderMarkOrAsShiftJis) {
  test::TempFolder folder;
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"", u""},
      {std::string("\xFF\xFE\x42\x30\x0D\x00\x0A\x00", 8), u"\u3042\r\n"},
      {std::string("\xFE\xFF\x30\x42\x00\x41", 6), u"\u3042A"},
      {"\x82\xA0\x82\xA2", u"\u3042\u3044"},  // Shift_JIS
      {"\xE3\x81\x82", u"\u3042"},            // valid UTF-8
  };
  for (const auto& c : cases) {
    test::WriteFile(folder / "body.txt", c.bytes);
    TZelTextPart part;
    part.SetFileName(folder / "body.txt");
    EXPECT_EQ(part.ReadText(), c.text);
  }
  TZelTextPart missing;
  missing.SetFileName(folder / "missing.txt");
  EXPECT_THROW(missing.ReadText(), FileError);
}

TEST(HtmlAndPartialContent, ComeFromTheFileWhenThereIsOne) {
  test::TempFolder folder;
  TZelHtmlPart html;
  html.Html = "<p>memory</p>";
  EXPECT_EQ(html.ReadSource(), "<p>memory</p>");
  test::WriteFile(folder / "empty.html", "");
  html.FileName = folder / "empty.html";
  EXPECT_EQ(html.ReadSource(), "<p>memory</p>");  // an empty file does not count
  test::WriteFile(folder / "page.html", "<p>file</p>");
  html.FileName = folder / "page.html";
  EXPECT_EQ(html.ReadSource(), "<p>file</p>");

  TZelPartialPart partial;
  partial.Data = "memory";
  partial.FileName = folder / "empty.html";
  EXPECT_EQ(partial.ReadContent(), "");  // an empty file counts here
  partial.FileName = folder / "none.bin";
  EXPECT_EQ(partial.ReadContent(), "memory");
}

TEST(Boundary, IsTheFixedPrefixSixLettersAToYAndTheLocalTime) {
  ScopedTimeZone tokyo("Asia/Tokyo");
  FixedClock clock(FromUtcDateTime(2003, 1, 5, 3, 34, 56));  // 12:34:56 in Japan
  std::set<char> seen;
  const std::regex form("ZelMime_([A-Y]{6})_20030105123456");
  for (int i = 0; i < 400; ++i) {
    AnsiString boundary = NewBoundary(clock);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(boundary, m, form)) << boundary;
    for (char c : m[1].str()) seen.insert(c);
  }
  EXPECT_EQ(seen.size(), 25u);  // every letter but Z turns up in 2400 draws
  TZelMultiPart multi(clock);
  EXPECT_EQ(multi.SubType, "Mixed");
  EXPECT_TRUE(std::regex_match(multi.Boundary, form));
}

std::unique_ptr<TZelTextPart> TextPart(const char16_t* text) {
  auto part = std::make_unique<TZelTextPart>();
  part->SetText(text);
  return part;
}

std::unique_ptr<TZelMessagePart> FilePart(const char* name) {
  auto part = std::make_unique<TZelMessagePart>();
  part->SetFileName(name);
  return part;
}

TEST(AddPart, TurnsASinglePartIntoMultipartMixedWithTheOldRootFirst) {
  FixedClock clock(FromUtcDateTime(2003, 1, 5, 3, 34, 56));
  TPartRoot root;
  TZelMimePart* text = AddPart(root, TextPart(u"body"), clock);
  EXPECT_EQ(root.get(), text);
  EXPECT_EQ(dynamic_cast<TZelMultiPart*>(root.get()), nullptr);

  TZelMimePart* first = AddPart(root, FilePart("a.bin"), clock);
  auto* mixed = dynamic_cast<TZelMultiPart*>(root.get());
  ASSERT_NE(mixed, nullptr);
  EXPECT_EQ(mixed->SubType, "Mixed");
  ASSERT_EQ(mixed->Parts.Count(), 2u);
  EXPECT_EQ(&mixed->Parts[0], text);
  EXPECT_EQ(&mixed->Parts[1], first);
  EXPECT_EQ(text->Parent(), mixed);
  EXPECT_EQ(first->ParentBoundary, mixed->Boundary);

  TZelMimePart* second = AddPart(root, FilePart("b.bin"), clock);
  EXPECT_EQ(root.get(), mixed);  // a mixed root takes further parts
  EXPECT_EQ(&mixed->Parts[2], second);
}

TEST(AddPart, WrapsAMultipartRootThatIsNotMixed) {
  FixedClock clock(TimePoint{});
  TPartRoot root = std::make_unique<TZelMultiPart>("alt", "alternative");
  TZelMimePart* old = root.get();
  AddPart(root, FilePart("a.bin"), clock);
  auto* mixed = dynamic_cast<TZelMultiPart*>(root.get());
  ASSERT_NE(mixed, old);
  EXPECT_EQ(&mixed->Parts[0], old);

  TPartRoot upper = std::make_unique<TZelMultiPart>("m", "MIXED");
  AddPart(upper, FilePart("a.bin"), clock);
  EXPECT_EQ(static_cast<TZelMultiPart&>(*upper).Parts.Count(), 1u);
  EXPECT_EQ(AddPart(upper, nullptr, clock), nullptr);
  EXPECT_EQ(upper, nullptr);  // adding none empties the tree
}

// root(m1): text "a", m2(file "X.PDF", text "b", m3(html)), file "c.bin"
TPartRoot SampleTree() {
  auto m1 = std::make_unique<TZelMultiPart>("m1", "mixed");
  auto m2 = std::make_unique<TZelMultiPart>("m2", "related");
  auto m3 = std::make_unique<TZelMultiPart>("m3", "alternative");
  m3->Parts.Add(std::make_unique<TZelHtmlPart>());
  auto fileText = std::make_unique<TZelTextPart>();
  fileText->SetFileName("t.txt");  // a text part without text
  m1->Parts.Add(std::move(fileText));
  m2->Parts.Add(FilePart("X.PDF"));
  m2->Parts.Add(TextPart(u"b"));
  m2->Parts.Add(std::move(m3));
  m1->Parts.Add(std::move(m2));
  m1->Parts.Add(FilePart("c.bin"));
  return m1;
}

TEST(TreeQueries, WalkDepthFirstWithMultipartsBeforeTheirChildren) {
  TPartRoot root = SampleTree();
  EXPECT_EQ(PartCount(root.get()), 7u);
  const char* order[] = {"t.txt", "m2", "X.PDF", "", "m3", "", "c.bin"};
  for (size_t i = 0; i < 7; ++i) {
    TZelMimePart& part = PartAt(root.get(), i);
    if (auto* m = dynamic_cast<TZelMultiPart*>(&part)) {
      EXPECT_EQ(m->Boundary, order[i]);
    } else {
      EXPECT_EQ(dynamic_cast<TZelMessagePart&>(part).FileName, order[i]);
    }
  }
  try {
    PartAt(root.get(), 7);
    ADD_FAILURE() << "no error past the last part";
  } catch (const Error& e) {  // shown to the user like any other error
    EXPECT_EQ(e.Message(), u"リストのインデックスが範囲を超えています (7)");
  }
  EXPECT_THROW(PartAt(nullptr, 0), ListIndexError);

  TZelTextPart* main = MainTextPart(root.get());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->Text, u"b");  // the first text part holding its text
  EXPECT_NE(FirstHtmlPart(root.get()), nullptr);
  EXPECT_EQ(FindMultiPart(root.get(), "m3")->Parts.Count(), 1u);
  EXPECT_EQ(FindMultiPart(root.get(), "M3"), nullptr);  // boundaries compare exactly
  TZelMessagePart* pdf = FindMessagePart(root.get(), "x.pdf");
  ASSERT_NE(pdf, nullptr);
  EXPECT_EQ(pdf->FileName, "X.PDF");
  EXPECT_EQ(FindMessagePart(root.get(), "x.pd"), nullptr);
}

TEST(TreeQueries, ASinglePartRootCountsOnce) {
  TPartRoot root = TextPart(u"x");
  EXPECT_EQ(PartCount(root.get()), 1u);
  EXPECT_EQ(&PartAt(root.get(), 0), root.get());
  EXPECT_THROW(PartAt(root.get(), 1), ListIndexError);
  EXPECT_EQ(MainTextPart(root.get()), root.get());
  EXPECT_EQ(PartCount(nullptr), 0u);
}

struct Tracked : TZelMessagePart {
  explicit Tracked(int& freed) : freed(freed) {}
  ~Tracked() override { ++freed; }
  int& freed;
};

TEST(PartList, OwnsItsPartsAndFreesWhatIsRemoved) {
  int freed = 0;
  TPartRoot root;
  {
    auto multi = std::make_unique<TZelMultiPart>("b", "mixed");
    auto nested = std::make_unique<TZelMultiPart>("n", "mixed");
    nested->Parts.Add(std::make_unique<Tracked>(freed));
    TZelMimePart* first = multi->Parts.Add(std::make_unique<Tracked>(freed));
    multi->Parts.Add(std::move(nested));
    EXPECT_TRUE(multi->Parts.Remove(first));
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(multi->Parts.Remove(first));
    root = std::move(multi);
  }
  TZelMimePart& nested = PartAt(root.get(), 0);
  RemovePart(root, &nested);  // the subtree goes with it
  EXPECT_EQ(freed, 2);
  EXPECT_EQ(PartCount(root.get()), 0u);
  RemovePart(root, root.get());
  EXPECT_EQ(root, nullptr);
}

}  // namespace
}  // namespace orvane
