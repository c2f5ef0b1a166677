#include "oauth/JsonObject.h"

#include "mime/HexDigits.h"

namespace orvane {
namespace {

constexpr int kMaxDepth = 32;

// A recursive-descent reader; every method returns false on malformed text.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Object(JsonMembers* members, int depth) {
    if (depth > kMaxDepth || !Take('{')) return false;
    if (Take('}')) return true;
    do {
      std::string name;
      std::string value;
      bool scalar = false;
      if (!String(&name) || !Take(':') || !Value(&value, &scalar, depth)) return false;
      if (members && scalar) (*members)[name] = std::move(value);
    } while (Take(','));
    return Take('}');
  }

  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }

 private:
  bool Value(std::string* out, bool* scalar, int depth) {
    SkipBlanks();
    *scalar = false;
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') return Object(nullptr, depth + 1);
    if (c == '[') return Array(depth + 1);
    if (c == '"') return *scalar = true, String(out);
    if (Word("null")) return true;
    if (Word("true") || Word("false")) return *scalar = true, *out = std::string(last_), true;
    return *scalar = true, Number(out);
  }

  bool Array(int depth) {
    if (depth > kMaxDepth || !Take('[')) return false;
    if (Take(']')) return true;
    do {
      std::string ignored;
      bool scalar;
      if (!Value(&ignored, &scalar, depth)) return false;
    } while (Take(','));
    return Take(']');
  }

  bool Number(std::string* out) {
    const std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (!Digits()) return false;
    if (Peek() == '.' && (++pos_, !Digits())) return false;
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!Digits()) return false;
    }
    *out = std::string(text_.substr(start, pos_ - start));
    return true;
  }

  bool Digits() {
    const std::size_t start = pos_;
    while (Peek() >= '0' && Peek() <= '9') ++pos_;
    return pos_ > start;
  }

  bool String(std::string* out) {
    if (!Take('"')) return false;
    out->clear();
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        *out += c;
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          *out += e;
          break;
        case 'b':
          *out += '\b';
          break;
        case 'f':
          *out += '\f';
          break;
        case 'n':
          *out += '\n';
          break;
        case 'r':
          *out += '\r';
          break;
        case 't':
          *out += '\t';
          break;
        case 'u':
          if (!Escape(out)) return false;
          break;
        default:
          return false;
      }
    }
    return false;
  }

  // "\uXXXX" after its "\u", a surrogate pair as one character; a lone
  // surrogate becomes U+FFFD.
  bool Escape(std::string* out) {
    const int unit = Hex4();
    if (unit < 0) return false;
    char32_t code = static_cast<char32_t>(unit);
    if (unit >= 0xD800 && unit <= 0xDBFF && text_.substr(pos_, 2) == "\\u") {
      const std::size_t mark = pos_;
      pos_ += 2;
      const int low = Hex4();
      if (low >= 0xDC00 && low <= 0xDFFF)
        code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
      else
        pos_ = mark;  // the next escape stands on its own
    }
    if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
    AppendUtf8(code, out);
    return true;
  }

  int Hex4() {
    if (text_.size() - pos_ < 4) return -1;
    int value = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = HexValue(text_[pos_++]);
      if (digit < 0) return -1;
      value = value << 4 | digit;
    }
    return value;
  }

  static void AppendUtf8(char32_t code, std::string* out) {
    if (code < 0x80) {
      *out += static_cast<char>(code);
    } else if (code < 0x800) {
      *out += static_cast<char>(0xC0 | code >> 6);
      *out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      *out += static_cast<char>(0xE0 | code >> 12);
      *out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      *out += static_cast<char>(0xF0 | code >> 18);
      *out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      *out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      *out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\n'))
      ++pos_;
  }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  bool Take(char c) {
    SkipBlanks();
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    last_ = text_.substr(pos_, word.size());
    pos_ += word.size();
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string_view last_;
};

}  // namespace

std::optional<JsonMembers> ReadJsonObject(std::string_view text) {
  Reader reader(text);
  JsonMembers members;
  if (!reader.Object(&members, 0) || !reader.AtEnd()) return std::nullopt;
  return members;
}

}  // namespace orvane
