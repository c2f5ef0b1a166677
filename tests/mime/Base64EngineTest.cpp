// Every base64 engine this processor runs against the scalar one, the
// reference.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mime/Base64Engine.h"

namespace orvane {
namespace {

TEST(Base64Engines, WriteTheBytesOfTheScalarOne) {
  const std::vector<const TBase64Engine*> engines = Base64Engines();
  ASSERT_EQ(engines.front(), &ScalarBase64());
  const TBase64Engine& scalar = ScalarBase64();
  std::mt19937 gen(20240522);
  for (const TBase64Engine* engine : engines) {
    SCOPED_TRACE(engine->name);
    for (int round = 0; round < 48; ++round) {
      std::string bytes(gen() % 4097, '\0');
      for (char& c : bytes) c = static_cast<char>(gen());
      for (size_t lineLength = 0; lineLength <= 76; lineLength += 4) {
        SCOPED_TRACE(::testing::Message() << bytes.size() << " bytes, lines of " << lineLength);
        AnsiString lines, reference;
        AppendBase64LinesWith(*engine, bytes, lines, lineLength);
        AppendBase64LinesWith(scalar, bytes, reference, lineLength);
        ASSERT_EQ(lines, reference);
        // Read back, and with a character that breaks a group somewhere.
        for (int stray = 0; stray < 2; ++stray) {
          AnsiString decoded, referenceDecoded;
          AppendBase64DecodedWith(*engine, lines, decoded);
          AppendBase64DecodedWith(scalar, lines, referenceDecoded);
          ASSERT_EQ(decoded, referenceDecoded);
          if (stray == 0) {
            ASSERT_EQ(decoded, bytes);
          }
          if (!lines.empty()) lines[gen() % lines.size()] = "=\r\n-*\x80 A"[gen() % 8];
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvane
