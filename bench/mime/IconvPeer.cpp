#include "IconvPeer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvane::bench {

IconvPeer::IconvPeer(const char* to, const char* from)
    : cd_(iconv_open(to, from)), to_(to), from_(from) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
    std::exit(1);
  }
}

IconvPeer::~IconvPeer() {
  iconv_close(cd_);
}

std::size_t IconvPeer::Convert(std::string_view input, char* out, std::size_t capacity) {
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char* o = out;
  std::size_t outLeft = capacity;
  // The final call writes the escape back to ASCII of a stateful target.
  if (iconv(cd_, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(cd_, nullptr, nullptr, &o, &outLeft) == static_cast<std::size_t>(-1)) {
    std::fprintf(stderr, "iconv %s to %s failed after %zu bytes: %s\n", from_, to_,
                 input.size() - inLeft, std::strerror(errno));
    std::exit(1);
  }
  return capacity - outLeft;
}

}  // namespace orvane::bench
