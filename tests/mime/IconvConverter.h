#pragma once

#include <iconv.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// glibc's iconv(3) as an independent reference for the expected bytes and
// characters. Convert gives nullopt when iconv rejects any of the input.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvConverter() {
    if (ok()) iconv_close(cd_);
  }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> Convert(std::string_view input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(input.size() * 4 + 16, '\0');
    auto* ip = const_cast<char*>(input.data());
    size_t il = input.size();
    char* op = out.data();
    size_t ol = out.size();
    if (iconv(cd_, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) return std::nullopt;
    if (iconv(cd_, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - ol);
    return out;
  }

 private:
  iconv_t cd_;
};

inline std::string AsUtf16Bytes(std::u16string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

inline std::u16string FromUtf16Bytes(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  return text;
}

}  // namespace orvane
