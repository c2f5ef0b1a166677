#include <gtest/gtest.h>

#include <set>

#include "oauth/Pkce.h"

namespace orvane {
namespace {

bool IsUnreserved(const AnsiString& text) {
  return text.find_first_not_of(
             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~") ==
         AnsiString::npos;
}

TEST(Pkce, ChallengeIsS256OfTheVerifier) {
  // RFC 7636 appendix B.
  EXPECT_EQ(PkceChallenge("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"),
            "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
}

TEST(Pkce, FreshValuesAreLongEnoughAndNeverRepeat) {
  std::set<AnsiString> seen;
  for (int i = 0; i < 50; ++i) {
    const PkcePair pair = MakePkcePair();
    // RFC 7636 section 4.1: 43 to 128 unreserved characters.
    EXPECT_EQ(pair.verifier.size(), 43u);
    EXPECT_TRUE(IsUnreserved(pair.verifier)) << pair.verifier;
    EXPECT_EQ(pair.challenge, PkceChallenge(pair.verifier));
    const AnsiString state = MakeState();
    EXPECT_EQ(state.size(), 22u);
    EXPECT_TRUE(IsUnreserved(state)) << state;
    EXPECT_TRUE(seen.insert(pair.verifier).second);
    EXPECT_TRUE(seen.insert(state).second);
  }
}

}  // namespace
}  // namespace orvane
