#pragma once

#include <initializer_list>

namespace orvane {

// The published Option set of the message component. All but SetDateField
// steer decoding.
enum class TMimeOption {
  AllHeaderDecode,       // consulted by no operation
  AttachDecode,          // decode attachments into files
  MultiPartDecode,       // parse the body into a part tree
  SetDateField,          // Compose writes a Date field
  ZeroByteFile,          // create empty files for attachments that are not decoded
  CidReplace,            // point "cid:" references of saved HTML files at the saved files
  TextPartUUEncodeScan,  // extract uuencoded files from the text body
  MakeSubDir,            // one subfolder per message for its attachments
  NoTimeToNow,           // a missing or unreadable Date reads as the current time
};

class TMimeOptions {
 public:
  constexpr TMimeOptions() = default;
  constexpr TMimeOptions(std::initializer_list<TMimeOption> options) {
    for (TMimeOption o : options) Include(o);
  }

  // Every member except AllHeaderDecode: the component's default.
  static constexpr TMimeOptions Defaults() {
    return {TMimeOption::AttachDecode, TMimeOption::MultiPartDecode,
            TMimeOption::SetDateField, TMimeOption::ZeroByteFile,
            TMimeOption::CidReplace,   TMimeOption::TextPartUUEncodeScan,
            TMimeOption::MakeSubDir,   TMimeOption::NoTimeToNow};
  }

  constexpr bool Has(TMimeOption o) const { return bits_ & Bit(o); }
  constexpr TMimeOptions& Include(TMimeOption o) {
    bits_ |= Bit(o);
    return *this;
  }
  constexpr TMimeOptions& Exclude(TMimeOption o) {
    bits_ &= ~Bit(o);
    return *this;
  }
  constexpr bool operator==(const TMimeOptions&) const = default;

 private:
  static constexpr unsigned Bit(TMimeOption o) { return 1u << static_cast<unsigned>(o); }
  unsigned bits_ = 0;
};

}  // namespace orvane
