#include "app/forms/ToolBarCustmForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ActionImages.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

// A list of toolbar items: the main window's icon of each code, its name.
QListWidget* ItemList(const char* name) {
  auto* list = new QListWidget;
  list->setObjectName(QLatin1String(name));
  list->setIconSize(QSize(16, 16));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Room for the longest name at the font in use.
  int widest = 0;
  for (const WideString& item : TToolBarCustmForm::ItemNames())
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(ToQString(item)));
  list->setMinimumWidth(widest + 16 + 40);
  list->setMinimumHeight(list->fontMetrics().lineSpacing() * 14);
  return list;
}

void AddRow(QListWidget* list, int code) {
  list->addItem(new QListWidgetItem(ActionImage(code), ToQString(TToolBarCustmForm::NameOf(code))));
}

QPushButton* Button(QVBoxLayout* column, const char* name, const QString& text) {
  auto* button = new QPushButton(text);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  column->addWidget(button);
  return button;
}

}  // namespace

TToolBarCustmFormView::TToolBarCustmFormView(const DialogContext& context)
    : SettingsDialog(context.owner, QStringLiteral("ツールバーの設定"),
                     QStringLiteral("キャンセル"), context.help, TToolBarCustmForm::kHelpTopic),
      form_(context.settings) {
  setObjectName(QStringLiteral("ToolBarCustmForm"));
  OkButton()->setObjectName(QStringLiteral("BTN_OK"));
  CancelButton()->setObjectName(QStringLiteral("BTN_Cancel"));

  auto* group = new QGroupBox(QStringLiteral("ツールバー"));
  group->setObjectName(QStringLiteral("GroupToolBar"));
  auto* row = new QHBoxLayout(group);
  shown_ = ItemList("LB_TB");
  available_ = ItemList("LB_List");
  auto* buttons = new QVBoxLayout;
  QPushButton* add = Button(buttons, "BTN_Add", QStringLiteral("追加 (&A)"));
  QPushButton* remove = Button(buttons, "BTN_Delete", QStringLiteral("削除 (&C)"));
  QPushButton* up = Button(buttons, "BTN_Up", QStringLiteral("上へ (&U)"));
  QPushButton* down = Button(buttons, "BTN_Down", QStringLiteral("下へ (&D)"));
  buttons->addStretch(1);
  QPushButton* reset = Button(buttons, "BTN_INIT", QStringLiteral("初期化 (&I)"));
  row->addWidget(shown_);
  row->addLayout(buttons);
  row->addWidget(available_);
  Body()->addWidget(group);

  auto* options = new QGroupBox(QStringLiteral("オプション"));
  options->setObjectName(QStringLiteral("GroupOption"));
  auto* optionRow = new QHBoxLayout(options);
  flat_ = new QCheckBox(QStringLiteral("フラットツールバー"));
  flat_->setObjectName(QStringLiteral("CB_Flat"));
  optionRow->addWidget(flat_);
  Body()->addWidget(options);

  for (int code = 0; code < static_cast<int>(TToolBarCustmForm::ItemNames().size()); ++code)
    AddRow(available_, code);
  form_.Load();
  flat_->setChecked(form_.Flat());
  ShowCodes(-1);

  connect(add, &QPushButton::clicked, this, [this] {
    if (available_->currentRow() >= 0) ShowCodes(form_.Add(available_->currentRow()));
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (shown_->currentRow() >= 0) ShowCodes(form_.Delete(shown_->currentRow()));
  });
  connect(up, &QPushButton::clicked, this,
          [this] { ShowCodes(form_.MoveUp(shown_->currentRow())); });
  connect(down, &QPushButton::clicked, this,
          [this] { ShowCodes(form_.MoveDown(shown_->currentRow())); });
  connect(reset, &QPushButton::clicked, this, [this] {
    form_.Reset();
    ShowCodes(-1);
  });
  connect(flat_, &QCheckBox::toggled, this, [this](bool on) { form_.SetFlat(on); });
}

void TToolBarCustmFormView::ShowCodes(int selected) {
  shown_->clear();
  for (int code : form_.Codes()) AddRow(shown_, code);
  shown_->setCurrentRow(selected);
}

void TToolBarCustmFormView::Save() {
  form_.Save();
}

}  // namespace orvane
