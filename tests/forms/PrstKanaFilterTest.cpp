// The reading capture on a real line edit, fed with the events an input
// method, the keyboard and the clipboard send.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "FormsFixture.h"
#include "InputSteps.h"
#include "addressbook/forms/PrstKanaFilter.h"
#include "gui/QtText.h"
#include "platform/Error.h"

namespace orvane::test {
namespace {

Step SetText(const char* text) {
  return {Step::SetText, QString::fromUtf8(text), {}};
}
Step Insert(const char* text) {
  return {Step::Insert, QString::fromUtf8(text), {}};
}

class PrstKanaFilterTest : public ::testing::Test {
 protected:
  PrstKanaFilterTest() {
    edit = new QLineEdit(&window);
    filter = new PrstKanaFilter(&window, prompt);
  }

  void Do(const Step& s) {
    if (s.kind == Step::SetText) filter->SetText(s.text);
    if (s.kind == Step::Insert) filter->Insert(s.text);
    Send(edit, s);
  }

  QApplication& application = TestApplication();
  QWidget window;
  QLineEdit* edit;
  ScriptedPrompt prompt;
  PrstKanaFilter* filter;
};

TEST_F(PrstKanaFilterTest, ReadingsOfWhatTheInputMethodCommits) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    const char* text;
    const char* hurigana;
    int refused = 0;
  } cases[] = {
      {"kana typed, converted and committed",
       {Preedit("t"), Preedit("た"), Preedit("たn"), Preedit("たな"), Preedit("たなか"),
        Preedit("田中"), Commit("田中")},
       "田中",
       "たなか"},
      {"family and given name as two conversions",
       {Preedit("たなか"), Preedit("田中"), Commit("田中"), Preedit("たろう"), Preedit("太郎"),
        Commit("太郎")},
       "田中太郎",
       "たなかたろう"},
      {"a candidate chosen after going back to kana",
       {Preedit("さいとう"), Preedit("斉藤"), Preedit("さいとう"), Preedit("齋藤"), Commit("齋藤")},
       "齋藤",
       "さいとう"},
      {"kana committed as they are", {Preedit("さくら"), Commit("さくら")}, "さくら", "さくら"},
      {"a katakana conversion",
       {Preedit("すみす"), Preedit("スミス"), Commit("スミス")},
       "スミス",
       "すみす"},
      {"a commit without kana preedit reads as itself", {Commit("ｱｲｳ")}, "ｱｲｳ", "あいう"},
      {"part committed, the rest still composing",
       {Preedit("たなかたろう"), Preedit("田中たろう"), Commit("田中", "たろう"), Preedit("太郎"),
        Commit("太郎")},
       "田中太郎",
       "たなかたろう"},
      {"backspace over a converted word",
       {Preedit("たなか"), Commit("田中"), Preedit("たろう"), Commit("太郎"),
        Key(Qt::Key_Backspace)},
       "田中",
       "たなか"},
      {"delete in front of a converted word",
       {Preedit("たなか"), Commit("田中"), Preedit("たろう"), Commit("太郎"), Caret(0),
        Key(Qt::Key_Delete)},
       "太郎",
       "たろう"},
      {"typing over part of a word replaces the word",
       {Preedit("たなか"), Commit("田中"), Preedit("たろう"), Commit("太郎"), Select(1, 1),
        Preedit("やま"), Commit("山")},
       "山太郎",
       "やまたろう"},
      {"a commit inside a word is refused",
       {Preedit("たなか"), Commit("田中"), Caret(1), Preedit("やま"), Commit("山")},
       "田中",
       "たなか",
       1},
      {"typed characters with the input method closed",
       {Keys("ab"), Preedit("たなか"), Commit("田中")},
       "ab田中",
       "ａｂたなか"},
      {"a typed character inside a word is refused",
       {Preedit("たなか"), Commit("田中"), Caret(1), Keys("x")},
       "田中",
       "たなか",
       1},
      {"paste",
       {Preedit("たなか"), Commit("田中"), Clipboard("ﾀﾛｳ"), Key(Qt::Key_V, Qt::ControlModifier)},
       "田中ﾀﾛｳ",
       "たなかたろう"},
      {"paste with an empty clipboard",
       {Clipboard(""), Key(Qt::Key_V, Qt::ControlModifier)},
       "",
       ""},
      {"cut takes whole words",
       {Preedit("たなか"), Commit("田中"), Preedit("たろう"), Commit("太郎"), Select(3, 1),
        Key(Qt::Key_X, Qt::ControlModifier)},
       "田中",
       "たなか"},
      {"undo is refused",
       {Preedit("たなか"), Commit("田中"), Key(Qt::Key_Z, Qt::ControlModifier)},
       "田中",
       "たなか"},
      {"the program sets the text",
       {Preedit("たなか"), Commit("田中"), SetText("ヤマダ花子")},
       "ヤマダ花子",
       "やまだ花子"},
      {"the program inserts text", {SetText("田中"), Insert("様")}, "田中様", "田中様"},
      {"an input method replacing text before the caret",
       {Keys("ab"), Preedit("か"), Commit("か"), Replace(-1, 1, "家")},
       "ab家",
       "ａｂ家"},
  };
  for (const Case& c : cases) {
    edit->clear();
    filter->SetTargetEdit(edit);
    prompt.shown.clear();
    for (const Step& step : c.steps) Do(step);
    EXPECT_EQ(edit->text(), QString::fromUtf8(c.text)) << c.name;
    EXPECT_EQ(WideToUtf8(filter->Hurigana()), c.hurigana) << c.name;
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error),
              std::vector<WideString>(c.refused, u"変換完了ブロック内には挿入できません"))
        << c.name;
  }
}

// Chooses an entry of the context menu that the field is about to show.
void ChooseFromContextMenu(QLineEdit* edit, const QString& entry, QStringList* entries) {
  QTimer::singleShot(0, [=] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      *entries << action->text() + (action->isEnabled() ? "" : " (off)");
      if (action->text() == entry) action->trigger();
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), edit->mapToGlobal(QPoint(1, 1)));
  QCoreApplication::sendEvent(edit, &event);
}

TEST_F(PrstKanaFilterTest, TheContextMenuCutsAndPastesWholeWords) {
  filter->SetTargetEdit(edit);
  window.show();
  for (const Step& step : {Preedit("たなか"), Commit("田中"), Preedit("たろう"), Commit("太郎"),
                           Clipboard("ｻﾏ"), Select(1, 2)}) {
    Do(step);
  }
  QStringList entries;
  ChooseFromContextMenu(edit, QStringLiteral("切り取り(&T)"), &entries);
  EXPECT_EQ(entries, (QStringList{"切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "削除(&D)",
                                  "すべて選択(&A)"}));
  EXPECT_EQ(edit->text(), QString());
  EXPECT_EQ(filter->Hurigana(), u"");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("田中太郎"));
  Do(Commit("様"));
  ChooseFromContextMenu(edit, QStringLiteral("貼り付け(&P)"), &entries);
  EXPECT_EQ(edit->text(), QStringLiteral("様田中太郎"));
  EXPECT_EQ(filter->Hurigana(), u"様田中太郎") << "pasted text reads as itself";
  Do(Select(0, 0));
  entries.clear();
  ChooseFromContextMenu(edit, QStringLiteral("削除(&D)"), &entries);
  EXPECT_EQ(entries, (QStringList{"切り取り(&T) (off)", "コピー(&C) (off)", "貼り付け(&P)",
                                  "削除(&D) (off)", "すべて選択(&A)"}));
  EXPECT_EQ(edit->text(), QStringLiteral("様田中太郎"));
}

TEST_F(PrstKanaFilterTest, KanaSyuConvertsTheReadings) {
  filter->SetTargetEdit(edit);
  Do(Preedit("たなか"));
  Do(Commit("田中"));
  filter->SetKanaSyu(ksZenKata);
  EXPECT_EQ(filter->Hurigana(), u"タナカ");
  Do(Preedit("じろう"));
  Do(Commit("次郎"));
  filter->SetKanaSyu(ksHanKata);
  EXPECT_EQ(filter->Hurigana(), u"ﾀﾅｶｼﾞﾛｳ");
  filter->SetKanaSyu(ksHira);
  EXPECT_EQ(filter->Hurigana(), u"たなかじろう");
}

TEST_F(PrstKanaFilterTest, AttachesToFieldsOfItsOwnWindowOnly) {
  edit->setText(QStringLiteral("既存abc"));
  filter->SetTargetEdit(edit);
  EXPECT_EQ(filter->Hurigana(), u"既存abc");
  QWidget other;
  auto* foreign = new QLineEdit(&other);
  try {
    filter->SetTargetEdit(foreign);
    ADD_FAILURE() << "attached to another window's field";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), u"TargetEditのOwnerと自身のOwnerを一致させて下さい");
  }
  EXPECT_EQ(filter->TargetEdit(), nullptr);
  filter->SetTargetEdit(edit);
  delete edit;
  edit = nullptr;
  EXPECT_EQ(filter->TargetEdit(), nullptr);
  EXPECT_EQ(filter->Hurigana(), u"");
}

}  // namespace
}  // namespace orvane::test
