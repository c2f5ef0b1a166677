#include "platform/TextFile.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace orvane {

WideString DecodeUserText(const AnsiString& bytes) {
  auto startsWith = [&](std::string_view prefix) { return bytes.starts_with(prefix); };
  if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
    bool little = bytes[0] == '\xFF';
    WideString text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
      text.push_back(static_cast<char16_t>(little ? (b << 8 | a) : (a << 8 | b)));
    }
    return text;
  }
  std::string_view view = bytes;
  if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
  if (IsValidUtf8(view)) return Utf8ToWide(view);
  return SjisToWide(bytes);
}

WideString WithCrLfLines(std::u16string_view text) {
  WideString lines;
  lines.reserve(text.size() + text.size() / 32 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      lines.push_back(c);
    }
  }
  if (!text.empty() && text.back() != u'\r' && text.back() != u'\n') lines += u"\r\n";
  return lines;
}

WideString ReadUserTextFile(const std::filesystem::path& path) {
  return DecodeUserText(ReadWholeFile(path));
}

}  // namespace orvane
