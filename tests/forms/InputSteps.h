#pragma once

// What an input method, the keyboard and the clipboard send to a line
// edit, one step at a time, for tables of typing.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace orvane::test {

struct Step {
  enum Kind { Preedit, Commit, Replace, Key, Keys, Select, Caret, Clipboard, SetText, Insert };
  Kind kind;
  QString text;
  QString preedit;  // Commit: what stays composing
  int a = 0, b = 0;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

inline Step Preedit(const char* text) {
  return {Step::Preedit, QString::fromUtf8(text), {}};
}
inline Step Commit(const char* text, const char* rest = "") {
  return {Step::Commit, QString::fromUtf8(text), QString::fromUtf8(rest)};
}
// An input method replacing `length` characters from `from` (relative to
// the caret) by its commit.
inline Step Replace(int from, int length, const char* text) {
  return {Step::Replace, QString::fromUtf8(text), {}, from, length};
}
inline Step Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return {Step::Key, {}, {}, key, 0, modifiers};
}
inline Step Keys(const char* text) {
  return {Step::Keys, QString::fromUtf8(text), {}};
}
inline Step Select(int start, int length) {
  return {Step::Select, {}, {}, start, length};
}
inline Step Caret(int at) {
  return {Step::Caret, {}, {}, at};
}
inline Step Clipboard(const char* text) {
  return {Step::Clipboard, QString::fromUtf8(text), {}};
}

// Sends a step to the field; SetText and Insert are for the caller.
inline void Send(QLineEdit* edit, const Step& s) {
  switch (s.kind) {
    case Step::Preedit: {
      QInputMethodEvent event(s.text, {});
      QCoreApplication::sendEvent(edit, &event);
      break;
    }
    case Step::Commit: {
      QInputMethodEvent event(s.preedit, {});
      event.setCommitString(s.text);
      QCoreApplication::sendEvent(edit, &event);
      break;
    }
    case Step::Replace: {
      QInputMethodEvent event;
      event.setCommitString(s.text, s.a, s.b);
      QCoreApplication::sendEvent(edit, &event);
      break;
    }
    case Step::Key:
      QTest::keyClick(edit, static_cast<Qt::Key>(s.a), s.modifiers);
      break;
    case Step::Keys:
      QTest::keyClicks(edit, s.text);
      break;
    case Step::Select:
      edit->setSelection(s.a, s.b);
      break;
    case Step::Caret:
      edit->setCursorPosition(s.a);
      break;
    case Step::Clipboard:
      QGuiApplication::clipboard()->setText(s.text);
      break;
    case Step::SetText:
    case Step::Insert:
      break;
  }
  QApplication::processEvents();
}

}  // namespace orvane::test
