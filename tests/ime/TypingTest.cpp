// Japanese typed through a real input method into the windows: ibus or
// fcitx5 with Mozc in hiragana, started by support/ime-session, and the
// keys pressed with xdotool as on a keyboard.
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <functional>

#include "addressbook/forms/EditAdrForm.h"
#include "forms/FormsFixture.h"

namespace orvane::test {
namespace {

// Every input-method event and key press a field got, for the failure
// messages; the preedit shown last.
class FieldEvents : public QObject {
 public:
  explicit FieldEvents(QLineEdit* field) : field_(field) { field->installEventFilter(this); }
  ~FieldEvents() override { field_->removeEventFilter(this); }
  QString preedit;
  std::string log;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::InputMethod) {
      auto* input = static_cast<QInputMethodEvent*>(event);
      preedit = input->preeditString();
      log += "preedit \"" + preedit.toStdString() + "\" commit \"" +
             input->commitString().toStdString() + "\"\n";
    } else if (event->type() == QEvent::KeyPress) {
      log += "key " + std::to_string(static_cast<QKeyEvent*>(event)->key()) + "\n";
    }
    return false;
  }

 private:
  QLineEdit* field_;
};

// Presses keys into the window that has the focus and lets the events flow
// until `reached` holds, ten seconds at most.
bool Press(const QStringList& xdotoolArgs, const std::function<bool()>& reached) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), xdotoolArgs);
  return QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning && reached(); },
                         10000);
}

// Whether a probe "a" typed into the field comes back from the input method
// as the hiragana あ; the probe is taken back either way.
bool ProbeReachesTheInputMethod(QLineEdit* field) {
  FieldEvents events(field);
  Press({"type", "a"}, [&] { return !events.preedit.isEmpty() || !field->text().isEmpty(); });
  const bool composed = events.preedit == "あ";
  if (!events.preedit.isEmpty()) Press({"key", "Escape"}, [&] { return events.preedit.isEmpty(); });
  if (!field->text().isEmpty())
    Press({"key", "BackSpace"}, [&] { return field->text().isEmpty(); });
  return composed;
}

// fcitx5 makes a window's input context only once the window has the
// focus, over the bus: keys typed before it is there reach the field as
// they are. So the field takes keys only once a probe reaches the input
// method (twenty probes at most).
void Focus(QWidget* window, QLineEdit* field) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
  int probes = 0;
  while (!ProbeReachesTheInputMethod(field)) {
    ASSERT_LT(++probes, 20) << "the input method never composed the keys typed into the field";
    QTest::qWait(200);
  }
  ASSERT_TRUE(field->text().isEmpty());
}

// "yamada" typed, converted with Space and committed with Return.
void TypeYamada(QLineEdit* field) {
  FieldEvents events(field);
  EXPECT_TRUE(Press({"type", "--delay", "50", "yamada"}, [&] {
    return events.preedit == "やまだ";
  })) << events.log;
  EXPECT_TRUE(Press({"key", "space"}, [&] {
    return !events.preedit.isEmpty() && events.preedit != "やまだ";
  })) << events.log;
  EXPECT_TRUE(Press({"key", "Return"}, [&] { return events.preedit.isEmpty(); })) << events.log;
  EXPECT_EQ(field->text().toStdString(), "山田") << events.log;
}

TEST(TypingThroughTheInputMethod, FillsTheReadingOfTheContactsName) {
  TestApplication();
  TempFolder home;
  IniFileUnit settings{home.Path()};
  AdBookStore store{settings.AddressFolder()};
  store.OpenStore();
  FixedClock clock;
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  TEditAdrForm form(store, clock, shell, prompt);
  form.Open();
  TEditAdrFormView window(nullptr, form,
                          {settings, clock, shell, clipboard, prompt, [](QWidget*, int) {}});
  auto* name = window.findChild<QLineEdit*>(QStringLiteral("_Name"));
  auto* kana = window.findChild<QLineEdit*>(QStringLiteral("_Kana"));
  Focus(&window, name);
  TypeYamada(name);
  EXPECT_EQ(kana->text().toStdString(), "やまだ");
  EXPECT_TRUE(Press({"key", "BackSpace"}, [&] { return name->text().isEmpty(); }));
  EXPECT_EQ(kana->text().toStdString(), "") << "the word and its reading go together";
}

using TypingIntoTheMainWindow = MainWindowTest;

TEST_F(TypingIntoTheMainWindow, TheSubjectAndAddressFieldsTakeConvertedText) {
  Open();
  const std::pair<const char*, const WideString*> fields[] = {
      {"EDIT_Subject", &form->Draft.Subject}, {"EDIT_To", &form->Draft.ToText}};
  for (const auto& [field, draft] : fields) {
    SCOPED_TRACE(field);
    auto* edit = Find<QLineEdit>(field);
    Focus(view.get(), edit);
    TypeYamada(edit);
    EXPECT_EQ(*draft, u"山田");
  }
}

}  // namespace
}  // namespace orvane::test
