#include "addressbook/PrstKana.h"

#include <algorithm>

#include "platform/KanaText.h"

namespace orvane {
namespace {

using Convert = WideString (*)(std::u16string_view);

// The conversion of a reading from one form to another, by [from][to].
constexpr Convert kConversions[3][3] = {
    {nullptr, ToHalfKatakana, ToKatakana},
    {ToFullHiragana, nullptr, ToFullWidth},
    {ToHiragana, ToHalfWidth, nullptr},
};

}  // namespace

void TPrstKana::SetTargetEdit(KanaField* field) {
  field_ = field;
  segments_.clear();
  if (!field_) return;
  WideString text = field_->Text();
  if (!text.empty()) segments_.push_back({text, text.size()});
}

WideString TPrstKana::Hurigana() const {
  WideString reading;
  for (const Segment& segment : segments_) reading += segment.Reading;
  return reading;
}

void TPrstKana::SetKanaSyu(TKanaSyu kanaSyu) {
  if (kanaSyu == kanaSyu_) return;
  Convert convert = kConversions[kanaSyu_][kanaSyu];
  for (Segment& segment : segments_) segment.Reading = convert(segment.Reading);
  kanaSyu_ = kanaSyu;
}

size_t TPrstKana::SegmentStart(size_t index) const {
  size_t start = 0;
  for (size_t i = 0; i < index && i < segments_.size(); ++i) start += segments_[i].Length;
  return start;
}

bool TPrstKana::IsSegmentBoundary(size_t position) const {
  if (position == 0) return true;
  size_t end = 0;
  for (const Segment& segment : segments_) {
    end += segment.Length;
    if (end == position) return true;
  }
  return false;
}

size_t TPrstKana::SegmentAt(size_t position) const {
  size_t end = 0;
  for (size_t i = 0; i < segments_.size(); ++i) {
    end += segments_[i].Length;
    if (end > position) return i;
  }
  return segments_.size();
}

void TPrstKana::InsertSegment(size_t index, size_t length, WideString reading) {
  if (index > segments_.size()) index = segments_.size();
  segments_.insert(segments_.begin() + static_cast<std::ptrdiff_t>(index),
                   {std::move(reading), length});
}

void TPrstKana::DeleteSegment(size_t index) {
  if (index < segments_.size())
    segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TPrstKana::DeleteSelectedSegments() {
  if (!field_) return;
  size_t start = field_->SelectionStart();
  size_t length = field_->SelectionLength();
  if (length == 0) return;
  // Where the segments fall short of the field (text entered it
  // unrecorded), a selection reaching past them keeps its end: only
  // recorded words widen it.
  size_t first = SegmentAt(start);
  if (first == segments_.size()) return;
  size_t end = std::min(SegmentAt(start + length - 1), segments_.size() - 1) + 1;
  size_t from = SegmentStart(first);
  field_->SetSelection(from, std::max(SegmentStart(end), start + length) - from);
  segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(first),
                  segments_.begin() + static_cast<std::ptrdiff_t>(end));
}

WideString TPrstKana::CaptureForm(const WideString& text) const {
  switch (kanaSyu_) {
    case ksHira:
      return ToFullHiragana(text);
    case ksZenKata:
      return ToFullWidth(text);
    case ksHanKata:
      break;
  }
  return text;
}

bool TPrstKana::Insert(const WideString& text, WideString reading) {
  if (!field_) return true;
  if (field_->SelectionLength() > 0) DeleteSelectedSegments();
  size_t caret = field_->SelectionLength() > 0 ? field_->SelectionStart() : field_->CaretPosition();
  if (!IsSegmentBoundary(caret)) return false;
  if (text.empty()) return true;
  InsertSegment(SegmentAt(caret), text.size(), std::move(reading));
  return true;
}

bool TPrstKana::InsertText(const WideString& text) {
  return Insert(text, CaptureForm(text));
}

TPrstKana::Outcome TPrstKana::CompositionResult(const WideString& text, const WideString& reading) {
  // The capture forms start from the half-width katakana in which the
  // Windows input method reports readings; a Linux input method's
  // preedit is hiragana.
  return Insert(text, CaptureForm(ToHalfKatakana(reading))) ? Outcome::kPass : Outcome::kRefuse;
}

void TPrstKana::SelectAndDeleteSegment(size_t index) {
  if (index >= segments_.size()) return;
  field_->SetSelection(SegmentStart(index), segments_[index].Length);
  DeleteSegment(index);
}

TPrstKana::Outcome TPrstKana::Backspace() {
  if (!field_) return Outcome::kPass;
  if (field_->SelectionLength() > 0) {
    DeleteSelectedSegments();
    return Outcome::kPass;
  }
  size_t caret = field_->CaretPosition();
  if (caret == 0) return Outcome::kConsume;
  SelectAndDeleteSegment(SegmentAt(caret - 1));
  return Outcome::kPass;
}

TPrstKana::Outcome TPrstKana::Delete() {
  if (!field_) return Outcome::kPass;
  if (field_->SelectionLength() > 0) {
    DeleteSelectedSegments();
    return Outcome::kPass;
  }
  size_t caret = field_->CaretPosition();
  if (caret >= field_->Text().size()) return Outcome::kConsume;
  SelectAndDeleteSegment(SegmentAt(caret));
  return Outcome::kPass;
}

TPrstKana::Outcome TPrstKana::Paste(const WideString& clipboardText) {
  if (clipboardText.empty()) return Outcome::kConsume;
  return InsertText(clipboardText) ? Outcome::kPass : Outcome::kRefuse;
}

TPrstKana::Outcome TPrstKana::Cut() {
  if (field_ && field_->SelectionLength() > 0) DeleteSelectedSegments();
  return Outcome::kPass;
}

TPrstKana::Outcome TPrstKana::SetText(const WideString& text) {
  if (!field_) return Outcome::kPass;
  field_->SetSelection(0, field_->Text().size());
  segments_.clear();
  if (!text.empty()) segments_.push_back({CaptureForm(text), text.size()});
  return Outcome::kPass;
}

TPrstKana::Outcome TPrstKana::ReplaceSelection(const WideString& text) {
  return InsertText(text) ? Outcome::kPass : Outcome::kRefuse;
}

}  // namespace orvane
