#include <gtest/gtest.h>

#include "mime/HeaderFields.h"

namespace orvane {
namespace {

TEST(WithoutHeaderField, RemovesTheFieldWithItsContinuationLinesFromTheHeaderOnly) {
  struct Case {
    const char* message;
    const char* without;
  } cases[] = {
      {"To: a\r\nBcc: b\r\nSubject: s\r\n\r\nbody\r\n", "To: a\r\nSubject: s\r\n\r\nbody\r\n"},
      // Folded, in any letter case, first or last in the header, repeated.
      {"BCC: b,\r\n c,\r\n\td\r\nTo: a\r\n\r\nx\r\n", "To: a\r\n\r\nx\r\n"},
      {"To: a\r\nbcc : b\r\n\r\n", "To: a\r\n\r\n"},
      {"Bcc: b\r\nTo: a\r\nBcc: c\r\n\r\n", "To: a\r\n\r\n"},
      // Fields whose names only begin alike, and the body, stay.
      {"Bccx: b\r\nX-Bcc: c\r\n\r\nBcc: in the body\r\n",
       "Bccx: b\r\nX-Bcc: c\r\n\r\nBcc: in the body\r\n"},
      // A message without a body, or without a final line break.
      {"To: a\r\nBcc: b\r\n", "To: a\r\n"},
      {"To: a\r\nBcc: b", "To: a\r\n"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithoutHeaderField(c.message, "Bcc"), c.without) << c.message;
}

}  // namespace
}  // namespace orvane
