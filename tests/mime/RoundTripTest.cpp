#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mime/ZelMime.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::FixedClock;
using test::JapanNoon;
using test::ScopedTimeZone;
namespace fs = std::filesystem;

std::string RandomContent(size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator());
  return bytes;
}

struct RoundTrip {
  const char* name;
  TMimeCharSet charset;
  TCharSetEncodeMode mode;
  TAttachNameEncode nameEncode;
  std::u16string subject, from, to, cc, body;
};

void PrintTo(const RoundTrip& r, std::ostream* os) {
  *os << r.name;
}

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {
 protected:
  ScopedTimeZone tokyo{"Asia/Tokyo"};
  FixedClock clock{JapanNoon()};
  test::TempFolder folder;
};

TEST_P(RoundTripTest, GettersAndDecodeGiveBackWhatWasComposed) {
  const RoundTrip& r = GetParam();
  const std::vector<std::pair<std::string, std::string>> files = {
      {"データ 一覧.bin", RandomContent(100000, 1)},
      {"empty.dat", ""},
      {"photo.JPG", RandomContent(4097, 2)},
  };
  TZelMime writer(clock, folder.Path());
  writer.DefaultEncodeCharSet = r.charset;
  writer.CharSetEncodeMode = r.mode;
  writer.AttachNameEncode = r.nameEncode;
  writer.SetSubject(r.subject);
  writer.SetFrom(r.from);
  writer.SetTo(r.to);
  writer.SetCc(r.cc);
  writer.SetBodyText(r.body);
  writer.SetInReplyTo("<parent@example.com>");
  for (const auto& [name, bytes] : files) {
    test::WriteFile(folder / "in" / name, bytes);
    writer.Attachments().Add(folder / "in" / name);
  }
  writer.Compose();

  TZelMime reader(clock, folder.Path());
  reader.AttachDir = folder / "out";
  reader.SetMessageText(writer.MessageText());
  EXPECT_EQ(reader.Subject(), r.subject);
  EXPECT_EQ(reader.From(), r.from);
  EXPECT_EQ(reader.To(), r.to);
  EXPECT_EQ(reader.Cc(), r.cc);
  EXPECT_EQ(reader.MessageId(), writer.MessageId());
  EXPECT_EQ(reader.InReplyTo(), "<parent@example.com>");
  EXPECT_EQ(reader.Date(), JapanNoon());

  reader.Decode();
  EXPECT_EQ(reader.BodyText(), r.body);
  EXPECT_EQ(reader.Subject(), r.subject);
  const TAttachList& saved = reader.Attachments();
  ASSERT_EQ(saved.Count(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(saved[i].filename(), files[i].first);
    EXPECT_EQ(test::ReadFile(saved[i]), files[i].second) << files[i].first;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RoundTripTest,
    ::testing::Values(
        RoundTrip{"Ascii", mcsUS_ASCII, ceField, aeRfc2231, u"Plain subject", u"A <a@example.com>",
                  u"b@example.com", u"", u"line 1\r\nline 2\r\n"},
        RoundTrip{"Japanese", mcsISO_2022_JP, ceField, aeRfc2231, u"Re: 会議の件 について",
                  u"送信者 <s@example.com>", u"受信者 <t@example.com>, u@example.com",
                  u"写し <c@example.com>", u"本文です。\r\n①②③ と カタカナ\r\n"},
        RoundTrip{"MimeBNames", mcsISO_2022_JP, ceLine, aeMimeB,
                  u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ",
                  u"送信者 <s@example.com>", u"t@example.com", u"", u"短い本文"},
        RoundTrip{"Utf8Body", mcsUTF_8, ceMessage, aeRfc2231, u"한국어 テスト 😀",
                  u"김 <k@example.com>", u"t@example.com", u"", u"한국어 テスト 😀\r\n"}));

}  // namespace
}  // namespace orvane
