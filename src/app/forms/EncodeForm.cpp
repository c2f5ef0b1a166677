#include "app/forms/EncodeForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace orvane {

namespace {

QComboBox* List(QGroupBox* group, const char* name, const std::vector<WideString>& items) {
  auto* list = new QComboBox(group);
  list->setObjectName(QLatin1String(name));
  for (const WideString& item : items) list->addItem(ToQString(item));
  group->layout()->addWidget(list);
  return list;
}

QGroupBox* Group(const QString& title, const char* name) {
  auto* group = new QGroupBox(title);
  group->setObjectName(QLatin1String(name));
  new QVBoxLayout(group);
  return group;
}

}  // namespace

TEncodeFormView::TEncodeFormView(const DialogContext& context)
    : SettingsDialog(context.owner, QStringLiteral("エンコード設定"), QStringLiteral("キャンセル"),
                     context.help, TEncodeForm::kHelpTopic),
      form_(context.settings) {
  setObjectName(QStringLiteral("EncodeForm"));
  QGroupBox* charsets = Group(QStringLiteral("コードセット"), "GroupCharset");
  charset_ = List(charsets, "CB_Encode", TEncodeForm::CharsetItems());
  auto* note = new QLabel(ToQString(TEncodeForm::Utf8Note()), charsets);
  note->setObjectName(QStringLiteral("Utf8Note"));
  note->setWordWrap(true);
  charsets->layout()->addWidget(note);
  Body()->addWidget(charsets);
  QGroupBox* names = Group(QStringLiteral("日本語添付ファイル名"), "GroupAttach");
  attach_ = List(names, "CB_ATTACH", TEncodeForm::AttachItems());
  Body()->addWidget(names);

  const EncodeChoice choice = form_.Load();
  charset_->setCurrentIndex(choice.charset);
  attach_->setCurrentIndex(choice.attach);
}

void TEncodeFormView::Save() {
  form_.Save({charset_->currentIndex(), attach_->currentIndex()});
}

}  // namespace orvane
