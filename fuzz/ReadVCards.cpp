// vCard import of any bytes: it either refuses the file or gives contacts
// that export and import again as as many contacts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "addressbook/VCard.h"
#include "platform/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  try {
    auto contacts = orvane::ReadVCards(input);
    if (orvane::ReadVCards(orvane::WriteVCards(contacts)).size() != contacts.size())
      __builtin_trap();
  } catch (const orvane::Error&) {
    // Not vCard: refused with a message.
  }
  return 0;
}
