#include <gtest/gtest.h>

#include "app/MailAddUnit.h"
#include "app/Priority.h"
#include "app/ReferenceUnit.h"
#include "app/SubjectUnit.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

std::string U8(std::u16string_view text) {
  return WideToUtf8(text);
}

TEST(MailAddUnit, QuoteDisplayNameQuotesNamesWithSpecials) {
  struct Case {
    const char16_t* name;
    const char16_t* quoted;
  } cases[] = {
      {u"Yamada, Taro", u"\"Yamada, Taro\""},
      {u"Taro", u"Taro"},
      {u"T. Yamada", u"\"T. Yamada\""},
      {u"", u""},
      {u"山田 太郎", u"山田 太郎"},
      {u"山田(営業)", u"\"山田(営業)\""},
      // Full-width punctuation is not a special.
      {u"山田，太郎", u"山田，太郎"},
      {u"a@b", u"\"a@b\""},
      // Quotes and backslashes inside become quoted pairs.
      {u"Taro \"T\" Yamada", u"\"Taro \\\"T\\\" Yamada\""},
      {u"\"Yamada, Taro\"", u"\"\\\"Yamada, Taro\\\"\""},
      {u"C:\\dir", u"\"C:\\\\dir\""},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(QuoteDisplayName(c.name)), U8(c.quoted)) << U8(c.name);
}

TEST(MailAddUnit, ExtractAddressTakesTheBracketedPart) {
  struct Case {
    const char16_t* entry;
    bool stripBrackets;
    bool removeComments;
    const char16_t* address;
  } cases[] = {
      {u"Taro <taro@example.jp>", true, false, u"taro@example.jp"},
      {u"Taro <taro@example.jp>", false, false, u"<taro@example.jp>"},
      // Without both brackets the entry comes back as it is, blanks too.
      {u" taro@example.jp ", true, true, u" taro@example.jp "},
      {u"a>b", true, false, u"a>b"},
      {u"\"Taro (home)\" <taro@example.jp>", true, false, u"taro@example.jp"},
      {u"山田 太郎 <yamada@example.jp> ", true, false, u"yamada@example.jp"},
      {u"Taro < taro@example.jp >", true, false, u"taro@example.jp"},
      {u"<a@example.jp> and <b@example.jp>", false, false, u"<a@example.jp><b@example.jp>"},
      {u"<taro@example.jp (home)>", true, false, u"taro@example.jp (home)"},
      {u"<taro@example.jp (home)>", true, true, u"taro@example.jp"},
      // Quoted text keeps its parentheses.
      {u"<\"a (b)\"@example.jp>", true, true, u"\"a (b)\"@example.jp"},
      // Comments do not nest: the first ")" ends one.
      {u"<x(a(b)c)@example.jp>", true, true, u"xc)@example.jp"},
      {u"名前 <(コメント)住所@例.jp>", true, true, u"住所@例.jp"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U8(ExtractAddress(c.entry, c.stripBrackets, c.removeComments)), U8(c.address))
        << U8(c.entry) << " " << c.stripBrackets << c.removeComments;
}

TEST(MailAddUnit, ExtractDisplayNameTakesTheTextBeforeTheLastBracket) {
  struct Case {
    const char16_t* entry;
    bool stripQuotes;
    bool removeComments;
    const char16_t* name;
  } cases[] = {
      {u"Taro <taro@example.jp>", true, true, u"Taro"},
      {u"taro@example.jp", true, true, u""},
      {u"Taro <taro@example.jp> (home)", true, true, u""},
      {u"Taro <taro@example.jp> ", false, false, u""},
      {u"taro@example.jp>", false, false, u""},
      {u"\"Taro (home)\" <taro@example.jp>", false, false, u"\"Taro (home)\""},
      {u"\"Taro (home)\" <taro@example.jp>", true, false, u"Taro (home)"},
      {u"\"Taro (home)\" <taro@example.jp>", true, true, u"Taro"},
      // Inside quotes a comment is text.
      {u"\"Taro (home)\" <taro@example.jp>", false, true, u"\"Taro (home)\""},
      {u"  \" 山田, 太郎 \"  <yamada@example.jp>", true, false, u"山田, 太郎"},
      {u"Taro (home) <taro@example.jp>", false, true, u"Taro"},
      {u"<a@example.jp> <b@example.jp>", false, false, u"<a@example.jp>"},
      {u"\"Taro \\\"T\\\" Yamada\" <taro@example.jp>", true, false, u"Taro \"T\" Yamada"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U8(ExtractDisplayName(c.entry, c.stripQuotes, c.removeComments)), U8(c.name))
        << U8(c.entry) << " " << c.stripQuotes << c.removeComments;
}

TEST(MailAddUnit, QuotedNamesComeBackWhole) {
  for (const char16_t* name : {u"Yamada, Taro", u"T. Yamada", u"山田 太郎", u"Taro \"T\" Yamada",
                               u"C:\\dir", u"\"Yamada, Taro\"", u"a (b) c"}) {
    const WideString entry = QuoteDisplayName(name) + u" <taro@example.jp>";
    EXPECT_EQ(U8(ExtractDisplayName(entry, true, false)), U8(name)) << U8(entry);
    EXPECT_EQ(U8(ExtractAddress(entry, true, false)), "taro@example.jp") << U8(entry);
  }
}

TEST(Priority, LinesOfEachLevel) {
  struct Case {
    int level;
    std::vector<AnsiString> lines;
  } cases[] = {
      {1, {"Priority: urgent", "X-Priority: 1", "X-MSMail-Priority: High"}},
      {2, {"Priority: urgent", "X-Priority: 2", "X-MSMail-Priority: High"}},
      {3, {}},
      {4, {"Priority: non-urgent", "X-Priority: 4", "X-MSMail-Priority: Low"}},
      {5, {"Priority: non-urgent", "X-Priority: 5", "X-MSMail-Priority: Low"}},
      {0, {}},
      {6, {}},
      {-1, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(PriorityLines(c.level), c.lines) << c.level;
}

// "<i1>" ... "<i20>", as a References value separated by blanks.
WideString TwentyIds() {
  WideString ids;
  for (int i = 1; i <= 20; ++i) ids += u"<i" + Utf8ToWide(std::to_string(i)) + u"@example.jp> ";
  return ids;
}

WideString FirstSixteenThen(const WideString& tail) {
  WideString chain = u"<i1@example.jp>\r\n";
  for (int i = 2; i <= 16; ++i)
    chain += u"\t<i" + Utf8ToWide(std::to_string(i)) + u"@example.jp>\r\n";
  return chain + tail;
}

TEST(ReferenceUnit, BuildReferences) {
  struct Case {
    WideString references;
    const char16_t* messageId;
    const char16_t* inReplyTo;
    WideString chain;
  } cases[] = {
      {u"<i1> <i2> <i2>", u"<i3>", u"<i2>", u"<i1>\r\n\t<i2>\r\n\t<i3>\r\n"},
      {TwentyIds(), u"<m@example.jp>", u"", FirstSixteenThen(u"\t<m@example.jp>\r\n")},
      // The parent's own identifiers join past the sixteen.
      {TwentyIds(), u"<m@example.jp>", u"<r@example.jp>",
       FirstSixteenThen(u"\t<m@example.jp>\r\n\t<r@example.jp>\r\n")},
      // An identifier beyond the sixteen is not in the chain, so it joins.
      {TwentyIds(), u"<i20@example.jp>", u"<I3@EXAMPLE.JP>",
       FirstSixteenThen(u"\t<i20@example.jp>\r\n")},
      {u"", u"<m@example.jp>", u"<p@example.jp>", u"<m@example.jp>\r\n\t<p@example.jp>\r\n"},
      {u"", u"", u"", u""},
      {u"", u"", u"<p@example.jp>", u"<p@example.jp>\r\n"},
      // Identifiers compare without case.
      {u"<A@Example.JP>\r\n\t<b@example.jp>", u"<a@example.jp>", u"<B@EXAMPLE.JP>",
       u"<A@Example.JP>\r\n\t<b@example.jp>\r\n"},
      // Text between identifiers and comments inside them go; a stray ">"
      // adds no empty line.
      {u"x <a@example.jp(c)> y > <b@example.jp>", u"", u"",
       u"<a@example.jp>\r\n\t<b@example.jp>\r\n"},
      {u">><a@example.jp>", u"", u"", u"<a@example.jp>\r\n"},
      // An unclosed identifier at the end is dropped.
      {u"<a@example.jp> <b@exa", u"", u"", u"<a@example.jp>\r\n"},
      {u"<a@example.jp>", u"<m@example.jp> (the parent)", u"",
       u"<a@example.jp>\r\n\t<m@example.jp>\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U8(BuildReferences(c.references, c.messageId, c.inReplyTo)), U8(c.chain))
        << U8(c.references) << " | " << U8(c.messageId) << " | " << U8(c.inReplyTo);
}

TEST(SubjectUnit, StripListTag) {
  struct Case {
    const char16_t* subject;
    const char16_t* stripped;
  } cases[] = {
      {u"[ml:0123] Re: Hello", u"Re: Hello"},
      {u"Meeting: today", u"today"},
      {u"Hello", u"Hello"},
      {u"[ml] Hi", u"Hi"},
      {u"  Hello", u"Hello"},
      {u"", u""},
      {u"Re: [ml:1] x", u"Re:  x"},
      {u"[ml:1]", u""},
      // Positions count characters, not bytes.
      {u"【重要】[営業:12] 報告", u"【重要】 報告"},
      {u"[ラボ:0012] 会議のお知らせ", u"会議のお知らせ"},
      {u"[unclosed tag", u"unclosed tag"},
      {u"a:b]c", u"c"},
      {u"x [y", u"x y"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U8(StripListTag(c.subject)), U8(c.stripped)) << U8(c.subject);
}

TEST(SubjectUnit, StripReplyPrefix) {
  struct Case {
    const char16_t* subject;
    const char16_t* stripped;
  } cases[] = {
      {u"Re: Re: Hello", u"Hello"},
      {u"RE[2]: Hello", u"Hello"},
      {u"Regarding: x", u"Regarding: x"},
      {u"Report: x", u"x"},
      {u"Re", u"Re"},
      {u"Report", u"Report"},
      {u"re: RE: Re[3]: Re^4:x", u"x"},
      {u"Re:", u""},
      {u"Re:Re:  見積の件", u"見積の件"},
      {u" Re: x", u" Re: x"},
      {u"Hello: x", u"Hello: x"},
      // A full-width colon is not a prefix's end.
      {u"Re：見積", u"Re：見積"},
      {u"Re: 件名：見積", u"件名：見積"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(U8(StripReplyPrefix(c.subject)), U8(c.stripped)) << U8(c.subject);
}

TEST(SubjectUnit, ReplySubjectCombinesBoth) {
  EXPECT_EQ(U8(u"Re: " + StripReplyPrefix(StripListTag(u"[ml:0123] Re: Re[2]: 見積"))), "Re: 見積");
}

}  // namespace
}  // namespace orvane
