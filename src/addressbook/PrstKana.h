#pragma once

#include <cstddef>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The form of the captured readings.
enum TKanaSyu { ksHira, ksHanKata, ksZenKata };

// The edit field whose reading is captured, as the capture needs it.
// Positions and lengths count UTF-16 units of the field's text.
class KanaField {
 public:
  virtual ~KanaField() = default;
  virtual WideString Text() const = 0;
  virtual size_t CaretPosition() const = 0;
  virtual size_t SelectionStart() const = 0;
  virtual size_t SelectionLength() const = 0;
  virtual void SetSelection(size_t start, size_t length) = 0;
};

// Records, for every piece of text that enters a field at once, the reading
// that produced it, so that the reading of the whole field is known at any
// time. The field's own handling of each event is not done here: each
// event method is called before the field handles the event and says
// whether the field is to handle it; the segments then describe the field
// as it will be. The segments cover the field's text from its start in
// order.
class TPrstKana {
 public:
  struct Segment {
    WideString Reading;  // in the form KanaSyu()
    size_t Length = 0;   // of the field text it stands for
    bool operator==(const Segment&) const = default;
  };

  enum class Outcome {
    kPass,     // the field handles the event
    kConsume,  // the event stops here
    kRefuse,   // the text would land inside a segment: nothing changed,
               // the user is told kInsideSegment
  };

  static constexpr const char16_t* kInsideSegment = u"変換完了ブロック内には挿入できません";

  // Watches a field (nullptr: none). Attaching forgets the old segments and
  // records text already in the field as one segment read as itself.
  void SetTargetEdit(KanaField* field);
  KanaField* TargetEdit() const { return field_; }

  // Every segment's reading in order.
  WideString Hurigana() const;
  TKanaSyu KanaSyu() const { return kanaSyu_; }
  // Converts every stored reading to the new form.
  void SetKanaSyu(TKanaSyu kanaSyu);
  const std::vector<Segment>& Segments() const { return segments_; }

  size_t SegmentStart(size_t index) const;
  // True at 0 and at the end of every segment.
  bool IsSegmentBoundary(size_t position) const;
  // The segment that holds the position, the count of segments at or after
  // the end.
  size_t SegmentAt(size_t position) const;
  void InsertSegment(size_t index, size_t length, WideString reading);
  void DeleteSegment(size_t index);
  // Widens the field's selection to whole segments and forgets them.
  void DeleteSelectedSegments();

  // Text typed with the input method closed, pasted or put in by the
  // program, at the caret (over the selection): one segment read as the
  // text itself in the capture form. False when refused.
  bool InsertText(const WideString& text);
  // The input method's result and its reading (kana of either kind and
  // width, as the input method gives it).
  Outcome CompositionResult(const WideString& text, const WideString& reading);
  // Backspace and Delete delete whole segments: without a selection, the
  // field's selection becomes the segment before (after) the caret. At the
  // start (end) of the text without a selection the key is consumed.
  Outcome Backspace();
  Outcome Delete();
  // An empty clipboard consumes the paste.
  Outcome Paste(const WideString& clipboardText);
  Outcome Cut();
  // The program replaces the whole text / the selection.
  Outcome SetText(const WideString& text);
  Outcome ReplaceSelection(const WideString& text);

 private:
  WideString CaptureForm(const WideString& text) const;
  bool Insert(const WideString& text, WideString reading);
  // Deletes the one segment and selects its text in the field.
  void SelectAndDeleteSegment(size_t index);

  KanaField* field_ = nullptr;
  TKanaSyu kanaSyu_ = ksHira;
  std::vector<Segment> segments_;
};

}  // namespace orvane
