#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "addressbook/PrstKana.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// A one-line edit field doing what a line edit does with each event that
// the capture lets through.
class LineField final : public KanaField {
 public:
  WideString Text() const override { return text_; }
  size_t CaretPosition() const override { return caret_; }
  size_t SelectionStart() const override { return std::min(caret_, anchor_); }
  size_t SelectionLength() const override { return std::max(caret_, anchor_) - SelectionStart(); }
  void SetSelection(size_t start, size_t length) override {
    anchor_ = start;
    caret_ = start + length;
  }

  void SetCaret(size_t at) { caret_ = anchor_ = at; }
  void Replace(const WideString& text) {
    size_t start = SelectionStart();
    text_.replace(start, SelectionLength(), text);
    SetCaret(start + text.size());
  }
  void Backspace() {
    if (SelectionLength() == 0 && caret_ > 0) anchor_ = caret_ - 1;
    Replace(u"");
  }
  void Delete() {
    if (SelectionLength() == 0 && caret_ < text_.size()) anchor_ = caret_ + 1;
    Replace(u"");
  }
  void SetWholeText(const WideString& text) {
    text_ = text;
    SetCaret(text.size());
  }

 private:
  WideString text_;
  size_t caret_ = 0, anchor_ = 0;
};

// One thing the user, the input method or the program does.
struct Step {
  enum Kind {
    Commit,
    Type,
    Backspace,
    Delete,
    Paste,
    Cut,
    SetText,
    Replace,
    Caret,
    Select,
    Syu,
    Unrecorded
  };
  Kind kind;
  std::u16string text;
  std::u16string reading;
  size_t at = 0, length = 0;
  TKanaSyu syu = ksHira;
};

Step Commit(std::u16string text, std::u16string reading) {
  return {Step::Commit, std::move(text), std::move(reading)};
}
Step Type(std::u16string text) {
  return {Step::Type, std::move(text), u""};
}
Step Paste(std::u16string text) {
  return {Step::Paste, std::move(text), u""};
}
Step SetText(std::u16string text) {
  return {Step::SetText, std::move(text), u""};
}
Step Replace(std::u16string text) {
  return {Step::Replace, std::move(text), u""};
}
// Text that reaches the field behind the capture's back.
Step Unrecorded(std::u16string text) {
  return {Step::Unrecorded, std::move(text), u""};
}
Step Caret(size_t at) {
  return {Step::Caret, u"", u"", at};
}
Step Select(size_t at, size_t length) {
  return {Step::Select, u"", u"", at, length};
}
Step Key(Step::Kind kind) {
  return {kind, u"", u""};
}
Step Syu(TKanaSyu syu) {
  return {Step::Syu, u"", u"", 0, 0, syu};
}

struct Editor {
  LineField field;
  TPrstKana kana;
  int refused = 0;
  int consumed = 0;

  void Apply(TPrstKana::Outcome outcome, const std::function<void()>& fieldAction) {
    if (outcome == TPrstKana::Outcome::kPass) fieldAction();
    if (outcome == TPrstKana::Outcome::kRefuse) ++refused;
    if (outcome == TPrstKana::Outcome::kConsume) ++consumed;
  }

  void Do(const Step& s) {
    switch (s.kind) {
      case Step::Commit:
        Apply(kana.CompositionResult(s.text, s.reading), [&] { field.Replace(s.text); });
        break;
      case Step::Type:
        if (kana.InsertText(s.text))
          field.Replace(s.text);
        else
          ++refused;
        break;
      case Step::Backspace:
        Apply(kana.Backspace(), [&] { field.Backspace(); });
        break;
      case Step::Delete:
        Apply(kana.Delete(), [&] { field.Delete(); });
        break;
      case Step::Paste:
        Apply(kana.Paste(s.text), [&] { field.Replace(s.text); });
        break;
      case Step::Cut:
        Apply(kana.Cut(), [&] { field.Replace(u""); });
        break;
      case Step::SetText:
        Apply(kana.SetText(s.text), [&] { field.SetWholeText(s.text); });
        break;
      case Step::Replace:
        Apply(kana.ReplaceSelection(s.text), [&] { field.Replace(s.text); });
        break;
      case Step::Caret:
        field.SetCaret(s.at);
        break;
      case Step::Select:
        field.SetSelection(s.at, s.length);
        break;
      case Step::Syu:
        kana.SetKanaSyu(s.syu);
        break;
      case Step::Unrecorded:
        field.Replace(s.text);
        break;
    }
  }
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::u16string text;
  std::u16string hurigana;
  int refused = 0;
  int consumed = 0;
  size_t unrecorded = 0;  // characters at the end that no segment covers
};

TEST(PrstKana, CapturesTheReadingOfWhatTheInputMethodCommits) {
  const Case cases[] = {
      {"one conversion", {Commit(u"田中", u"たなか")}, u"田中", u"たなか"},
      {"family and given name",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう")},
       u"田中太郎",
       u"たなかたろう"},
      {"an input method in katakana mode",
       {Commit(u"田中", u"タナカ"), Commit(u"ｲﾁﾛｳ", u"ｲﾁﾛｳ")},
       u"田中ｲﾁﾛｳ",
       u"たなかいちろう"},
      {"kana committed without conversion", {Commit(u"さくら", u"さくら")}, u"さくら", u"さくら"},
      {"backspace removes the whole converted word",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Key(Step::Backspace)},
       u"田中",
       u"たなか"},
      {"backspace inside a word removes the word",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Caret(1), Key(Step::Backspace)},
       u"太郎",
       u"たろう"},
      {"delete removes the word after the caret",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Caret(0), Key(Step::Delete)},
       u"太郎",
       u"たろう"},
      {"backspace at the start and delete at the end are consumed",
       {Commit(u"田中", u"たなか"), Key(Step::Delete), Caret(0), Key(Step::Backspace)},
       u"田中",
       u"たなか",
       0,
       2},
      {"typing over part of a word replaces the whole word",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Select(1, 1),
        Commit(u"山", u"やま")},
       u"山太郎",
       u"やまたろう"},
      {"a selection across words widens to both",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Commit(u"様", u"さま"),
        Select(1, 2), Key(Step::Backspace)},
       u"様",
       u"さま"},
      {"a commit inside a word is refused",
       {Commit(u"田中", u"たなか"), Caret(1), Commit(u"山", u"やま"), Caret(2),
        Commit(u"様", u"さま")},
       u"田中様",
       u"たなかさま",
       1},
      {"typed characters read as themselves",
       {Type(u"a"), Type(u"b"), Type(u" "), Commit(u"様", u"さま")},
       u"ab 様",
       u"ａｂ\u3000さま"},
      {"a paste is one segment",
       {Commit(u"田中", u"たなか"), Paste(u"ﾀﾛｳ"), Key(Step::Backspace)},
       u"田中",
       u"たなか"},
      {"a paste inside a word is refused",
       {Paste(u"abc"), Caret(1), Paste(u"x")},
       u"abc",
       u"ａｂｃ",
       1},
      {"an empty clipboard consumes the paste", {Paste(u"")}, u"", u"", 0, 1},
      {"a cut takes whole words",
       {Commit(u"田中", u"たなか"), Commit(u"太郎", u"たろう"), Select(0, 1), Key(Step::Cut)},
       u"太郎",
       u"たろう"},
      {"the program sets the text",
       {Commit(u"田中", u"たなか"), Caret(1), SetText(u"ヤマダ花子")},
       u"ヤマダ花子",
       u"やまだ花子"},
      {"the program inserts text",
       {Commit(u"田中", u"たなか"), Replace(u"様")},
       u"田中様",
       u"たなか様"},
      {"readings follow the form",
       {Commit(u"田中", u"たなか"), Syu(ksZenKata), Commit(u"太郎", u"たろう")},
       u"田中太郎",
       u"タナカタロウ"},
      {"full-width katakana to half width",
       {Commit(u"田中", u"たなか"), Commit(u"次郎", u"じろう"), Syu(ksZenKata), Syu(ksHanKata)},
       u"田中次郎",
       u"ﾀﾅｶｼﾞﾛｳ"},
      {"half width back to hiragana",
       {Syu(ksHanKata), Commit(u"田中", u"たなか"), Type(u"x"), Syu(ksHira)},
       u"田中x",
       u"たなかｘ"},
      {"half width typed text stays as typed",
       {Syu(ksHanKata), Type(u"ab"), Commit(u"後藤", u"ごとう")},
       u"ab後藤",
       u"abｺﾞﾄｳ"},
      {"a selection inside text never recorded",
       {Unrecorded(u"abc"), Select(1, 1), Key(Step::Backspace)},
       u"ac",
       u"",
       0,
       0,
       2},
      {"a selection from a word into text never recorded",
       {Commit(u"田中", u"たなか"), Unrecorded(u"xy"), Select(1, 2), Key(Step::Backspace)},
       u"y",
       u"",
       0,
       0,
       1},
  };
  for (const Case& c : cases) {
    Editor run;
    run.kana.SetTargetEdit(&run.field);
    for (const Step& step : c.steps) run.Do(step);
    EXPECT_EQ(WideToUtf8(run.field.Text()), WideToUtf8(c.text)) << c.name;
    EXPECT_EQ(WideToUtf8(run.kana.Hurigana()), WideToUtf8(c.hurigana)) << c.name;
    EXPECT_EQ(run.refused, c.refused) << c.name;
    EXPECT_EQ(run.consumed, c.consumed) << c.name;
    size_t covered = 0;
    for (const auto& segment : run.kana.Segments()) covered += segment.Length;
    EXPECT_EQ(covered + c.unrecorded, run.field.Text().size()) << c.name << ": the segments cover";
  }
}

TEST(PrstKana, AttachingRecordsTheTextAlreadyThereReadAsItself) {
  LineField field;
  field.SetWholeText(u"abc既存");
  TPrstKana kana;
  kana.SetTargetEdit(&field);
  EXPECT_EQ(kana.Segments(), (std::vector<TPrstKana::Segment>{{u"abc既存", 5}}));
  LineField empty;
  kana.SetTargetEdit(&empty);
  EXPECT_TRUE(kana.Segments().empty());
  kana.SetTargetEdit(nullptr);
  EXPECT_EQ(kana.TargetEdit(), nullptr);
  EXPECT_EQ(kana.Paste(u"x"), TPrstKana::Outcome::kPass) << "detached: everything passes";
  EXPECT_TRUE(kana.Segments().empty());
}

TEST(PrstKana, SegmentPositions) {
  TPrstKana kana;
  kana.InsertSegment(0, 2, u"a");
  kana.InsertSegment(1, 3, u"b");
  kana.InsertSegment(2, 1, u"c");
  struct Case {
    size_t position;
    bool boundary;
    size_t segment;
  } cases[] = {{0, true, 0}, {1, false, 0}, {2, true, 1}, {4, false, 1},
               {5, true, 2}, {6, true, 3},  {9, false, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(kana.IsSegmentBoundary(c.position), c.boundary) << c.position;
    EXPECT_EQ(kana.SegmentAt(c.position), c.segment) << c.position;
  }
  EXPECT_EQ(kana.SegmentStart(0), 0u);
  EXPECT_EQ(kana.SegmentStart(2), 5u);
  kana.DeleteSegment(1);
  EXPECT_EQ(kana.Hurigana(), u"ac");
  EXPECT_EQ(kana.SegmentStart(1), 2u);
}

}  // namespace
}  // namespace orvane
