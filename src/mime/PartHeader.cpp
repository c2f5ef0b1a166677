#include "mime/PartHeader.h"

#include <array>

#include "mime/ByteText.h"

namespace orvane {
namespace {

std::string_view Slice(std::string_view s, size_t begin, size_t end) {
  return s.substr(begin, end - begin);
}

// The end of a value: the first ";" from begin, or the end of the field.
size_t ValueEnd(std::string_view lower, size_t begin, size_t fieldEnd) {
  size_t semicolon = lower.find(';', begin);
  return semicolon < fieldEnd ? semicolon : fieldEnd;
}

AnsiString WithoutQuotes(std::string_view value) {
  AnsiString out;
  for (char c : value)
    if (c != '"') out += c;
  return out;
}

// The value of a parameter of a field: after the "=" that follows its
// name, from its first byte above the space to the next ";".
std::string_view ParameterValue(std::string_view header, std::string_view lower,
                                const TFieldRange& field, std::string_view name) {
  size_t at = field.begin;
  while ((at = lower.find(name, at)) != std::string_view::npos && at < field.end) {
    size_t eq = at + name.size();
    while (eq < field.end && (lower[eq] == ' ' || lower[eq] == '\t')) ++eq;
    if (eq < field.end && lower[eq] == '=') {
      size_t begin = eq + 1;
      while (begin < field.end && IsBlankOrControl(lower[begin])) ++begin;
      size_t end = ValueEnd(lower, begin, field.end);
      return Trim(Slice(header, begin, end));
    }
    at += name.size();
  }
  return {};
}

int ToIntOrZero(std::string_view s) {
  if (s.empty() || s.size() > 9) return 0;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

TFieldRange FindField(std::string_view lower, std::string_view key) {
  TFieldRange range;
  size_t at = lower.find(key);
  if (at == std::string_view::npos) return range;
  range.found = true;
  range.begin = at + key.size();
  size_t end = range.begin;
  while ((end = lower.find("\r\n", end)) != std::string_view::npos) {
    if (end + 2 < lower.size() && (lower[end + 2] == ' ' || lower[end + 2] == '\t')) {
      end += 2;
      continue;
    }
    break;
  }
  range.end = end == std::string_view::npos ? lower.size() : end;
  return range;
}

std::string_view FieldValueOf(std::string_view header, std::string_view lower,
                              std::string_view key) {
  TFieldRange field = FindField(lower, key);
  if (!field.found) return {};
  return Trim(Slice(header, field.begin, field.end));
}

TPartType ClassifyContentType(std::string_view lower) {
  TPartType result;
  TFieldRange field = FindField(lower, "\r\ncontent-type:");
  if (!field.found) {
    result.subType = "plain";
    return result;
  }
  std::string_view value = Slice(lower, field.begin, field.end);
  struct Word {
    std::string_view text;
    TContentType type;
  };
  // Stronger kinds first: "message" outranks "multipart" and so on.
  static constexpr std::array<Word, 7> kWords = {{{"message", ctMessage},
                                                  {"multipart", ctMultipart},
                                                  {"application", ctApplication},
                                                  {"video", ctVideo},
                                                  {"audio", ctAudio},
                                                  {"image", ctImage},
                                                  {"text", ctText}}};
  for (const Word& word : kWords) {
    for (size_t k = 0; k < 3 && k < value.size(); ++k) {
      if (!value.substr(k).starts_with(word.text)) continue;
      result.type = word.type;
      size_t begin = k + word.text.size();
      if (begin < value.size() && value[begin] == '/') ++begin;
      size_t semicolon = value.find(';', begin);
      size_t end = std::min(semicolon, value.find("\r\n", begin));
      std::string_view sub = value.substr(begin, end == std::string_view::npos ? end : end - begin);
      while (!sub.empty() && IsBlankOrControl(sub.back())) sub.remove_suffix(1);
      result.subType = AnsiString(sub);
      if (semicolon != std::string_view::npos) {
        size_t cs = value.find("charset=", semicolon);
        if (cs != std::string_view::npos) {
          size_t csBegin = cs + 8;
          size_t csEnd = value.find(';', csBegin);
          result.charset = WithoutQuotes(Trim(
              value.substr(csBegin, csEnd == std::string_view::npos ? csEnd : csEnd - csBegin)));
        }
      }
      return result;
    }
  }
  return result;
}

AnsiString MultipartBoundary(std::string_view header, std::string_view lower) {
  TFieldRange field = FindField(lower, "\r\ncontent-type:");
  if (!field.found) return {};
  size_t multipart = lower.find("multipart", field.begin);
  if (multipart >= field.end) return {};
  size_t boundary = lower.find("boundary", multipart);
  if (boundary >= field.end) return {};
  size_t eq = lower.find('=', boundary);
  if (eq >= field.end) return {};
  std::string_view value = Slice(header, eq + 1, ValueEnd(lower, eq + 1, field.end));
  while (!value.empty() && IsBlankOrControl(value.front())) value.remove_prefix(1);
  if (size_t quote = value.find('"'); quote != std::string_view::npos) {
    value.remove_prefix(quote + 1);
    return AnsiString(value.substr(0, value.find('"')));
  }
  // RFC 2046 section 5.1.1: a boundary never ends in a blank.
  while (!value.empty() && IsBlankOrControl(value.back())) value.remove_suffix(1);
  return AnsiString(value);
}

TPartialParameters PartialParameters(std::string_view header, std::string_view lower) {
  TPartialParameters p;
  TFieldRange field = FindField(lower, "\r\ncontent-type:");
  if (!field.found) return p;
  p.number = ToIntOrZero(ParameterValue(header, lower, field, "number"));
  p.total = ToIntOrZero(ParameterValue(header, lower, field, "total"));
  std::string_view id = ParameterValue(header, lower, field, "id");
  if (id.size() >= 2 && id.front() == '"' && id.back() == '"') id = id.substr(1, id.size() - 2);
  p.id = AnsiString(id);
  return p;
}

AnsiString ContentIdOf(std::string_view header, std::string_view lower) {
  std::string_view value = FieldValueOf(header, lower, "\r\ncontent-id:");
  size_t open = value.find('<');
  size_t close = value.find('>');
  if (open != std::string_view::npos && close != std::string_view::npos && open < close)
    value = value.substr(open + 1, close - open - 1);
  return AnsiString(value);
}

AnsiString TransferEncodingOf(std::string_view lower) {
  return AnsiString(FieldValueOf(lower, lower, "\r\ncontent-transfer-encoding:"));
}

TEntity SplitBodyPart(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (text.starts_with("\r\n"))
    text.remove_prefix(2);
  else if (text.starts_with("\n"))
    text.remove_prefix(1);
  if (text.starts_with("\r\n")) return {{}, text.substr(2)};
  AnsiString header = "\r\n";
  size_t at = text.find("\r\n\r\n");
  if (at == std::string_view::npos) {
    // Header lines alone: the line break before the delimiter ends them,
    // and the body is empty.
    header += text;
    return {std::move(header), {}};
  }
  header += text.substr(0, at + 2);
  return {std::move(header), text.substr(at + 4)};
}

}  // namespace orvane
