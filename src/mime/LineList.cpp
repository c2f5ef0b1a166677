#include "mime/LineList.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "mime/TextLines.h"

namespace orvane {
namespace {

// The start of every line of text when every line ends with CR LF and no
// other CR or LF occurs; empty otherwise.
std::vector<size_t> CrLfLineStarts(std::string_view text) {
  std::vector<size_t> starts;
  const char* base = text.data();
  const char* end = base + text.size();
  for (const char* p = base; p < end;) {
    const auto rest = static_cast<size_t>(end - p);
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', rest));
    if (!lf || lf == p || lf[-1] != '\r' || std::memchr(p, '\r', static_cast<size_t>(lf - 1 - p))) {
      return {};
    }
    // Lines tend to be of one length (base64): room for as many as the
    // first one suggests.
    if (starts.empty()) starts.reserve(text.size() / static_cast<size_t>(lf + 1 - p) + 1);
    starts.push_back(static_cast<size_t>(p - base));
    p = lf + 1;
  }
  return starts;
}

}  // namespace

size_t TLineList::Count() const {
  return stride_ ? (text_.size() + stride_ - 1) / stride_ : starts_.size();
}

std::string_view TLineList::operator[](size_t index) const {
  if (index >= Count()) throw std::out_of_range("TLineList: no line " + std::to_string(index));
  const size_t start = Start(index);
  const size_t end = index + 1 < Count() ? Start(index + 1) : text_.size();
  return std::string_view(text_).substr(start, end - start - 2);
}

void TLineList::Clear() {
  text_.clear();
  starts_.clear();
  stride_ = 0;
}

void TLineList::Add(std::string_view line) {
  if (stride_) {
    for (size_t index = 0, count = Count(); index < count; ++index) starts_.push_back(Start(index));
    stride_ = 0;
  }
  starts_.push_back(text_.size());
  text_.append(line);
  text_.append("\r\n");
}

void TLineList::SetText(std::string_view text) {
  Clear();
  size_t pos = 0;
  for (std::string_view line; NextLine(text, pos, line);) Add(line);
}

void TLineList::SetText(AnsiString&& text) {
  std::vector<size_t> starts = CrLfLineStarts(text);
  if (starts.empty()) {
    SetText(std::string_view(text));
    return;
  }
  text_ = std::move(text);
  starts_ = std::move(starts);
  stride_ = 0;
}

void TLineList::AdoptUniformLines(AnsiString&& text, size_t lineLength) {
  starts_.clear();
  stride_ = lineLength + 2;
  text_ = std::move(text);
}

}  // namespace orvane
