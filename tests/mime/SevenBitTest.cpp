#include <gtest/gtest.h>

#include <string>

#include "mime/SevenBit.h"

namespace orvane::test {
namespace {

// Re-encoding for a server without 8BITMIME. The encoded bodies are those
// of Python's quopri and base64 modules.
struct SevenBitCase {
  const char* name;
  std::string message;
  std::string expected;
};

TEST(SevenBitMessage, OnlyPartsWithEightBitDataAreReencoded) {
  const std::string utf8Text = "Content-Type: text/plain; charset=UTF-8\r\n";
  const SevenBitCase cases[] = {
      {"7-bit: unchanged", "Subject: a\r\n\r\nplain\r\n", "Subject: a\r\n\r\nplain\r\n"},
      {"LF line ends become CR LF", "Subject: a\n\nplain\n", "Subject: a\r\n\r\nplain\r\n"},
      {"a text body: quoted-printable, its 8bit field replaced",
       "Subject: a\r\n" + utf8Text + "Content-Transfer-Encoding: 8bit\r\n\r\n日本語のテキスト\r\n",
       "Subject: a\r\n" + utf8Text +
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
           "=E6=97=A5=E6=9C=AC=E8=AA=9E=E3=81=AE=E3=83=86=E3=82=AD=E3=82=B9=E3=83=88\r\n"},
      {"no Content-Type is text", "Subject: a\r\n\r\n\xC3\xBC\r\n",
       "Subject: a\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n=C3=BC\r\n"},
      {"multipart: each 8-bit part, preamble and epilogue kept",
       "Content-Type: multipart/mixed; boundary=\"b1\"\r\n\r\npreamble\r\n--b1\r\n" + utf8Text +
           "\r\n\xC3\xBC\r\n--b1\r\nContent-Type: application/octet-stream\r\n"
           "Content-Transfer-Encoding: 8bit\r\n\r\n" +
           std::string("\0\xFF\xFE", 3) + "bin\r\n--b1\r\n\r\nascii\r\n--b1--\r\nepilogue\r\n",
       "Content-Type: multipart/mixed; boundary=\"b1\"\r\n\r\npreamble\r\n--b1\r\n" + utf8Text +
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n=C3=BC\r\n--b1\r\n"
           "Content-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n\r\n"
           "AP/+Ymlu\r\n\r\n--b1\r\n\r\nascii\r\n--b1--\r\nepilogue\r\n"},
  };
  for (const SevenBitCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SevenBitMessage(c.message), c.expected);
  }
}

}  // namespace
}  // namespace orvane::test
