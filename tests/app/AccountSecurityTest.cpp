#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "app/AccountSecurity.h"
#include "platform/Error.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

using enum TPlainAuthVerdict;

// What an account file says about encryption, and whether its password may
// then go in plain text to a server elsewhere: an old file keeps sending it
// (with the warning), a file of the new dialog refuses unless allowed.
TEST(ReadAccountSecurity, DecidesFromTheAccountFile) {
  struct Case {
    const char* file;  // section Account; nullptr: no file at all
    TSecurity smtp, pop;
    const char* fingerprint;
    TPlainAuthVerdict plainElsewhere;
  } cases[] = {
      {nullptr, scNone, scNone, "", kSendAndWarn},
      {"Auth=-1\r\nUserID=taro\r\n", scNone, scNone, "", kSendAndWarn},
      {"Security=0\r\nAuth=-1\r\n", scNone, scNone, "", kRefuse},
      {"Security=\"0\"\r\nAllowPlainAuth=-1\r\n", scNone, scNone, "", kSend},
      {"Security=0\r\nAllowPlainAuth=1\r\n", scNone, scNone, "", kRefuse},
      {"Security=0\r\nAllowPlainAuth=True\r\n", scNone, scNone, "", kRefuse},
      {"Security=1\r\nPopSecurity=2\r\nTlsFingerprint=AB:CD\r\n", scStartTls, scTls, "AB:CD",
       kRefuse},
      {"security=2\r\n", scTls, scNone, "", kRefuse},
      {"PopSecurity=1\r\n", scNone, scStartTls, "", kSendAndWarn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    TempFolder home;
    if (c.file) std::ofstream(home / "work.ini") << "[Account]\r\n" << c.file;
    TAccountSecurity security = ReadAccountSecurity(IniFileUnit(home.Path()), "work");
    EXPECT_EQ(security.Smtp, c.smtp);
    EXPECT_EQ(security.Pop, c.pop);
    EXPECT_EQ(security.TlsFingerprint, c.fingerprint);
    EXPECT_EQ(DecidePlainAuth(security.PlainAuth, false, false), c.plainElsewhere);
    // Over TLS, or to this machine, the password always goes.
    EXPECT_EQ(DecidePlainAuth(security.PlainAuth, true, false), kSend);
    EXPECT_NE(DecidePlainAuth(security.PlainAuth, false, true), kRefuse);
  }
}

TEST(ReadAccountSecurity, RefusesAValueItCannotTrust) {
  for (const char* file : {"Security=3\r\n", "Security=tls\r\n", "PopSecurity=-1\r\n"}) {
    SCOPED_TRACE(file);
    TempFolder home;
    std::ofstream(home / "work.ini") << "[Account]\r\n" << file;
    EXPECT_THROW(ReadAccountSecurity(IniFileUnit(home.Path()), "work"), ConvertError);
  }
}

}  // namespace
}  // namespace orvane::test
