#include "checks/forms/ConfirmSetFormView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr int kDomainFieldChars = 40;

QCheckBox* CheckBox(const QString& caption, const char* name, bool& value, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QLatin1String(name));
  box->setChecked(value);
  QObject::connect(box, &QCheckBox::toggled, box, [&value](bool on) { value = on; });
  return box;
}

QSpinBox* Number(const char* name, int& value, int low, int high, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QLatin1String(name));
  spin->setRange(low, high);
  spin->setValue(value);
  QObject::connect(spin, &QSpinBox::valueChanged, spin, [&value](int now) { value = now; });
  return spin;
}

QLineEdit* ListField(const char* name, WideString& value, const QString& example,
                     QWidget* parent) {
  auto* field = new QLineEdit(ToQString(value), parent);
  field->setObjectName(QLatin1String(name));
  field->setPlaceholderText(example);
  field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kDomainFieldChars);
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [&value](const QString& text) { value = ToWide(text); });
  return field;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, buddy->parentWidget());
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TConfirmSetFormView::TConfirmSetFormView(const DialogContext& context)
    : SettingsDialog(context.owner, QStringLiteral("誤送信防止"), QStringLiteral("キャンセル"),
                     context.help, TConfirmSetForm::kHelpTopic),
      form_(context.settings) {
  setObjectName(QStringLiteral("ConfirmSetForm"));

  Body()->addWidget(CheckBox(QStringLiteral("送信の前に社外の宛先と添付ファイルを確認する (&E)"),
                             "CB_Enabled", form_.enabled, this));

  auto* domains = new QGroupBox(QStringLiteral("社内のドメイン"), this);
  domains->setObjectName(QStringLiteral("GroupDomains"));
  auto* domainsGrid = new QGridLayout(domains);
  auto* list = new QLineEdit(ToQString(form_.internalDomains), domains);
  list->setObjectName(QStringLiteral("EDIT_Domains"));
  list->setPlaceholderText(QStringLiteral("example.co.jp, example.com"));
  list->setMinimumWidth(list->fontMetrics().averageCharWidth() * kDomainFieldChars);
  connect(list, &QLineEdit::textChanged, this,
          [this](const QString& text) { form_.internalDomains = ToWide(text); });
  auto* note = new QLabel(
      QStringLiteral(
          "コンマで区切ります。空欄のときは送信に使うアカウントのアドレスのドメインです。"),
      domains);
  note->setObjectName(QStringLiteral("LabelDomainsNote"));
  note->setWordWrap(true);
  domainsGrid->addWidget(BuddyLabel(QStringLiteral("ドメイン (&D)"), list), 0, 0);
  domainsGrid->addWidget(list, 0, 1);
  domainsGrid->addWidget(note, 1, 1);
  domainsGrid->addWidget(CheckBox(QStringLiteral("サブドメインも社内とする (&S)"), "CB_SubDomains",
                                  form_.subDomains, domains),
                         2, 0, 1, 2);
  domainsGrid->addWidget(
      CheckBox(QStringLiteral("宛先がすべて社内で添付ファイルがなければ確認しない (&K)"),
               "CB_SkipWhenInternal", form_.skipWhenInternal, domains),
      3, 0, 1, 2);
  Body()->addWidget(domains);

  auto* numbers = new QGridLayout;
  auto* limit =
      Number("SE_BccLeakLimit", form_.bccLeakLimit, 2, TConfirmSetForm::kBccLeakLimitMax, this);
  limit->setSuffix(QStringLiteral(" 件以上"));
  auto* delay = Number("SE_DelaySeconds", form_.delaySeconds, 0, keys::kMaxDelaySeconds, this);
  delay->setSuffix(QStringLiteral(" 秒"));
  numbers->addWidget(BuddyLabel(QStringLiteral("社外の宛先が To/Cc に (&B)"), limit), 0, 0);
  numbers->addWidget(limit, 0, 1);
  numbers->addWidget(new QLabel(QStringLiteral("あれば Bcc を勧める"), this), 0, 2);
  numbers->addWidget(BuddyLabel(QStringLiteral("送信まで待つ (&W)"), delay), 1, 0);
  numbers->addWidget(delay, 1, 1);
  numbers->addWidget(new QLabel(QStringLiteral("(0 秒で待たずに送信)"), this), 1, 2);
  numbers->setColumnStretch(3, 1);
  Body()->addLayout(numbers);

  auto* block = new QGroupBox(QStringLiteral("送信の禁止"), this);
  block->setObjectName(QStringLiteral("GroupBlock"));
  auto* blockGrid = new QGridLayout(block);
  const struct {
    const char* name;
    QString caption;
    WideString& value;
    QString example;
  } fields[] = {
      {"EDIT_BlockAddresses", QStringLiteral("宛先 (&A)"), form_.blockAddresses,
       QStringLiteral("rival@example.com")},
      {"EDIT_BlockDomains", QStringLiteral("ドメイン (&O)"), form_.blockDomains,
       QStringLiteral("example.net (サブドメインも)")},
      {"EDIT_BlockWords", QStringLiteral("件名・本文の言葉 (&T)"), form_.blockWords,
       QStringLiteral("極秘, 社外秘")},
      {"EDIT_BlockExtensions", QStringLiteral("添付ファイルの拡張子 (&X)"), form_.blockExtensions,
       QStringLiteral("exe, bat")},
  };
  int row = 0;
  for (const auto& field : fields) {
    QLineEdit* edit = ListField(field.name, field.value, field.example, block);
    blockGrid->addWidget(BuddyLabel(field.caption, edit), row, 0);
    blockGrid->addWidget(edit, row++, 1);
  }
  auto* blockNote = new QLabel(
      QStringLiteral("どれかに当たる送信は、確認なしに止めます (コンマで区切ります)。"), block);
  blockNote->setObjectName(QStringLiteral("LabelBlockNote"));
  blockNote->setWordWrap(true);
  blockGrid->addWidget(blockNote, row, 1);
  Body()->addWidget(block);

  auto* rules = new QLabel(QStringLiteral("[警告15] よく似たドメイン、[警告16] Bcc にすべき宛先は、"
                                          "確認の画面を使わなくても「警告の設定」で選べます。"),
                           this);
  rules->setObjectName(QStringLiteral("LabelRules"));
  rules->setWordWrap(true);
  Body()->addWidget(rules);
}

}  // namespace orvane
