// The password command, as scripts write it: what it prints, and how a
// command that fails is told without the secret.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "platform/CodePage.h"
#include "secrets/CommandStore.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

const SecretName kTaro{SecretKind::kPassword, "taro"};

struct Row {
  const char* name;
  std::string command;
  std::string secret;          // what is read; empty: the command fails
  const char16_t* told = u"";  // in the error's message
};

TEST(PassCommand, GivesTheFirstLineOrTellsWhyNot) {
  const Row rows[] = {
      {"good", "printf 'pw-Xq9\\nsecond line\\n'", "pw-Xq9"},
      {"trailing blanks kept, line end dropped", "printf 'pw with blanks  \\r\\n'",
       "pw with blanks  "},
      {"no line end", "printf 'pw-last'", "pw-last"},
      {"UTF-8 becomes Shift_JIS", "printf 'パス\\n'", WideToSjis(u"パス")},
      {"failing, its error told", "echo secret-on-stdout; echo 'no such entry' >&2; exit 3", "",
       u"終了コード 3 で終わりました (no such entry)"},
      {"prints nothing", "true", "", u"何も出力しませんでした"},
      {"blank first line", "printf '\\nlater\\n'", "", u"何も出力しませんでした"},
      {"killed", "kill -9 $$", "", u"シグナル 9"},
      {"sleeps past the time-out", "echo early; sleep 30", "", u"1 秒以内に終わりませんでした"},
      {"its child outlives it", "(sleep 30 &) ; echo pw", "", u"1 秒以内に終わりませんでした"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto started = std::chrono::steady_clock::now();
    if (!row.secret.empty()) {
      EXPECT_EQ(RunPassCommand(row.command, kTaro, 1s), row.secret);
      continue;
    }
    try {
      RunPassCommand(row.command, kTaro, 1s);
      ADD_FAILURE() << "no error";
    } catch (const SecretError& e) {
      const std::string message = WideToUtf8(e.Message());
      EXPECT_NE(message.find("アカウント taro のパスワードを PassCommand から得られません"),
                std::string::npos)
          << message;
      EXPECT_NE(message.find(WideToUtf8(row.told)), std::string::npos) << message;
      EXPECT_EQ(message.find("secret-on-stdout"), std::string::npos) << message;
    }
    // A killed group leaves no waiting behind: bounded well below the sleeps.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  }
}

// The command gets the program's environment and nothing of the secrets.
TEST(PassCommand, RunsInTheProgramsEnvironmentWithoutInput) {
  ::setenv("ORVANE_TEST_MARK", "mark-1", 1);
  EXPECT_EQ(RunPassCommand("printf '%s' \"$ORVANE_TEST_MARK\"", kTaro), "mark-1");
  EXPECT_EQ(RunPassCommand("cat; echo after-input", kTaro), "after-input");
}

}  // namespace
}  // namespace orvane::test
