#include "mime/Rfc2231.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "mime/CharSet.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderFolding.h"
#include "mime/PercentEncoding.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr size_t kSegmentMin = 36;
constexpr size_t kSegmentMax = 40;

bool IsControlOrBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// Where a value starting at from ends: before a ";" outside double quotes,
// or at the end. Inside raw ISO-2022-JP two-byte text (ESC $ B or ESC $ @
// up to ESC ( x) the bytes '"' and ';' are halves of characters. The field
// may be the lower-cased copy, so the final of an escape is read in either
// case.
size_t ValueEnd(std::string_view field, size_t from) {
  bool quoted = false;
  bool twoByte = false;
  for (size_t i = from; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '\x1b' && i + 2 < field.size()) {
      const char final = AsciiLower(field[i + 2]);
      if (field[i + 1] == '$' && (final == 'b' || final == '@')) twoByte = true;
      if (field[i + 1] == '(') twoByte = false;
    } else if (twoByte) {
      continue;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      return i;
    }
  }
  return field.size();
}

struct TParameterValue {
  std::string_view Text;
  bool Extended = false;  // written with "*=" (RFC 2231 section 4)
};

// The value of the parameter occurrence found at pos (the text searched
// for there being found).
TParameterValue ReadValue(std::string_view lowerField, std::string_view field, size_t pos,
                          std::string_view found, std::string_view name) {
  TParameterValue value;
  const size_t eq = lowerField.find('=', pos + found.size());
  if (eq == std::string_view::npos) return value;
  value.Extended = lowerField[eq - 1] == '*';
  const size_t start = eq + 1;
  size_t end = std::min(lowerField.find(name, start), ValueEnd(lowerField, start));
  end = std::min(end, lowerField.size());
  while (end > start && (IsControlOrBlank(lowerField[end - 1]) || lowerField[end - 1] == ';'))
    --end;
  std::string_view text = field.substr(start, end - start);
  while (!text.empty() && IsControlOrBlank(text.front())) text.remove_prefix(1);
  if (!value.Extended && text.size() >= 2 && text.front() == '"' && text.back() == '"')
    text = text.substr(1, text.size() - 2);
  value.Text = text;
  return value;
}

struct TNumbered {
  size_t pos = 0;     // of the name
  size_t length = 0;  // of the name, "*" and the digits
};

// The first occurrence of name "*" digits for every segment number, found
// in one pass so that a field of many segments is read in linear time.
std::map<size_t, TNumbered> NumberedOccurrences(std::string_view field, std::string_view name) {
  constexpr size_t kMaxDigits = 6;
  std::map<size_t, TNumbered> found;
  for (size_t at = field.find(name); at != std::string_view::npos; at = field.find(name, at + 1)) {
    size_t i = at + name.size();
    if (i >= field.size() || field[i] != '*') continue;
    size_t number = 0;
    size_t digits = 0;
    for (++i; i < field.size() && digits < kMaxDigits && field[i] >= '0' && field[i] <= '9'; ++i) {
      number = number * 10 + static_cast<size_t>(field[i] - '0');
      ++digits;
    }
    if (digits > 0) found.try_emplace(number, TNumbered{at, i - at});
  }
  return found;
}

// Removes every occurrence of what (ignoring ASCII case) from text.
std::string RemoveIgnoringCase(std::string_view text, std::string_view what) {
  if (what.empty()) return std::string(text);
  const std::string lowerText = ToAsciiLower(text);
  const std::string lowerWhat = ToAsciiLower(what);
  std::string out;
  size_t start = 0;
  for (size_t at; (at = lowerText.find(lowerWhat, start)) != std::string::npos;
       start = at + what.size()) {
    out.append(text.substr(start, at - start));
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace

AnsiString EncodeRfc2231Parameter(std::string_view name, std::string_view charset,
                                  std::string_view value) {
  const bool plain = ToAsciiLower(charset) == "us-ascii";
  const std::string text =
      plain ? std::string(value) : std::string(charset) + "''" + std::string(value);
  const char* separator = plain ? "=" : "*=";
  std::vector<std::string_view> segments;
  std::string_view rest = text;
  while (rest.size() > kSegmentMin) {
    size_t cut = rest.find('%', kSegmentMin);
    if (cut > kSegmentMax) cut = std::min(kSegmentMax + 1, rest.size());
    segments.push_back(rest.substr(0, cut));
    rest.remove_prefix(cut);
  }
  if (!rest.empty() || segments.empty()) segments.push_back(rest);

  auto quote = [&](std::string_view segment) {
    return plain ? "\"" + std::string(segment) + "\"" : std::string(segment);
  };
  AnsiString out;
  if (segments.size() == 1) {
    out = " " + std::string(name) + separator + quote(segments[0]);
  } else {
    for (size_t i = 0; i < segments.size(); ++i) {
      if (i > 0) out += ";\r\n";
      out += " " + std::string(name) + "*" + std::to_string(i) + separator + quote(segments[i]);
    }
  }
  while (!out.empty() && IsControlOrBlank(out.back())) out.pop_back();
  return out;
}

WideString DecodeParameterText(std::string_view lowerHeader, std::string_view header,
                               std::string_view key, std::string_view name) {
  const size_t keyAt = lowerHeader.find(key);
  if (keyAt == std::string_view::npos || key.empty()) return {};
  const size_t fieldStart = keyAt + key.size();
  const size_t fieldEnd = std::min(FieldEnd(lowerHeader, fieldStart), header.size());
  if (fieldStart >= fieldEnd) return {};
  const std::string_view lowerField = lowerHeader.substr(fieldStart, fieldEnd - fieldStart);
  const std::string_view field = header.substr(fieldStart, fieldEnd - fieldStart);
  const std::string lowerName = ToAsciiLower(name);
  if (lowerName.empty()) return {};

  std::vector<TParameterValue> segments;
  const std::map<size_t, TNumbered> numbered = NumberedOccurrences(lowerField, lowerName);
  if (numbered.contains(0)) {
    // Segments 0, 1, ... in turn, up to the first one missing.
    for (size_t i = 0; numbered.contains(i); ++i) {
      const TNumbered& at = numbered.at(i);
      segments.push_back(
          ReadValue(lowerField, field, at.pos, lowerField.substr(at.pos, at.length), lowerName));
    }
  } else {
    const size_t at = lowerField.find(lowerName);
    if (at == std::string_view::npos) return {};
    segments.push_back(ReadValue(lowerField, field, at, lowerName, lowerName));
  }

  std::string joined;
  for (const auto& segment : segments) joined += segment.Text;
  if (ContainsEncodedWord(joined)) return DecodeEncodedWords(joined).Text;

  // Only an extended value carries charset'language' in front (RFC 2231
  // section 4) and percent escapes; a plain value is taken as written.
  std::string charset;
  std::string prefix;
  if (segments[0].Extended) {
    const std::string_view first = segments[0].Text;
    const size_t quote = first.find('\'');
    if (quote != std::string_view::npos) {
      charset = first.substr(0, quote);
      const size_t second = first.find('\'', quote + 1);
      if (second != std::string_view::npos) prefix = first.substr(0, second + 1);
    }
  }
  std::string bytes;
  for (const auto& segment : segments) {
    if (segment.Extended) {
      bytes += PercentDecodeOctets(RemoveIgnoringCase(segment.Text, prefix));
    } else {
      bytes += segment.Text;
    }
  }
  return CharSetToUnicode(charset, bytes, bytes);
}

AnsiString DecodeParameter(std::string_view lowerHeader, std::string_view header,
                           std::string_view key, std::string_view name) {
  return WideToSjis(DecodeParameterText(lowerHeader, header, key, name));
}

}  // namespace orvane
