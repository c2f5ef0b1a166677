#pragma once

#include <filesystem>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The kinds of content a decoded part is classified into.
enum TContentType {
  ctText,
  ctImage,
  ctAudio,
  ctVideo,
  ctApplication,
  ctMultipart,
  ctMessage,
};

// The content type of a file extension (dot included, any case). The
// extension is searched as a substring of the table, so the beginning of a
// listed extension matches it (".jp" gives "image/jpeg"); an extension not
// found, or none, gives "application/octet-stream".
AnsiString ExtensionContentType(std::string_view extension);

// The extension of a file name, dot included, lower-cased (ASCII letters
// only); empty when the name has none.
AnsiString LowerExtension(const std::filesystem::path& fileName);

inline constexpr std::string_view kOctetStream = "application/octet-stream";

}  // namespace orvane
