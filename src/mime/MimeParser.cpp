#include "mime/MimeParser.h"

#include <utility>

namespace orvane {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

bool EndsRun(char16_t c) {
  return IsBlank(c) || c == u'"' || c == u'(' || c == u',' || c == u'<' || c == u'>';
}

}  // namespace

void TMimeParser::SetText(WideString text) {
  text_ = std::move(text);
  pos_ = 0;
  depth_ = 0;
}

size_t TMimeParser::QuotedEnd(size_t pos, bool& closed) const {
  for (++pos; pos < text_.size(); ++pos) {
    if (text_[pos] == u'\\') {
      ++pos;
    } else if (text_[pos] == u'"') {
      closed = true;
      return pos + 1;
    }
  }
  closed = false;
  return text_.size();
}

size_t TMimeParser::CommentEnd(size_t pos, bool& closed) const {
  size_t level = 0;
  for (; pos < text_.size(); ++pos) {
    if (text_[pos] == u'\\') {
      ++pos;
    } else if (text_[pos] == u'(') {
      ++level;
    } else if (text_[pos] == u')' && --level == 0) {
      closed = true;
      return pos + 1;
    }
  }
  closed = false;
  return text_.size();
}

size_t TMimeParser::RunEnd(size_t pos, bool address) const {
  const bool ascii = text_[pos] <= 0x7F;
  while (pos < text_.size() && !EndsRun(text_[pos]) && (address || (text_[pos] <= 0x7F) == ascii)) {
    pos += text_[pos] == u'\\' ? 2 : 1;
  }
  return pos < text_.size() ? pos : text_.size();
}

bool TMimeParser::Next(TMimeToken& token) {
  if (pos_ >= text_.size()) return false;
  const char16_t c = text_[pos_];
  token = TMimeToken{};
  token.Depth = depth_;
  size_t end = pos_ + 1;
  if (IsBlank(c)) {
    token.Kind = mtSpace;
  } else if (c == u'"') {
    token.Kind = mtQuoted;
    end = QuotedEnd(pos_, token.Closed);
  } else if (c == u'(') {
    token.Kind = mtComment;
    end = CommentEnd(pos_, token.Closed);
  } else if (c == u',' || c == u'<' || c == u'>') {
    token.Kind = mtSpecial;
    if (c == u'<') ++depth_;
    if (c == u'>' && depth_ > 0) --depth_;
  } else {
    const bool address = depth_ >= 1;
    token.Kind = address ? mtAddress : (c <= 0x7F ? mtAscii : mtNonAscii);
    end = RunEnd(pos_, address);
  }
  token.Text = std::u16string_view(text_).substr(pos_, end - pos_);
  pos_ = end;
  return true;
}

}  // namespace orvane
