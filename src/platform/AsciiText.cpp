#include "platform/AsciiText.h"

#include <algorithm>

namespace orvane {

namespace {

template <typename Char>
std::basic_string<Char> Lowered(std::basic_string_view<Char> text) {
  std::basic_string<Char> lower(text);
  for (Char& c : lower) c = AsciiLower(c);
  return lower;
}

template <typename Char>
bool SameText(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](Char x, Char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

template <typename Char>
std::basic_string_view<Char> TrimmedLeft(std::basic_string_view<Char> text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  return text;
}

template <typename Char>
std::basic_string_view<Char> TrimmedRight(std::basic_string_view<Char> text) {
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string ToAsciiLower(std::string_view text) {
  return Lowered(text);
}

WideString ToAsciiLower(std::u16string_view text) {
  return Lowered(text);
}

WideString ToAsciiUpper(std::u16string_view text) {
  WideString upper(text);
  for (char16_t& c : upper) c = AsciiUpper(c);
  return upper;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  return SameText(a, b);
}

bool SameAsciiText(std::u16string_view a, std::u16string_view b) {
  return SameText(a, b);
}

bool StartsWithAsciiText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::string_view TrimLeft(std::string_view text) {
  return TrimmedLeft(text);
}

std::u16string_view TrimLeft(std::u16string_view text) {
  return TrimmedLeft(text);
}

std::string_view TrimRight(std::string_view text) {
  return TrimmedRight(text);
}

std::u16string_view TrimRight(std::u16string_view text) {
  return TrimmedRight(text);
}

std::string_view Trim(std::string_view text) {
  return TrimmedRight(TrimmedLeft(text));
}

std::u16string_view Trim(std::u16string_view text) {
  return TrimmedRight(TrimmedLeft(text));
}

WideString OneLine(WideString text) {
  std::replace_if(
      text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  return text;
}

}  // namespace orvane
