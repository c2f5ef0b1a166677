#include "mime/HeaderFolding.h"

#include <algorithm>

#include "mime/TextLines.h"

namespace orvane {
namespace {

constexpr size_t kFirstLineLimit = 58;
constexpr size_t kLineLimit = 64;
constexpr size_t kNoCut = std::string_view::npos;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool Contains(std::string_view set, char c) {
  return set.find(c) != std::string_view::npos;
}

// The cuts of one input line. The tail left after each cut is searched
// again; the forward search for a break-before byte remembers what it
// found, so a long line with few break bytes is still cut in linear time.
class TLineCutter {
 public:
  TLineCutter(std::string_view line, std::string_view breakBefore, std::string_view breakAfter)
      : line_(line), breakBefore_(breakBefore), breakAfter_(breakAfter) {}

  // Where the tail starting at start is cut with limit, relative to start,
  // or kNoCut.
  size_t FoldSplit(size_t start, size_t limit) {
    const std::string_view tail = line_.substr(start);
    if (tail.size() < limit) return kNoCut;
    size_t cut = kNoCut;
    if (!breakBefore_.empty()) {
      for (size_t i = std::min(limit, tail.size() - 1); i >= 1 && cut == kNoCut; --i)
        if (Contains(breakBefore_, tail[i])) cut = i;
      if (cut == kNoCut) {
        const size_t next = NextBreakBefore(start + limit);
        if (next < line_.size()) cut = next - start;
      }
    }
    if (cut == kNoCut && !breakAfter_.empty()) {
      bool quoted = false;
      for (size_t i = 0; i < tail.size(); ++i) {
        if (tail[i] == '"' && (i == 0 || tail[i - 1] != '\\')) {
          quoted = !quoted;
        } else if (!quoted && Contains(breakAfter_, tail[i])) {
          cut = i + 1;
          break;
        }
      }
    }
    return cut > 0 && cut < tail.size() ? cut : kNoCut;
  }

 private:
  // The first break-before byte at or after from (positions only grow).
  size_t NextBreakBefore(size_t from) {
    if (from < searchedFrom_ || from > found_) {
      searchedFrom_ = from;
      found_ = from;
      while (found_ < line_.size() && !Contains(breakBefore_, line_[found_])) ++found_;
    }
    return found_;
  }

  std::string_view line_;
  std::string_view breakBefore_;
  std::string_view breakAfter_;
  size_t searchedFrom_ = 0;
  size_t found_ = 0;
};

void AppendContinuation(AnsiString& out, std::string_view piece) {
  out += "\r\n";
  if (piece.empty() || !IsBlank(piece[0])) out += ' ';
  out += piece;
}

}  // namespace

AnsiString FoldHeader(std::string_view text, std::string_view breakBefore,
                      std::string_view breakAfter) {
  AnsiString out;
  out.reserve(text.size() + text.size() / 16);
  size_t pos = 0;
  std::string_view line;
  for (bool firstLine = true; NextLine(text, pos, line); firstLine = false) {
    TLineCutter cutter(line, breakBefore, breakAfter);
    size_t limit = firstLine ? kFirstLineLimit : kLineLimit;
    size_t start = 0;
    for (bool firstPiece = firstLine;; firstPiece = false) {
      const size_t cut = cutter.FoldSplit(start, limit);
      const std::string_view piece = line.substr(start, cut);
      if (firstPiece) {
        out += piece;
      } else {
        AppendContinuation(out, piece);
      }
      if (cut == kNoCut) break;
      start += cut;
      limit = kLineLimit;
    }
  }
  return out;
}

AnsiString ContinueLines(std::string_view text) {
  return FoldHeader(text, {}, {});
}

size_t FieldEnd(std::string_view text, size_t from) {
  for (;;) {
    const size_t at = text.find("\r\n", from);
    if (at == std::string_view::npos) return text.size();
    if (at + 2 < text.size() && (text[at + 2] == ' ' || text[at + 2] == '\t')) {
      from = at + 2;
      continue;
    }
    return at;
  }
}

AnsiString Unfold(std::string_view text) {
  auto replace = [](std::string_view in, std::string_view from) {
    AnsiString out;
    out.reserve(in.size());
    size_t start = 0;
    for (size_t at; (at = in.find(from, start)) != std::string_view::npos;
         start = at + from.size()) {
      out.append(in.substr(start, at - start));
      out += ' ';
    }
    out.append(in.substr(start));
    return out;
  };
  return replace(replace(text, "\r\n "), "\r\n\t");
}

}  // namespace orvane
