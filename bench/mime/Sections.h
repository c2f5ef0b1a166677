#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "Report.h"
#include "platform/Types.h"

namespace orvane::bench {

// Base64 of the attachment bytes: ours into 64-character CR LF lines and
// back, GMime's coder, and memcpy of the same size.
void BenchBase64(const AnsiString& attachment, Report& report);

// Unicode to ISO-2022-JP and Shift_JIS and back, ours against glibc iconv.
void BenchJapanese(const WideString& text, Report& report);

// Composing the message with a 50 MiB attachment and decoding it again,
// ours against GMime and Python's email; peak memory of each composer.
void BenchMessages(const AnsiString& attachment, Report& report);

// The child of the peak-memory measurement: composes once with the named
// composer in this fresh process and prints its peak resident set.
int ComposePeakMain(std::string_view composer, const std::filesystem::path& attachment);

}  // namespace orvane::bench
