#pragma once

#include <iconv.h>

#include <cstddef>
#include <string_view>

namespace orvane::bench {

// One glibc iconv conversion, opened once so that timing covers only the
// conversion itself.
class IconvPeer {
 public:
  IconvPeer(const char* to, const char* from);
  ~IconvPeer();
  IconvPeer(const IconvPeer&) = delete;
  IconvPeer& operator=(const IconvPeer&) = delete;

  // Converts the whole input into out from a fresh shift state and returns
  // the count of bytes written; exits the program when iconv refuses the
  // input or out is too small, since a peer that fails measures nothing.
  std::size_t Convert(std::string_view input, char* out, std::size_t capacity);

 private:
  iconv_t cd_;
  const char* to_;
  const char* from_;
};

}  // namespace orvane::bench
