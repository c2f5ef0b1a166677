#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The loops that carry the bulk of base64, for one instruction set. Every
// engine writes the same bytes as the scalar one, which is the reference
// and runs wherever no other does.
struct TBase64Engine {
  const char* name;
  // Writes `lines` lines of base64, each of the `lineGroups` groups of three
  // bytes that follow in `in` and, with `breaks`, CR LF; returns the end of
  // what it wrote. Reads nothing at or beyond `limit`, which is at least
  // in + 3 * lines * lineGroups.
  char* (*encodeLines)(const unsigned char* in, size_t lines, size_t lineGroups, bool breaks,
                       const unsigned char* limit, char* out);
  // Decodes groups of four alphabet characters ("=" is none) from the start
  // of in[0, size) up to the first group that holds anything else, three
  // bytes a group; returns the count of characters taken.
  size_t (*decodeGroups)(const unsigned char* in, size_t size, char* out);
};

const TBase64Engine& ScalarBase64();
// Every engine this processor runs: the scalar one first, the fastest last.
std::vector<const TBase64Engine*> Base64Engines();
// The last of Base64Engines, chosen once.
const TBase64Engine& FastestBase64();

// AppendBase64Lines and AppendBase64Decoded on a given engine, the lines
// of any multiple of four characters; a length of 0 writes one line
// without a line break.
void AppendBase64LinesWith(const TBase64Engine& engine, std::string_view bytes, AnsiString& out,
                           size_t lineLength);
void AppendBase64DecodedWith(const TBase64Engine& engine, std::string_view text, AnsiString& out);

}  // namespace orvane
