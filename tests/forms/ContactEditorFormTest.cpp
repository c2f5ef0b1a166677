#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FormsFixture.h"
#include "InputSteps.h"
#include "addressbook/forms/EditAdrForm.h"
#include "addressbook/forms/PhoneForm.h"
#include "gui/MaskEdit.h"
#include "gui/QtText.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

class ContactEditorWindow : public ::testing::Test {
 protected:
  ContactEditorWindow() {
    TestApplication();
    store.OpenStore();
  }

  BookServices Services() {
    return {settings,  clock,  shell,
            clipboard, prompt, [this](QWidget*, int topic) { helpTopics.push_back(topic); }};
  }

  template <typename T>
  static T* Find(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  ScopedTimeZone zone{"Asia/Tokyo"};
  TempFolder home;
  IniFileUnit settings{home.Path()};
  AdBookStore store{settings.AddressFolder()};
  FixedClock clock{FromLocalDateTime(2004, 2, 29, 15, 0, 0)};
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  std::vector<int> helpTopics;
};

TEST_F(ContactEditorWindow, ANewContactIsWrittenByOkOnly) {
  for (const char* button : {"CancelBtn", "OKBtn"}) {
    TEditAdrForm form(store, clock, shell, prompt);
    form.Open();
    TEditAdrFormView window(nullptr, form, Services());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("アドレス"));
    EXPECT_EQ(Find<QComboBox>(&window, "CBox")->currentIndex(), -1) << "no icon yet";
    EXPECT_EQ(Find<QComboBox>(&window, "CBox")->count(), 11);
    EXPECT_EQ(Find<QComboBox>(&window, "Sex")->currentText(), QStringLiteral("不明"));
    EXPECT_EQ(Find<QLabel>(&window, "AgeLabel")->text(), QString());
    QTest::keyClicks(Find<QLineEdit>(&window, "_Addr"), "hanako@example.jp");
    QTest::keyClicks(Find<QLineEdit>(&window, "_Company"), "Orvane");
    auto* memo = Find<QPlainTextEdit>(&window, "Memo");
    QTest::keyClicks(memo, "a");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "b");
    Find<QDateEdit>(&window, "Birthday")->setDate(QDate(1980, 3, 1));
    EXPECT_EQ(Find<QLabel>(&window, "AgeLabel")->text(), QStringLiteral("23 歳"));
    QTest::mouseClick(Find<QPushButton>(&window, button), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    const bool saved = std::string(button) == "OKBtn";
    EXPECT_EQ(form.Saved, saved);
    EXPECT_EQ(store.ContactExists("0000"), saved);
  }
  const ContactRecord stored = store.ReadContact("0000");
  EXPECT_EQ(stored.Address, u"hanako@example.jp");
  EXPECT_EQ(stored.Company, u"Orvane");
  EXPECT_EQ(stored.Memo, u"a\r\nb");
  EXPECT_EQ(stored.Birth, u"1980/03/01");
  EXPECT_EQ(stored.Sex, 2);
  EXPECT_EQ(stored.Mark, -1);
}

TEST_F(ContactEditorWindow, ThePhoneDialogStoresTheMaskedNumbers) {
  TPhoneForm form({u"(   03)-1234-5678", u"", u"", u"", u""});
  TPhoneFormView window(nullptr, form, Services());
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("電話番号入力"));
  auto* mobile = Find<TMaskEdit>(&window, "_Phone3");
  mobile->setCursorPosition(0);
  QTest::keyClicks(mobile, "090");
  EXPECT_EQ(form.Phones[2], u" 090-    -    ");
  EXPECT_EQ(form.Phones[0], u"(   03)-1234-5678");
  EXPECT_EQ(form.Phones[1], u"") << "a field left alone stays as it was";
  QTest::mouseClick(Find<QPushButton>(&window, "HelpBtn"), Qt::LeftButton);
  EXPECT_EQ(helpTopics, std::vector<int>({29}));
}

std::vector<Step> Typed(std::initializer_list<std::vector<Step>> parts) {
  std::vector<Step> steps;
  for (const std::vector<Step>& part : parts) steps.insert(steps.end(), part.begin(), part.end());
  return steps;
}

TEST_F(ContactEditorWindow, TheNameTypedThroughTheInputMethodFillsItsReading) {
  ContactRecord tanaka;
  tanaka.Name = u"田中";
  tanaka.Kana = u"たなか";
  store.WriteContact("0001", tanaka);
  const std::vector<Step> yamada = {Preedit("やまだ"), Preedit("山田"), Commit("山田")};
  const std::vector<Step> hanako = {Preedit("はなこ"), Preedit("花子"), Commit("花子")};
  struct Case {
    const char* name;
    AnsiString contactId;
    std::vector<Step> steps;
    const char* text;
    const char* kana;
  } cases[] = {
      {"what ibus sends for yamada, space, return",
       "",
       {Preedit("ｙ"), Preedit("や"), Preedit("やｍ"), Preedit("やま"), Preedit("やまｄ"),
        Preedit("やまだ"), Preedit("山田"), Commit("山田"), Preedit("")},
       "山田",
       "やまだ"},
      {"family and given name with a full-width blank", "",
       Typed({yamada, {Commit("\u3000")}, hanako}), "山田\u3000花子", "やまだ\u3000はなこ"},
      {"backspace over a word", "", Typed({yamada, hanako, {Key(Qt::Key_Backspace)}}), "山田",
       "やまだ"},
      {"a commit replacing text before the caret",
       "",
       {Preedit("やま"), Commit("やま"), Replace(-2, 2, "山")},
       "山",
       "山"},
      {"a paste", "", Typed({yamada, {Clipboard("ﾊﾅｺ"), Key(Qt::Key_V, Qt::ControlModifier)}}),
       "山田ﾊﾅｺ", "やまだはなこ"},
      {"typing over a selection across words", "",
       Typed({yamada, hanako, {Commit("様"), Select(1, 2)}, {Preedit("たなか"), Commit("田中")}}),
       "田中様", "たなか様"},
      {"a stored contact keeps its reading until the name changes", "0001", {}, "田中", "たなか"},
      {"typing over a stored name", "0001", Typed({{Select(0, 1)}, yamada}), "山田", "やまだ"},
  };
  for (const Case& c : cases) {
    TEditAdrForm form(store, clock, shell, prompt);
    form.ContactId = c.contactId;
    form.Open();
    TEditAdrFormView window(nullptr, form, Services());
    auto* name = Find<QLineEdit>(&window, "_Name");
    for (const Step& step : c.steps) Send(name, step);
    EXPECT_EQ(name->text().toStdString(), c.text) << c.name;
    EXPECT_EQ(Find<QLineEdit>(&window, "_Kana")->text().toStdString(), c.kana) << c.name;
    EXPECT_EQ(WideToUtf8(form.Contact.Kana), c.kana) << c.name;
  }
}

}  // namespace
}  // namespace orvane::test
