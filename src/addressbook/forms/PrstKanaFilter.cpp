#include "addressbook/forms/PrstKanaFilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "gui/QtText.h"
#include "platform/Error.h"
#include "platform/KanaText.h"

namespace orvane {

// The line edit as the capture sees it.
class PrstKanaFilter::Field final : public KanaField {
 public:
  explicit Field(QLineEdit* edit) : edit_(edit) {}
  WideString Text() const override { return ToWide(edit_->text()); }
  size_t CaretPosition() const override { return static_cast<size_t>(edit_->cursorPosition()); }
  size_t SelectionStart() const override {
    return edit_->hasSelectedText() ? static_cast<size_t>(edit_->selectionStart())
                                    : CaretPosition();
  }
  size_t SelectionLength() const override { return static_cast<size_t>(edit_->selectionLength()); }
  void SetSelection(size_t start, size_t length) override {
    edit_->setSelection(static_cast<int>(start), static_cast<int>(length));
  }

 private:
  QLineEdit* edit_;
};

PrstKanaFilter::PrstKanaFilter(QWidget* owner, Prompt& prompt)
    : QObject(owner), owner_(owner), prompt_(prompt) {}

PrstKanaFilter::~PrstKanaFilter() {
  Detach();
}

void PrstKanaFilter::Detach() {
  if (edit_) edit_->removeEventFilter(this);
  if (edit_) disconnect(edit_, nullptr, this, nullptr);
  edit_ = nullptr;
  kana_.SetTargetEdit(nullptr);
  field_.reset();
  lastKanaPreedit_.clear();
}

void PrstKanaFilter::SetTargetEdit(QLineEdit* edit) {
  Detach();
  if (!edit) return;
  if (!owner_ || edit->window() != owner_->window())
    throw Error(u"TargetEditのOwnerと自身のOwnerを一致させて下さい");
  edit_ = edit;
  field_ = std::make_unique<Field>(edit);
  kana_.SetTargetEdit(field_.get());
  edit->installEventFilter(this);
  connect(edit, &QObject::destroyed, this, [this] {
    kana_.SetTargetEdit(nullptr);
    field_.reset();
    edit_ = nullptr;
  });
}

void PrstKanaFilter::SetText(const QString& text) {
  if (!edit_) return;
  kana_.SetText(ToWide(text));
  edit_->setText(text);
}

void PrstKanaFilter::Insert(const QString& text) {
  if (edit_ && !InsertRecorded(text)) throw Error(TPrstKana::kInsideSegment);
}

bool PrstKanaFilter::InsertRecorded(const QString& text) {
  if (!kana_.InsertText(ToWide(text))) return false;
  edit_->insert(text);
  return true;
}

void PrstKanaFilter::Refuse() {
  // Told once the event that was refused has been handled, not from inside
  // the field's event handling.
  QTimer::singleShot(0, this, [this] { prompt_.ShowError(TPrstKana::kInsideSegment); });
}

void PrstKanaFilter::Paste(const QString& text) {
  if (text.isEmpty()) return;
  if (!InsertRecorded(text)) Refuse();
}

void PrstKanaFilter::Cut() {
  if (!edit_->hasSelectedText()) return;
  kana_.Cut();
  edit_->cut();
}

void PrstKanaFilter::DeleteSelection() {
  if (!edit_->hasSelectedText()) return;
  kana_.Delete();
  edit_->del();
}

bool PrstKanaFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ || !field_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return KeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
      return InputMethod(static_cast<QInputMethodEvent*>(event));
    case QEvent::ContextMenu:
      return ContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      edit_->setCursorPosition(edit_->cursorPositionAt(drop->position().toPoint()));
      Paste(drop->mimeData()->text());
      drop->acceptProposedAction();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      // The X11 selection pasted by the middle button.
      auto* mouse = static_cast<QMouseEvent*>(event);
      QClipboard* clipboard = QGuiApplication::clipboard();
      if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection()) return false;
      edit_->setCursorPosition(edit_->cursorPositionAt(mouse->position().toPoint()));
      Paste(clipboard->text(QClipboard::Selection));
      return true;
    }
    default:
      return false;
  }
}

bool PrstKanaFilter::KeyPress(QKeyEvent* key) {
  auto consumed = [](TPrstKana::Outcome outcome) { return outcome != TPrstKana::Outcome::kPass; };
  if (key->matches(QKeySequence::Paste)) {
    Paste(QGuiApplication::clipboard()->text());
    return true;
  }
  if (key->matches(QKeySequence::Cut)) {
    Cut();
    return true;
  }
  // Undo and redo would bring back text without its reading; Ctrl+C is
  // consumed as the field's other control characters are.
  if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
      key->matches(QKeySequence::Copy))
    return true;
  if (key->matches(QKeySequence::DeleteEndOfLine) ||
      key->matches(QKeySequence::DeleteCompleteLine)) {
    int from = key->matches(QKeySequence::DeleteCompleteLine) ? 0 : edit_->cursorPosition();
    edit_->setSelection(from, static_cast<int>(edit_->text().size()) - from);
    DeleteSelection();
    return true;
  }
  if (key->key() == Qt::Key_Backspace) return consumed(kana_.Backspace());
  if (key->key() == Qt::Key_Delete) return consumed(kana_.Delete());

  QString text = key->text();
  bool printable =
      !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
  if (!printable || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return false;
  if (kana_.InsertText(ToWide(text))) return false;
  Refuse();
  return true;
}

bool PrstKanaFilter::InputMethod(QInputMethodEvent* event) {
  QString commit = event->commitString();
  QString preedit = event->preeditString();
  if (event->replacementLength() > 0) {
    // Text around the caret that the input method replaces: selected and
    // taken away as a selection is, then the event again without it.
    edit_->setSelection(edit_->cursorPosition() + event->replacementStart(),
                        event->replacementLength());
    if (commit.isEmpty()) DeleteSelection();
    QInputMethodEvent plain(preedit, event->attributes());
    plain.setCommitString(commit);
    QCoreApplication::sendEvent(edit_, &plain);
    return true;
  }
  if (commit.isEmpty() && !preedit.isEmpty() && edit_->hasSelectedText()) {
    // A composition that starts over a selection takes the selection away
    // at once, not at its commit: whole segments of it.
    kana_.DeleteSelectedSegments();
  }
  if (!commit.isEmpty()) {
    // The reading of the committed text: the kana the user last saw in the
    // composition, without the part that stays composing; the text itself
    // when the composition showed no kana alone.
    QString reading = lastKanaPreedit_.isEmpty() ? commit : lastKanaPreedit_;
    if (!preedit.isEmpty() && reading.size() > preedit.size() && reading.endsWith(preedit))
      reading.chop(preedit.size());
    if (kana_.CompositionResult(ToWide(commit), ToWide(reading)) == TPrstKana::Outcome::kRefuse) {
      lastKanaPreedit_.clear();
      Refuse();
      if (!preedit.isEmpty()) {
        QInputMethodEvent rest(preedit, event->attributes());
        QCoreApplication::sendEvent(edit_, &rest);
      }
      return true;
    }
  }
  if (preedit.isEmpty() || IsKanaText(ToWide(preedit))) lastKanaPreedit_ = preedit;
  return false;
}

bool PrstKanaFilter::ContextMenu(const QPoint& globalPos) {
  // The field's own menu would cut, paste and undo behind the capture's back.
  QMenu menu(edit_);
  bool selected = edit_->hasSelectedText();
  bool writable = !edit_->isReadOnly();
  menu.addAction(QStringLiteral("切り取り(&T)"), this, &PrstKanaFilter::Cut)
      ->setEnabled(selected && writable);
  menu.addAction(QStringLiteral("コピー(&C)"), edit_.data(), &QLineEdit::copy)
      ->setEnabled(selected);
  menu.addAction(QStringLiteral("貼り付け(&P)"), this,
                 [this] { Paste(QGuiApplication::clipboard()->text()); })
      ->setEnabled(writable && !QGuiApplication::clipboard()->text().isEmpty());
  menu.addAction(QStringLiteral("削除(&D)"), this, &PrstKanaFilter::DeleteSelection)
      ->setEnabled(selected && writable);
  menu.addSeparator();
  menu.addAction(QStringLiteral("すべて選択(&A)"), edit_.data(), &QLineEdit::selectAll)
      ->setEnabled(!edit_->text().isEmpty());
  menu.exec(globalPos);
  return true;
}

}  // namespace orvane
