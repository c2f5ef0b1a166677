#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/forms/MainFormView.h"
#include "gui/Application.h"
#include "gui/DialogContext.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {

// The one application object of the test program, made at first use.
inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "test_forms";
  static char* argv[] = {name, nullptr};
  static auto* application = new TOrvaneApplication(argc, argv);
  return *application;
}

// A main window over a fresh program folder, without animations.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    TestApplication();
    TOrvaneMainFormView::SetAnimationsEnabled(false);
  }

  TOrvaneMainFormView& Open(const std::vector<std::string>& args = {}) {
    view.reset();  // a window opened before goes before its form
    Arguments arguments{u"orvane"};
    for (const std::string& arg : args) arguments.push_back(Utf8ToWide(arg));
    MainFormServices services{
        IniFileUnit(home.Path()), clock, shell, clipboard, prompt, install.Path()};
    services.desktopMime = desktopMime;
    form = std::make_unique<TOrvaneMainForm>(std::move(services), std::move(arguments));
    view = std::make_unique<TOrvaneMainFormView>(*form);
    view->Start();
    QApplication::processEvents();
    return *view;
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = view->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  TempFolder home;
  TempFolder install;
  SystemClock clock;
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  std::shared_ptr<RecordingDesktopMime> desktopMime = std::make_shared<RecordingDesktopMime>();
  std::unique_ptr<TOrvaneMainForm> form;
  std::unique_ptr<TOrvaneMainFormView> view;
};

// A dialog of the main window over a fresh program folder, with a scripted
// prompt and a help opener that records the topics asked for.
class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { TestApplication(); }

  DialogContext Context(const AnsiString& account = "home") {
    return DialogContext{nullptr,
                         settings,
                         prompt,
                         clock,
                         [this](QWidget*, int topic) { helpTopics.push_back(topic); },
                         account};
  }

  template <typename T>
  static T* Find(const QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  TempFolder home;
  IniFileUnit settings{home.Path()};
  ScriptedPrompt prompt;
  FixedClock clock;
  std::vector<int> helpTopics;
};

// The texts of a list's items, top to bottom.
inline QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

// Runs `answer` on the modal window that opens next, once it is there
// (polled every 10 ms, two seconds at most).
inline void OnNextModal(std::function<void(QWidget*)> answer, int triesLeft = 200) {
  QTimer::singleShot(10, [answer = std::move(answer), triesLeft] {
    if (QWidget* modal = QApplication::activeModalWidget())
      answer(modal);
    else if (triesLeft > 0)
      OnNextModal(answer, triesLeft - 1);
  });
}

}  // namespace orvane::test
