#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "mime/CharSet.h"
#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

class TZelMultiPart;

// One part of a message body. HeaderText holds the part's own header lines
// when they are known (decoded parts); parts made while composing leave it
// empty and GetHeader builds their header instead.
class TZelMimePart {
 public:
  virtual ~TZelMimePart() = default;
  TZelMimePart(const TZelMimePart&) = delete;
  TZelMimePart& operator=(const TZelMimePart&) = delete;

  virtual AnsiString GetHeader() const;

  // The multipart whose part list holds this part; none for the root.
  TZelMultiPart* Parent() const { return parent_; }

  AnsiString ParentBoundary;
  AnsiString HeaderText;
  AnsiString SubType;

 protected:
  TZelMimePart() = default;

 private:
  friend class TZelMimePartList;
  TZelMultiPart* parent_ = nullptr;
};

// A part whose content is a file (an attachment, a saved decoded part) or,
// when Inline, belongs to the body of the message.
class TZelMessagePart : public TZelMimePart {
 public:
  TZelMessagePart() = default;

  AnsiString GetHeader() const override;
  // FileName := name and Inline := false; the subclasses also drop the
  // content they hold in memory.
  virtual void SetFileName(const std::filesystem::path& name);

  bool Inline = false;
  std::filesystem::path FileName;
};

// A plain text part: its text in memory (HasText) or in FileName.
class TZelTextPart : public TZelMessagePart {
 public:
  TZelTextPart() = default;

  AnsiString GetHeader() const override;
  void SetFileName(const std::filesystem::path& name) override;
  // HasText := true, Text := text, FileName := empty.
  void SetText(WideString text);
  // Text when HasText, else the file as the user's text file (empty for no
  // file or an empty one). Throws FileError when the file cannot be read.
  WideString ReadText() const;

  bool HasText = false;
  WideString Text;
  TMimeCharSet CharSet = mcsUS_ASCII;
  // Files decoded from uuencoded blocks inside the text.
  std::vector<std::filesystem::path> UUFiles;
};

// An HTML part: its source in FileName or in Html.
class TZelHtmlPart : public TZelMessagePart {
 public:
  TZelHtmlPart() = default;

  AnsiString GetHeader() const override;
  void SetFileName(const std::filesystem::path& name) override;
  // The bytes of FileName when that file exists and is not empty, else Html.
  AnsiString ReadSource() const;

  AnsiString Html;
};

// One piece of a message split into message/partial parts.
class TZelPartialPart : public TZelMessagePart {
 public:
  TZelPartialPart() = default;
  TZelPartialPart(int number, int total, AnsiString id);

  AnsiString GetHeader() const override;
  void SetFileName(const std::filesystem::path& name) override;
  // Sets Number, Total, Id and the header that names them.
  void SetPartial(int number, int total, AnsiString id);
  // The bytes of FileName when that file exists, else Data.
  AnsiString ReadContent() const;

  int Number = 0;
  int Total = 0;
  AnsiString Id;
  AnsiString Data;
};

// The parts of a multipart, owned. A part added here gets the owner as its
// parent and the owner's boundary as its ParentBoundary.
class TZelMimePartList {
 public:
  explicit TZelMimePartList(TZelMultiPart& owner) : owner_(owner) {}

  // Appends the part (nothing for none) and returns it.
  TZelMimePart* Add(std::unique_ptr<TZelMimePart> part);
  // Removes and frees the part; false when it is not in this list.
  bool Remove(const TZelMimePart* part);
  // Frees every part.
  void Clear() { parts_.clear(); }

  size_t Count() const { return parts_.size(); }
  bool Empty() const { return parts_.empty(); }
  TZelMimePart& operator[](size_t i) const { return *parts_[i]; }
  auto begin() const { return parts_.begin(); }
  auto end() const { return parts_.end(); }

  // Orders the parts by rank (lower first); parts of equal rank keep their
  // order.
  template <typename Rank>
  void SortBy(Rank rank);

 private:
  TZelMultiPart& owner_;
  std::vector<std::unique_ptr<TZelMimePart>> parts_;
};

// A multipart container. Freeing it frees its whole subtree.
class TZelMultiPart : public TZelMimePart {
 public:
  // A multipart/mixed with a new boundary.
  explicit TZelMultiPart(const Clock& clock);
  TZelMultiPart(AnsiString boundary, AnsiString subType);

  AnsiString GetHeader() const override;

  TZelMimePartList Parts{*this};
  AnsiString Boundary;
  AnsiString Params;
};

// "ZelMime_" + six random letters "A" to "Y" + "_" + the local time as
// yyyymmddhhnnss.
AnsiString NewBoundary(const Clock& clock);

// Six letters drawn uniformly from "A" to "Y".
AnsiString RandomLetters();

// The local time of a moment as yyyymmddhhnnss.
AnsiString CompactDateTime(TimePoint moment);

template <typename Rank>
void TZelMimePartList::SortBy(Rank rank) {
  std::stable_sort(parts_.begin(), parts_.end(),
                   [&](const auto& a, const auto& b) { return rank(*a) < rank(*b); });
}

}  // namespace orvane
