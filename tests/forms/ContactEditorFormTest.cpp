#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FormsFixture.h"
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

}  // namespace
}  // namespace orvane::test
