#include <gtest/gtest.h>

#include "app/MailtoUri.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// The fields a link gave, "name:value" for each one that is not empty.
std::string Described(const MailtoFields& f) {
  WideString ignored;
  for (const WideString& key : f.ignoredKeys) ignored += (ignored.empty() ? u"" : u",") + key;
  std::string described = f.refusal ? "refused" : "";
  for (auto [name, value] : {std::pair{"to:", f.to},
                             {"cc:", f.cc},
                             {"bcc:", f.bcc},
                             {"subject:", f.subject},
                             {"body:", f.body},
                             {"in-reply-to:", f.inReplyTo},
                             {"references:", f.references},
                             {"ignored:", ignored}})
    if (!value.empty())
      described += std::string(described.empty() ? "" : " | ") + name + WideToUtf8(value);
  return described;
}

// RFC 6068 §6.1 and §6.2 as written there, then what a link must never do.
TEST(MailtoUri, FieldsOfTheRfcExamplesAndRefusals) {
  std::string manyAddresses = "mailto:?to=a@example.jp";
  for (int i = 0; i < 1000; ++i) manyAddresses += ",a@example.jp";
  struct Case {
    std::string uri, fields;
  } cases[] = {
      {"mailto:chris@example.com", "to:chris@example.com"},
      {"mailto:infobot@example.com?subject=current-issue",
       "to:infobot@example.com | subject:current-issue"},
      {"mailto:infobot@example.com?body=send%20current-issue",
       "to:infobot@example.com | body:send current-issue\r\n"},
      {"mailto:infobot@example.com?body=send%20current-issue%0D%0Asend%20index",
       "to:infobot@example.com | body:send current-issue\r\nsend index\r\n"},
      {"mailto:list@example.org?In-Reply-To=%3C3469A91.D10AF4C@example.com%3E",
       "to:list@example.org | in-reply-to:<3469A91.D10AF4C@example.com>"},
      {"mailto:joe@example.com?cc=bob@example.com&body=hello",
       "to:joe@example.com | cc:bob@example.com | body:hello\r\n"},
      {"mailto:?to=joe@example.com&cc=bob@example.com&body=hello",
       "to:joe@example.com | cc:bob@example.com | body:hello\r\n"},
      {"mailto:gorby%25kremvax@example.com", "to:gorby%kremvax@example.com"},
      {"mailto:unlikely%3Faddress@example.com?blat=foop",
       "to:unlikely?address@example.com | ignored:blat"},
      {"mailto:Mike%26family@example.org", "to:Mike&family@example.org"},
      {"mailto:%22not%40me%22@example.org", "to:\"not@me\"@example.org"},
      {"mailto:%22oh%5C%5Cno%22@example.org", "to:\"oh\\\\no\"@example.org"},
      {"mailto:%22%5C%5C%5C%22it's%5C%20ugly%5C%5C%5C%22%22@example.org",
       "to:\"\\\\\\\"it's\\ ugly\\\\\\\"\"@example.org"},
      {"mailto:user@example.org?subject=caf%C3%A9&body=caf%C3%A9",
       "to:user@example.org | subject:café | body:café\r\n"},
      {"mailto:user@%E7%B4%8D%E8%B1%86.example.org?subject=Test&body=NATTO",
       "to:user@納豆.example.org | subject:Test | body:NATTO\r\n"},
      {"MAILTO:taro@example.jp?SUBJECT=%E8%A6%8B%E7%A9%8D%E3%82%82%E3%82%8A&Body=%E3%81%8A%E4%B8"
       "%96%E8%A9%B1%E3%81%AB%E3%81%AA%E3%81%A3%E3%81%A6%E3%81%8A%E3%82%8A%E3%81%BE%E3%81%99%0A"
       "&references=%3Ca@x%3E%20%3Cb@x%3E",
       "to:taro@example.jp | subject:見積もり | body:お世話になっております\r\n | "
       "references:<a@x> <b@x>"},
      // Shift_JIS when not UTF-8, Latin-1 when neither; "+" is no blank here.
      {"mailto:a@example.jp?subject=%8C%A9%90%CF&body=caf%E9+1",
       "to:a@example.jp | subject:見積 | body:café+1\r\n"},
      {"mailto:a@example.jp?to=b@example.jp&bcc=c@example.jp&to=d@example.jp",
       "to:a@example.jp, b@example.jp, d@example.jp | bcc:c@example.jp"},
      // Never a file, a sender or another header field; never a header line.
      {"mailto:a@example.jp?attach=/etc/passwd&Attachment=~/.ssh/id_rsa&file=x&from=boss@"
       "example.jp&sender=s@example.jp&X-Mailer=y&ATTACH=z",
       "to:a@example.jp | ignored:attach,attachment,file,from,sender,x-mailer"},
      {"mailto:a@example.jp%0D%0ABcc:%20evil@example.jp?subject=Hi%0D%0ABcc:%20evil@example.jp"
       "&body=one%0Dtwo%00%09three",
       "to:a@example.jp  Bcc: evil@example.jp | subject:Hi  Bcc: evil@example.jp | "
       "body:one\r\ntwo \tthree\r\n"},
      {"mailto:?body=" + std::string(kMaxMailtoBytes, 'x'), "refused"},
      {manyAddresses, "refused"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Described(ParseMailtoUri(Utf8ToWide(c.uri))), c.fields) << c.uri.substr(0, 80);
}

}  // namespace
}  // namespace orvane
