#include <gtest/gtest.h>

#include "oauth/JsonObject.h"

namespace orvane {
namespace {

TEST(JsonObject, ReadsTheScalarMembersOfOneObject) {
  struct Case {
    const char* text;
    std::optional<JsonMembers> members;
  } cases[] = {
      {R"({"access_token":"a.b-c","token_type":"Bearer","expires_in":3599})",
       JsonMembers{{"access_token", "a.b-c"}, {"token_type", "Bearer"}, {"expires_in", "3599"}}},
      {" {\r\n\t} ", JsonMembers{}},
      {R"({"a":true,"b":false,"c":null,"d":-1.5e+3,"e":{"x":[1,{"y":2}]},"f":[]})",
       JsonMembers{{"a", "true"}, {"b", "false"}, {"d", "-1.5e+3"}}},
      {R"({"s":"\"\\\/\b\f\n\r\t"})", JsonMembers{{"s", "\"\\/\b\f\n\r\t"}}},
      // UTF-8 as it comes, escapes to UTF-8, a pair to one character, a
      // lone surrogate to U+FFFD.
      {R"({"s":"あ\u3042\ud83d\ude00\udc00\ud800x"})",
       JsonMembers{{"s", "ああ\xf0\x9f\x98\x80\xef\xbf\xbd\xef\xbf\xbdx"}}},
      {R"({"a":"1","a":"2"})", JsonMembers{{"a", "2"}}},
      {"", std::nullopt},
      {"[1]", std::nullopt},
      {R"("text")", std::nullopt},
      {R"({"a":1} x)", std::nullopt},
      {R"({"a":1,})", std::nullopt},
      {R"({"a" 1})", std::nullopt},
      {R"({a:1})", std::nullopt},
      {R"({"a":01x})", std::nullopt},
      {R"({"a":.5})", std::nullopt},
      {R"({"a":1.})", std::nullopt},
      {R"({"a":"b)", std::nullopt},
      {"{\"a\":\"line\nbreak\"}", std::nullopt},
      {R"({"a":"\x"})", std::nullopt},
      {R"({"a":"\u12"})", std::nullopt},
      {R"({"a":tru})", std::nullopt},
      {R"({"a":[1 2]})", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadJsonObject(c.text), c.members) << c.text;
}

TEST(JsonObject, DeepNestingIsRefusedNotFollowed) {
  auto nested = [](int depth) {
    return R"({"a":)" + std::string(depth, '[') + std::string(depth, ']') + "}";
  };
  EXPECT_EQ(ReadJsonObject(nested(31)), JsonMembers{});
  EXPECT_EQ(ReadJsonObject(nested(33)), std::nullopt);
  EXPECT_EQ(ReadJsonObject(nested(100000)), std::nullopt);
}

}  // namespace
}  // namespace orvane
