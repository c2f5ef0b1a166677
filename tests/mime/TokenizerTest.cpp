#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/MimeParser.h"
#include "mime/ZelMimeAnalyser.h"

namespace orvane {
namespace {

struct Token {
  int kind;
  std::u16string text;
  int depth = 0;
  bool operator==(const Token&) const = default;
};

void PrintTo(const Token& t, std::ostream* os) {
  *os << "{" << t.kind << ", " << t.text.size() << " units, depth " << t.depth << "}";
}

std::vector<Token> ParserTokens(const std::u16string& text) {
  TMimeParser parser;
  parser.SetText(text);
  std::vector<Token> tokens;
  for (TMimeToken t; parser.Next(t);) tokens.push_back({t.Kind, std::u16string(t.Text), t.Depth});
  return tokens;
}

std::vector<Token> AnalyserTokens(const std::u16string& text, bool encodedWords = true) {
  TZelMimeAnalyser analyser(text, encodedWords);
  std::vector<Token> tokens;
  for (TAnalyserToken t; analyser.Next(t);) tokens.push_back({t.Kind, std::u16string(t.Text)});
  return tokens;
}

TEST(TMimeParser, CutsAStructuredValue) {
  EXPECT_EQ(ParserTokens(u"山田 \"a\\\"b\" (x (y)) <d@e>, f"),
            (std::vector<Token>{{mtNonAscii, u"山田"},
                                {mtSpace, u" "},
                                {mtQuoted, u"\"a\\\"b\""},
                                {mtSpace, u" "},
                                {mtComment, u"(x (y))"},
                                {mtSpace, u" "},
                                {mtSpecial, u"<"},
                                {mtAddress, u"d@e", 1},
                                {mtSpecial, u">", 1},
                                {mtSpecial, u","},
                                {mtSpace, u" "},
                                {mtAscii, u"f"}}));
}

TEST(TMimeParser, SplitsRunsAndFollowsBackslashes) {
  EXPECT_EQ(ParserTokens(u"Taro山田\\<x"),
            (std::vector<Token>{{mtAscii, u"Taro"}, {mtNonAscii, u"山田"}, {mtAscii, u"\\<x"}}));
  // Inside brackets the classes do not split a run.
  EXPECT_EQ(
      ParserTokens(u"<a山田>"),
      (std::vector<Token>{{mtSpecial, u"<"}, {mtAddress, u"a山田", 1}, {mtSpecial, u">", 1}}));
  // A stray ">" does not take the depth below 0; a trailing backslash ends.
  EXPECT_EQ(ParserTokens(u">a\\"), (std::vector<Token>{{mtSpecial, u">"}, {mtAscii, u"a\\"}}));
  EXPECT_EQ(ParserTokens(u"\"open (x"), (std::vector<Token>{{mtQuoted, u"\"open (x"}}));
  EXPECT_EQ(ParserTokens(u"(a\\)"), (std::vector<Token>{{mtComment, u"(a\\)"}}));
  EXPECT_EQ(ParserTokens(u""), std::vector<Token>{});
}

TEST(TZelMimeAnalyser, CutsPlainWordsWideRunsAndEncodedWords) {
  EXPECT_EQ(AnalyserTokens(u" Re: 会議の件 について =?a?B?x?=\r\n =?a?Q?y?=z"),
            (std::vector<Token>{{akPlain, u" "},
                                {akPlain, u"Re: "},
                                {akWide, u"会議の件 について "},
                                {akEncodedWord, u"=?a?B?x?="},
                                {akSpace, u"\r\n "},
                                {akEncodedWord, u"=?a?Q?y?="},
                                {akPlain, u"z"}}));
  EXPECT_EQ(
      AnalyserTokens(u"会議 meeting\r\n 資料"),
      (std::vector<Token>{{akWide, u"会議 "}, {akPlain, u"meeting\r\n "}, {akWide, u"資料"}}));
  // A line break and blanks where a token begins form a space token.
  EXPECT_EQ(AnalyserTokens(u"\r\n a"), (std::vector<Token>{{akSpace, u"\r\n "}, {akPlain, u"a"}}));
}

TEST(TZelMimeAnalyser, LeavesEncodedWordsAloneWhenEncoding) {
  // Not a token of its own, but a word readers would decode: it is wide.
  EXPECT_EQ(AnalyserTokens(u"x=?a?B?x?= \r\n y", false),
            (std::vector<Token>{{akWide, u"x=?a?B?x?= "}, {akPlain, u"\r\n "}, {akPlain, u"y"}}));
}

TEST(IsWideChar, MarksWhatShiftJisBytesCannotCarry) {
  EXPECT_FALSE(IsWideChar(u'a'));
  EXPECT_FALSE(IsWideChar(0x7F));
  EXPECT_FALSE(IsWideChar(0xD7));  // × is a Shift_JIS character
  EXPECT_FALSE(IsWideChar(0xB0));  // °
  EXPECT_TRUE(IsWideChar(0xE9));   // é is not
  EXPECT_TRUE(IsWideChar(0xFF));
  EXPECT_TRUE(IsWideChar(u'テ'));
}

}  // namespace
}  // namespace orvane
