#include "extras/forms/BlockTextForm.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/ActionImages.h"
#include "gui/DialogFrame.h"
#include "gui/ErrorHandler.h"
#include "gui/FlatButton.h"
#include "gui/QtText.h"
#include "gui/StatusPanels.h"
#include "gui/TextEditor.h"

namespace orvane {

TBlockTextFormView::TBlockTextFormView(const DialogContext& context, TBlockTextForm form)
    : QDialog(context.owner), form_(std::move(form)), help_(context.help) {
  setObjectName(QStringLiteral("BlockTextForm"));
  setWindowTitle(ToQString(form_.Kind().caption));
  setSizeGripEnabled(true);

  const auto [layout, bar] = LayOutToolBarWindow(this);
  previewButton_ =
      AddFlatButton(bar, "ToolButton1", QStringLiteral("プレビュー"), QIcon(), QString());
  FlatButton* dates = AddFlatButton(bar, "ToolButton2", QStringLiteral("日付の書式"), QIcon(),
                                    QStringLiteral("日付と時間の書式"));
  auto* menu = new QMenu(dates);
  const QString items[] = {QStringLiteral("日付と時間の書式(&1)..."),
                           QStringLiteral("日付と時間の書式　2(&2)..."),
                           QStringLiteral("日付と時間の書式  3(&3)...")};
  for (int i = 0; i < 3; ++i) {
    QAction* item = menu->addAction(items[i]);
    item->setObjectName(QStringLiteral("N%1").arg(i + 1));
    connect(item, &QAction::triggered, this, [this, i] { AskDateFormat(i); });
  }
  dates->setMenu(menu);
  dates->setPopupMode(QToolButton::MenuButtonPopup);
  connect(dates, &QToolButton::clicked, this, [this] { AskDateFormat(0); });
  bar->addSeparator();
  FlatButton* help = AddFlatButton(bar, "ToolButton4", QStringLiteral("ヘルプ"),
                                   ActionImage(kHelpImage), QStringLiteral("ヘルプ"));
  FlatButton* close = AddFlatButton(bar, "ToolButton5", QStringLiteral("閉じる"),
                                    ActionImage(kExitImage), QStringLiteral("閉じる"));

  editor_ = new TextEditor(this);
  editor_->setObjectName(QStringLiteral("Memo"));
  QStringList macros;
  for (std::u16string_view macro : kMacroNames)
    macros << QString::fromUtf16(macro.data(), static_cast<qsizetype>(macro.size()));
  editor_->SetMacros(macros);
  preview_ = new QPlainTextEdit(this);
  preview_->setObjectName(QStringLiteral("Preview"));
  preview_->setReadOnly(true);
  preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  preview_->setFont(editor_->font());
  pages_ = new QStackedWidget(this);
  pages_->addWidget(editor_);
  pages_->addWidget(preview_);
  layout->addWidget(pages_, 1);
  status_ = new StatusPanels(this, {160, 80, 90});
  layout->addWidget(status_);
  resize(520, 340);

  connect(previewButton_, &QToolButton::clicked, this, [this] { TogglePreview(); });
  connect(help, &QToolButton::clicked, this,
          [this] { ShowDialogHelp(this, help_, form_.Kind().helpTopic); });
  connect(close, &QToolButton::clicked, this, [this] {
    if (MayClose()) accept();
  });
  connect(editor_, &TextEditor::CaretMoved, this, [this] { ShowCaret(); });
}

void TBlockTextFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (loaded_) return;
  loaded_ = true;
  RunGuarded(this, [this] { editor_->setPlainText(FromCrLf(form_.Load())); });
  editor_->document()->setModified(false);
  ShowPreview();
  editor_->setFocus();
}

WideString TBlockTextFormView::EditorText() const {
  return ToCrLf(editor_->toPlainText());
}

void TBlockTextFormView::ShowPreview() {
  const bool showing = form_.PreviewShowing();
  preview_->setPlainText(FromCrLf(form_.PreviewText()));
  pages_->setCurrentWidget(showing ? static_cast<QWidget*>(preview_) : editor_);
  SetHint(previewButton_, ToQString(form_.PreviewHint()));
  status_->SetText(2, ToQString(form_.PreviewSizeText()));
  if (showing) {
    status_->SetText(1, QString());
  } else {
    ShowCaret();
  }
}

void TBlockTextFormView::ShowCaret() {
  if (!form_.PreviewShowing())
    status_->SetText(
        1, ToQString(TBlockTextForm::CaretText(editor_->CaretLine(), editor_->CaretColumn())));
}

void TBlockTextFormView::TogglePreview() {
  RunGuarded(this, [this] { form_.TogglePreview(EditorText()); });
  ShowPreview();
  if (!form_.PreviewShowing()) editor_->setFocus();
}

void TBlockTextFormView::AskDateFormat(int index) {
  RunGuarded(this, [&] {
    if (form_.AskDateFormat(index, EditorText())) ShowPreview();
  });
}

bool TBlockTextFormView::MayClose() {
  bool may = false;
  RunGuarded(this,
             [this, &may] { may = form_.Close(editor_->document()->isModified(), EditorText()); });
  return may;
}

void TBlockTextFormView::reject() {
  if (MayClose()) QDialog::reject();
}

}  // namespace orvane
