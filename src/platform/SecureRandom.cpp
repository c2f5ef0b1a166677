#include "platform/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>

#include "platform/Error.h"

namespace orvane {

AnsiString SecureRandomBytes(std::size_t count) {
  AnsiString bytes(count, '\0');
  std::size_t filled = 0;
  while (filled < count) {
    ssize_t n = ::getrandom(bytes.data() + filled, count - filled, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Error(u"乱数を取得できませんでした");
    filled += static_cast<std::size_t>(n);
  }
  return bytes;
}

}  // namespace orvane
