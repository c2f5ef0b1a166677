#include "addressbook/VCardLines.h"

#include <algorithm>

#include "mime/CharSet.h"
#include "mime/QuotedPrintable.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/KanaText.h"
#include "platform/TextFile.h"
#include "settings/ProfileBlock.h"

namespace orvane {
namespace {

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// The position of the ":" that ends the name and parameters, outside
// double-quoted parameter values; npos when there is none.
size_t ValueColon(std::string_view line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

// Splits at a separator outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] == '"') quoted = !quoted;
    if (i == text.size() || (text[i] == separator && !quoted)) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

void AddParameter(VCardProperty& property, std::string_view parameter) {
  size_t equals = parameter.find('=');
  if (equals == std::string_view::npos) {
    // vCard 2.1: "TEL;HOME;VOICE:", "N;QUOTED-PRINTABLE:".
    std::string bare = ToUpper(Trim(parameter));
    if (bare == "QUOTED-PRINTABLE" || bare == "BASE64") {
      property.Encoding = bare;
    } else if (bare == "PREF") {
      property.Pref = true;
    } else {
      property.Types.push_back(bare);
    }
    return;
  }
  std::string name = ToUpper(Trim(parameter.substr(0, equals)));
  std::string_view value = Unquoted(Trim(parameter.substr(equals + 1)));
  if (name == "TYPE") {
    for (std::string_view type : SplitOutsideQuotes(value, ',')) {
      std::string upper = ToUpper(Unquoted(Trim(type)));
      if (upper == "PREF") property.Pref = true;
      if (!upper.empty()) property.Types.push_back(upper);
    }
  } else if (name == "PREF") {
    property.Pref = true;
  } else if (name == "ENCODING") {
    property.Encoding = ToUpper(value);
  } else if (name == "CHARSET") {
    property.Charset = AnsiString(value);
  }
}

std::optional<VCardProperty> ParseProperty(std::string_view line, size_t number) {
  size_t colon = ValueColon(line);
  if (colon == std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> head = SplitOutsideQuotes(line.substr(0, colon), ';');
  VCardProperty property;
  std::string_view name = Trim(head[0]);
  if (size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
  property.Name = ToUpper(name);
  for (size_t i = 1; i < head.size(); ++i) AddParameter(property, head[i]);
  property.Value = AnsiString(line.substr(colon + 1));
  property.Line = number;
  return property;
}

// A logical line as its physical lines are joined. Whether its value is
// quoted-printable is settled once, when the ":" after its head arrives:
// asking again after every soft line break would read the whole joined
// line each time, and a crafted file of millions of them would never end.
class LogicalLine {
 public:
  LogicalLine(size_t number, std::string_view text) : number_(number) { Append(text); }

  size_t Number() const { return number_; }
  const AnsiString& Text() const { return text_; }

  void Append(std::string_view text) {
    text_ += text;
    for (; !colonFound_ && scanned_ < text_.size(); ++scanned_) {
      if (text_[scanned_] == '"') quoted_ = !quoted_;
      if (text_[scanned_] != ':' || quoted_) continue;
      colonFound_ = true;
      quotedPrintable_ =
          ToUpper(std::string_view(text_).substr(0, scanned_)).find("QUOTED-PRINTABLE") !=
          std::string::npos;
    }
  }

  // Whether the line ends in a soft line break of a quoted-printable value.
  bool EndsInSoftBreak() const { return quotedPrintable_ && text_.ends_with('='); }
  void DropSoftBreak() { text_.pop_back(); }

 private:
  size_t number_;
  AnsiString text_;
  size_t scanned_ = 0;
  bool quoted_ = false;
  bool colonFound_ = false;
  bool quotedPrintable_ = false;
};

// Resolves the escapes of a text value.
WideString Unescape(std::u16string_view text) {
  WideString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\\' && i + 1 < text.size()) {
      char16_t next = text[i + 1];
      if (next == u'n' || next == u'N') {
        out += u'\n';
        ++i;
        continue;
      }
      if (next == u',' || next == u';' || next == u':' || next == u'\\') {
        out += next;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

// The raw bytes as UTF-8 text: UTF-16 with its byte order mark is
// converted, a UTF-8 byte order mark dropped.
AnsiString AsUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return WideToUtf8(DecodeUserText(AnsiString(bytes)));
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return AnsiString(bytes);
}

}  // namespace

bool VCardProperty::HasType(std::string_view type) const {
  return std::find(Types.begin(), Types.end(), type) != Types.end();
}

WideString VCardProperty::Decoded() const {
  AnsiString bytes = Encoding == "QUOTED-PRINTABLE" ? QuotedPrintableDecode(Value) : Value;
  if (!Charset.empty() && CharSetFromName(Charset) != mcsUnKnown)
    return CharSetToUnicode(Charset, bytes, bytes);
  return IsValidUtf8(bytes) ? Utf8ToWide(bytes) : SjisToWide(bytes);
}

WideString VCardProperty::Text() const {
  return Unescape(Decoded());
}

std::vector<WideString> VCardProperty::Components() const {
  WideString text = Decoded();
  std::vector<WideString> components;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i + 1 < text.size() && text[i] == u'\\') {
      ++i;  // the escaped character, which may be ";"
    } else if (i == text.size() || text[i] == u';') {
      components.push_back(Unescape(std::u16string_view(text).substr(start, i - start)));
      start = i + 1;
    }
  }
  return components;
}

std::vector<VCardLine> SplitVCardLines(std::string_view input) {
  // Physical lines with their numbers, joined into logical ones.
  std::vector<AnsiString> physical = SplitTextLines(AsUtf8(input));
  std::vector<LogicalLine> logical;
  bool softBreak = false;
  for (size_t i = 0; i < physical.size(); ++i) {
    std::string_view line = physical[i];
    if (softBreak) {
      logical.back().DropSoftBreak();
      logical.back().Append(line);
    } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !logical.empty()) {
      logical.back().Append(line.substr(1));
    } else {
      logical.emplace_back(i + 1, line);
    }
    softBreak = i + 1 < physical.size() && logical.back().EndsInSoftBreak();
  }

  std::vector<VCardLine> lines;
  for (const LogicalLine& logicalLine : logical) {
    const AnsiString& text = logicalLine.Text();
    const size_t line = logicalLine.Number();
    if (Trim(text).empty()) continue;
    VCardLine entry;
    entry.Line = line;
    if (auto property = ParseProperty(text, line)) {
      entry.IsProperty = true;
      entry.Property = std::move(*property);
    }
    lines.push_back(std::move(entry));
  }
  return lines;
}

std::optional<WideString> BirthDate(std::u16string_view text) {
  WideString date = ToHalfWidth(Trim(text));
  date = date.substr(0, date.find(u'T'));
  std::erase_if(date, [](char16_t c) { return c == u'-' || c == u'/'; });
  if (date.size() != 8 ||
      !std::all_of(date.begin(), date.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    return std::nullopt;
  auto number = [&](size_t at, size_t length) {
    int value = 0;
    for (size_t i = at; i < at + length; ++i) value = value * 10 + (date[i] - u'0');
    return value;
  };
  int year = number(0, 4), month = number(4, 2), day = number(6, 2);
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] ||
      (month == 2 && day == 29 && !leap))
    return std::nullopt;
  return date.substr(0, 4) + u'/' + date.substr(4, 2) + u'/' + date.substr(6, 2);
}

}  // namespace orvane
