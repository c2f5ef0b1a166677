#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "transport/EventLog.h"

namespace orvane::test {
namespace {

// The watch that every transport test puts on its status texts must notice
// each form of the password, or the suite would prove nothing.
TEST(SecretWatch, NoticesThePasswordInEveryForm) {
  EXPECT_NONFATAL_FAILURE(SecretWatch().Check("PASS Canary-7f3Q9zx!"), "Canary");
  EXPECT_NONFATAL_FAILURE(SecretWatch().Check("Q2FuYXJ5LTdmM1E5engh"), "Q2Fu");
  // AUTH PLAIN's answer: NUL, user, NUL, password in base64.
  EXPECT_NONFATAL_FAILURE(SecretWatch().Check("AG9ydmFuZQBDYW5hcnktN2YzUTl6eCE="), "AG9y");
  SecretWatch watch;
  watch.CheckServer("334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n");
  // The CRAM-MD5 answer to that challenge, computed with Python's hmac.
  EXPECT_NONFATAL_FAILURE(watch.Check("b3J2YW5lIDUzZmMyMDg5OTZjYmU0MmI5NWQ5YzUwMzE1N2M1MzU0"),
                          "b3J2");
  watch.Check("AUTH CRAM-MD5");
  EXPECT_EQ(watch.Checked(), 3);
}

}  // namespace
}  // namespace orvane::test
