#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::test {

// Just enough JSON to read what the Python helpers print: objects, arrays,
// strings (kept as UTF-16, "\u" escapes included), numbers as text, true,
// false and null. Malformed input throws std::runtime_error.
struct JsonValue {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool boolean = false;
  std::string number;
  std::u16string string;
  std::vector<JsonValue> array;
  std::map<std::string, JsonValue> object;

  // A member of an object; a null value for a missing one.
  const JsonValue& operator[](const std::string& key) const;
  const JsonValue& operator[](size_t index) const { return array.at(index); }
  bool IsNull() const { return kind == Null; }
};

JsonValue ParseJson(std::string_view text);

}  // namespace orvane::test
