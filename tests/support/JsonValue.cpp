#include "support/JsonValue.h"

#include <stdexcept>

namespace orvane::test {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  JsonValue Value() {
    Skip();
    if (pos_ >= text_.size()) Fail();
    char c = text_[pos_];
    JsonValue v;
    if (c == '{') {
      v.kind = JsonValue::Object;
      ++pos_;
      if (Peek() == '}') return ++pos_, v;
      while (true) {
        Skip();
        std::u16string key = String();
        Expect(':');
        v.object[std::string(key.begin(), key.end())] = Value();
        if (Peek() == ',') {
          ++pos_;
          continue;
        }
        Expect('}');
        return v;
      }
    }
    if (c == '[') {
      v.kind = JsonValue::Array;
      ++pos_;
      if (Peek() == ']') return ++pos_, v;
      while (true) {
        v.array.push_back(Value());
        if (Peek() == ',') {
          ++pos_;
          continue;
        }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.kind = JsonValue::String;
      v.string = String();
      return v;
    }
    if (Word("true")) return v.kind = JsonValue::Bool, v.boolean = true, v;
    if (Word("false")) return v.kind = JsonValue::Bool, v;
    if (Word("null")) return v;
    v.kind = JsonValue::Number;
    while (pos_ < text_.size() &&
           std::string_view("+-.0123456789eE").find(text_[pos_]) != std::string_view::npos)
      v.number += text_[pos_++];
    if (v.number.empty()) Fail();
    return v;
  }

  void End() {
    Skip();
    if (pos_ != text_.size()) Fail();
  }

 private:
  [[noreturn]] void Fail() { throw std::runtime_error("bad JSON at " + std::to_string(pos_)); }
  void Skip() {
    while (pos_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
      ++pos_;
  }
  char Peek() {
    Skip();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Expect(char c) {
    if (Peek() != c) Fail();
    ++pos_;
  }
  bool Word(std::string_view w) {
    if (text_.substr(pos_, w.size()) != w) return false;
    pos_ += w.size();
    return true;
  }
  std::u16string String() {
    Expect('"');
    std::u16string out;
    while (true) {
      if (pos_ >= text_.size()) Fail();
      char c = text_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        if (static_cast<unsigned char>(c) > 0x7F) Fail();  // the helpers print ASCII only
        out += static_cast<char16_t>(c);
        continue;
      }
      if (pos_ >= text_.size()) Fail();
      char e = text_[pos_++];
      switch (e) {
        case 'n':
          out += u'\n';
          break;
        case 'r':
          out += u'\r';
          break;
        case 't':
          out += u'\t';
          break;
        case 'b':
          out += u'\b';
          break;
        case 'f':
          out += u'\f';
          break;
        case 'u': {
          if (pos_ + 4 > text_.size()) Fail();
          out += static_cast<char16_t>(std::stoi(std::string(text_.substr(pos_, 4)), nullptr, 16));
          pos_ += 4;
          break;
        }
        default:
          out += static_cast<char16_t>(e);
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
  static const JsonValue null;
  auto it = object.find(key);
  return it == object.end() ? null : it->second;
}

JsonValue ParseJson(std::string_view text) {
  Reader reader(text);
  JsonValue v = reader.Value();
  reader.End();
  return v;
}

}  // namespace orvane::test
