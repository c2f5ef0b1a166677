// The direct ISO-2022-JP decoder against the two steps it stands for:
// JisToSjis, then code page 932.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mime/CharSet.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

void ExpectSameAsTwoSteps(std::string_view jis) {
  SCOPED_TRACE(::testing::PrintToString(std::string(jis.substr(0, 40))));
  EXPECT_EQ(JisToWide(jis), SjisToWide(JisToSjis(jis)));
}

TEST(JisToWide, ReadsEveryTextAsJisToSjisAndCodePage932) {
  const std::string escapes[] = {
      "\x1B$B$\"\x1B(B",
      "\x1B$@$\"\x1B(B",
      "\x1B$B$\"\r\n$\"\n$\"\r$\"",
      "\x1B(J\\~\x1B(B~",
      "\x1B(I1^`\x1B(B1",
      "\x0E"
      "1\x0F"
      "1\x1B$B\x0E"
      "1\x0F$\"\x0E\r\n\x0F$\"",
      "\x1B$Ax\x1B(Dx\x1BNx\x1B$B\x1B$)C$\"",
      "\x1B$B!!~~!~~!\x7F!$\t\"$",
      // Bytes above 0x7F: code page 932 pairs a lead byte with what follows
      // it, whatever mode wrote that.
      "a\x82\x1B$B$\"",
      "\x82\x0E"
      "1",
      "\x1B(\x82\xA0\x1B$\x8A",
      "\x1B$B\xFF\xFF$\"\x82",
      "\x8A\xBF\x8E\x9A\xB1\x87\x40",
      std::string("a\0\x1B$B$\"", 7),
  };
  for (const std::string& text : escapes) {
    // Every cut, so that each escape and pair also ends the text.
    for (size_t length = 0; length <= text.size(); ++length)
      ExpectSameAsTwoSteps(std::string_view(text).substr(0, length));
  }
  // Runs longer than the block the decoder writes.
  ExpectSameAsTwoSteps("\x1B$B" + Repeated("$\"", 9000) + "\x1B(B" + std::string(9000, 'x'));
  ExpectSameAsTwoSteps(Repeated("\x1B$B$\"%!\x1B(Bab\r\n", 2000) + "\x82");
  for (const char* corpus : {"JisToWide", "JisToSjis", "DecodeEscapedText"}) {
    for (const auto& entry :
         std::filesystem::directory_iterator(ORVANE_SOURCE_DIR "/fuzz/corpus/" + std::string(corpus)))
      ExpectSameAsTwoSteps(test::ReadFile(entry.path()));
  }
}

}  // namespace
}  // namespace orvane
