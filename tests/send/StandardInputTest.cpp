#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tools/send/StandardInput.h"

namespace orvane {
namespace {

// What the delivery reads of `input` when it arrives in the given pieces:
// each piece one record of a packet socket, so each read returns exactly one.
std::string ReadInPieces(const std::vector<std::string>& pieces, bool dotEndsInput) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) != 0) return "no socket";
  for (const std::string& piece : pieces)
    if (!piece.empty() && ::write(ends[1], piece.data(), piece.size()) < 0) return "not written";
  ::close(ends[1]);
  StandardInput input(dotEndsInput, ends[0]);
  std::string read;
  char buffer[64];
  while (const std::size_t n = input.Read(buffer, sizeof buffer)) read.append(buffer, n);
  ::close(ends[0]);
  return read;
}

// Without -i a line of a single "." ends the input, wherever the pieces of
// the input are cut.
TEST(StandardInput, EndsAtALoneDotWhereverTheInputIsCut) {
  struct Case {
    std::string input;
    bool dotEndsInput;
    std::string read;
  } cases[] = {
      {"a\n.\nb", true, "a\n"},      {"a\n.\r\nb", true, "a\n"},   {"a\n.", true, "a\n"},
      {"a\n.\r", true, "a\n"},       {".\nb", true, ""},           {"a\n..\nb", true, "a\n..\nb"},
      {"a\n.x\n", true, "a\n.x\n"},  {"a\r.\rb", true, "a\r.\rb"}, {"a\n.\rb\n", true, "a\n.\rb\n"},
      {"a\n.\nb", false, "a\n.\nb"},
  };
  for (const Case& c : cases) {
    for (std::size_t cut = 0; cut <= c.input.size(); ++cut)
      EXPECT_EQ(ReadInPieces({c.input.substr(0, cut), c.input.substr(cut)}, c.dotEndsInput), c.read)
          << c.input << " cut at " << cut;
    std::vector<std::string> bytes;
    for (char byte : c.input) bytes.emplace_back(1, byte);
    EXPECT_EQ(ReadInPieces(bytes, c.dotEndsInput), c.read) << c.input << " byte by byte";
  }
}

}  // namespace
}  // namespace orvane
