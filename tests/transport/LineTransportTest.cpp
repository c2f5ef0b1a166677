#include <gtest/gtest.h>

#include <string>

#include "support/PiecesSource.h"
#include "transport/EhloList.h"
#include "transport/LineTransport.h"
#include "transport/Pop3Thread.h"
#include "transport/StreamedBody.h"

namespace orvane {
namespace {

TEST(ReplyHasCode, MatchesFinalLinesAndTheBareCodeOnly) {
  struct Case {
    const char* reply;
    const char* code;
    bool matches;
  } cases[] = {
      {"250\r\n", "250", true},
      {"250", "250", true},
      {"251\r\n", "250", false},
      {"250 OK\r\n", "250", true},
      {"250-first\r\n", "250", false},
      {"250-first\r\n250 last\r\n", "250", true},
      {"  250 indented\r\n", "250", true},
      {"\r\n\r\n250 after empty lines\r\n", "250", true},
      {"2500 no\r\n", "250", false},
      {"550 refused\r\n", "250", false},
      {"+OK ready\r\n", "+ok", true},
      {"+ok ready\r\n", "+OK", true},
      {"-ERR no\r\n", "+ok", false},
      {"+OK\r\n", "+ok", true},
      {"", "250", false},
      // RFC 5321 section 4.2: the last line may be the bare code.
      {"250-queued as 12\r\n250\r\n", "250", true},
      {"220-mx ready\r\n220\r\n", "220", true},
      {"250-queued as 12\r\n550\r\n", "250", false},
      {"250-queued as 12\r\n2500\r\n", "250", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplyHasCode(c.reply, c.code), c.matches) << c.reply;
}

TEST(BeyondFirstReply, GivesWhatFollowsTheFirstFinalLine) {
  struct Case {
    const char* received;
    const char* beyond;
  } cases[] = {
      {"220 go ahead\r\n", ""},
      {"220-go\r\n220 ahead\r\n", ""},
      {"220 go ahead\r\n250 injected\r\n", "250 injected\r\n"},
      {"220-go\r\n220\r\n235 ok\r\n", "235 ok\r\n"},
      {"+OK begin TLS\r\n+OK logged in\r\n", "+OK logged in\r\n"},
      {"220 go ahead\r\nx", "x"},
      {"220-not complete\r\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BeyondFirstReply(c.received), c.beyond) << c.received;
}

TEST(EffectiveTimeout, UsesOnlyValuesAboveTenSeconds) {
  EXPECT_EQ(EffectiveTimeout(0).count(), 600000);
  EXPECT_EQ(EffectiveTimeout(10000).count(), 600000);
  EXPECT_EQ(EffectiveTimeout(-5).count(), 600000);
  EXPECT_EQ(EffectiveTimeout(10001).count(), 10001);
  EXPECT_EQ(EffectiveTimeout(30000).count(), 30000);
}

TEST(IsSafeCommandLine, RefusesLineBreaksAndNul) {
  EXPECT_TRUE(IsSafeCommandLine("RCPT TO: <a@example.com>"));
  EXPECT_FALSE(IsSafeCommandLine("RCPT TO: <a@example.com>\r\nDATA"));
  EXPECT_FALSE(IsSafeCommandLine("USER a\nPASS"));
  EXPECT_FALSE(IsSafeCommandLine("USER a\rb"));
  EXPECT_FALSE(IsSafeCommandLine(std::string("USER a\0b", 8)));
}

struct BodyCase {
  const char* data;
  const char* wire;
  BodyEnd end = BodyEnd::Trimmed;
};

constexpr BodyCase kBodies[] = {
    {"line 1\r\n.\r\nline 3\r\n", "line 1\r\n..\r\nline 3\r\n.\r\n"},
    {"body\r\n.\r\n", "body\r\n.\r\n"},
    {"body\r\n\r\n  \r\n\t\r\n", "body\r\n.\r\n"},
    {".first\r\nsecond\r\n", "..first\r\nsecond\r\n.\r\n"},
    {"a\nb\n", "a\r\nb\r\n.\r\n"},
    {"a\rb\r", "a\r\nb\r\n.\r\n"},
    {"a\n.\nb", "a\r\n..\r\nb\r\n.\r\n"},
    {"a\r\n.\nb", "a\r\n..\r\nb\r\n.\r\n"},
    {"a\n\r\nb", "a\r\n\r\nb\r\n.\r\n"},
    {"..two\r\n", "...two\r\n.\r\n"},
    {"", "\r\n.\r\n"},
    {"end\r\n.", "end\r\n..\r\n.\r\n"},
    {"end\n.\n", "end\r\n.\r\n"},
    {"end\r\n.\r\n\r\n", "end\r\n..\r\n.\r\n"},
    {"\r\n.\r\n", "\r\n..\r\n.\r\n"},
    {".\r\n", "..\r\n.\r\n"},
    {"x.\r\n. \r\n..\r\n", "x.\r\n.. \r\n...\r\n.\r\n"},
    // Another program's message keeps its blanks, empty lines and a last
    // line of a single ".": a patch's blank context line is part of it.
    {"+a\n \n", "+a\r\n \r\n.\r\n", BodyEnd::AsGiven},
    {"end\n.\n", "end\r\n..\r\n.\r\n", BodyEnd::AsGiven},
    {"end\r\n.", "end\r\n..\r\n.\r\n", BodyEnd::AsGiven},
    {"tab\t\r\n\r\n\r\n", "tab\t\r\n\r\n\r\n.\r\n", BodyEnd::AsGiven},
    {"no break", "no break\r\n.\r\n", BodyEnd::AsGiven},
    {"a\rb\r", "a\r\nb\r\n.\r\n", BodyEnd::AsGiven},
    {"", ".\r\n", BodyEnd::AsGiven},
};

std::string WireForm(std::string_view data, BodyEnd end = BodyEnd::Trimmed) {
  BodyEncoder encoder(data, end);
  std::string wire;
  encoder.Fill(wire, std::string::npos);
  return wire;
}

TEST(BodyEncoder, StuffsDotsNormalisesLineEndsAndTerminates) {
  for (const BodyCase& c : kBodies) EXPECT_EQ(WireForm(c.data, c.end), c.wire) << c.data;
}

// Every body, split at every place and its rest read a few bytes at a
// time, asked for in pieces of any size: the wire form of the whole.
TEST(StreamedBody, GivesTheBytesOfTheWholeBodyHoweverItArrives) {
  std::string lines;
  for (int i = 0; i < 40; ++i) lines += (i % 3 ? ".line\r" : "x\n.\r\n") + std::string(i * 7, 'y');
  const std::string whole = WireForm(lines);
  EXPECT_TRUE(whole.starts_with("x\r\n..\r\n"));
  for (std::size_t piece : {1u, 5u, 1024u}) {
    StreamedBody body(lines, nullptr, BodyEnd::Trimmed);
    std::string pieces;
    while (!body.AtEnd()) body.Fill(pieces, pieces.size() + piece);
    EXPECT_EQ(pieces, whole) << piece;
  }
  for (const BodyCase& c : kBodies) {
    const std::string_view data = c.data;
    for (std::size_t split = 0; split <= data.size(); ++split) {
      for (std::size_t step : {1u, 2u, 64u}) {
        test::PiecesSource rest(data.substr(split), step);
        StreamedBody body(data.substr(0, split), &rest, c.end);
        std::string wire;
        while (!body.AtEnd()) body.Fill(wire, wire.size() + 3);
        EXPECT_EQ(wire, c.wire) << c.data << " split at " << split << " step " << step;
      }
    }
  }
}

TEST(EhloList, JoinsTheParametersOfARepeatedKeyword) {
  TEhloList list;
  list.Parse(
      "250-mail.example.com Hello\r\n250-PIPELINING\r\n250-AUTH LOGIN\r\n250-AUTH CRAM-MD5\r\n"
      "250-SIZE 1000\r\n250 8BITMIME\r\n");
  EXPECT_EQ(list.Entries(), (std::vector<AnsiString>{"PIPELINING", "AUTH=LOGIN CRAM-MD5",
                                                     "SIZE=1000", "8BITMIME"}));
}

TEST(EhloList, FindsKeywordsAndWholeParametersWithoutCase) {
  TEhloList list;
  list.Parse("250-host\r\n250-auth PLAIN LOGIN CRAM-MD5\r\n250 PIPELINING\r\n");
  EXPECT_TRUE(list.Has("AUTH", "LOGIN"));
  EXPECT_TRUE(list.Has("Auth", "cram-md5"));
  EXPECT_FALSE(list.Has("AUTH", "CRAM"));
  EXPECT_FALSE(list.Has("AUTH", "DIGEST-MD5"));
  EXPECT_TRUE(list.Has("pipelining"));
  EXPECT_TRUE(list.Has("AUTH"));
  EXPECT_FALSE(list.Has("STARTTLS"));
  EXPECT_FALSE(list.Has("PIPELINING", "X"));
}

TEST(EhloList, ParsingAnEmptyReplyClearsIt) {
  TEhloList list;
  list.Parse("250-host\r\n250 AUTH LOGIN\r\n");
  list.Parse("");
  EXPECT_TRUE(list.Entries().empty());
}

TEST(ApopTimestamp, TakesTheLastBracketedMessageIdAndNothingElse) {
  EXPECT_EQ(ApopTimestamp("+OK POP3 server ready <1896.697170952@dbc.mtview.ca.us>\r\n"),
            "<1896.697170952@dbc.mtview.ca.us>");
  EXPECT_EQ(ApopTimestamp("+OK <a> then <b@c>  \r\n"), "<b@c>");
  // RFC 1939 section 7: the timestamp may stand anywhere in the greeting.
  EXPECT_EQ(ApopTimestamp("+OK <1896.697170952@dbc.mtview.ca.us> POP3 server ready\r\n"),
            "<1896.697170952@dbc.mtview.ca.us>");
  EXPECT_EQ(ApopTimestamp("+OK <a@b> ready, <c@d> now\r\n"), "<c@d>");
  EXPECT_EQ(ApopTimestamp("+OK <a@b> then <unclosed\r\n"), "<a@b>");
  // Without one, a digest would be the same at every login.
  for (const char* greeting : {"  +OK ready\r\n", "+OK <open but not closed\r\n", "+OK <1.2>\r\n",
                               "+OK <@mx>\r\n", "+OK <1.2@>\r\n", "+OK <1.2 @mx>\r\n"})
    EXPECT_EQ(ApopTimestamp(greeting), std::nullopt) << greeting;
}

}  // namespace
}  // namespace orvane
