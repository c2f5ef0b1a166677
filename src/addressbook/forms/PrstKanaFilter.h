#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "addressbook/PrstKana.h"
#include "platform/Prompt.h"

class QEvent;
class QInputMethodEvent;
class QKeyEvent;

namespace orvane {

// The reading capture of a name field: an event filter in front of a
// QLineEdit that turns its key, input-method, clipboard, context-menu and
// drop events into the events of TPrstKana before the field handles them.
// The reading of a composition is the last preedit text made of kana alone
// before the commit. Text the program puts into the field goes through
// SetText and Insert, so that it is recorded too.
class PrstKanaFilter final : public QObject {
  Q_OBJECT

 public:
  // owner: the window the component belongs to; refusals are told through
  // the prompt.
  PrstKanaFilter(QWidget* owner, Prompt& prompt);
  ~PrstKanaFilter() override;

  // Watches the field (nullptr: none). A field of another window throws
  // Error "TargetEditのOwnerと自身のOwnerを一致させて下さい" and leaves the
  // component detached.
  void SetTargetEdit(QLineEdit* edit);
  QLineEdit* TargetEdit() const { return edit_; }

  WideString Hurigana() const { return kana_.Hurigana(); }
  TKanaSyu KanaSyu() const { return kana_.KanaSyu(); }
  void SetKanaSyu(TKanaSyu kanaSyu) { kana_.SetKanaSyu(kanaSyu); }
  const TPrstKana& Model() const { return kana_; }

  // The program replaces the whole text / inserts at the caret.
  void SetText(const QString& text);
  void Insert(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Field;

  bool KeyPress(QKeyEvent* event);
  bool InputMethod(QInputMethodEvent* event);
  bool ContextMenu(const QPoint& globalPos);
  // Records text and puts it into the field at the caret; false when
  // refused.
  bool InsertRecorded(const QString& text);
  void Paste(const QString& text);
  void Cut();
  void DeleteSelection();
  void Refuse();
  void Detach();

  QPointer<QWidget> owner_;
  Prompt& prompt_;
  QPointer<QLineEdit> edit_;
  std::unique_ptr<Field> field_;
  TPrstKana kana_;
  QString lastKanaPreedit_;
};

}  // namespace orvane
