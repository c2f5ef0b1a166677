#include "addressbook/forms/EditAdrForm.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "addressbook/PhoneUnit.h"
#include "addressbook/ZyusyoUnit.h"
#include "addressbook/forms/BookMenus.h"
#include "addressbook/forms/ContactIcons.h"
#include "addressbook/forms/PhoneForm.h"
#include "addressbook/forms/PrstKanaFilter.h"
#include "addressbook/forms/ZyusyoForm.h"
#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"
#include "gui/LongDateEdit.h"
#include "gui/Picture.h"
#include "gui/QtText.h"

namespace orvane {
namespace {

const QSize kPictureRoom(120, 120);
const QString kPictureFilter =
    QStringLiteral("画像ファイル (*.png *.jpg *.jpeg *.bmp *.gif);;すべてのファイル (*)");

// A row of a group box: the label (its mnemonic focusing the field) and
// the field, or the field with a button after it.
void AddRow(QGridLayout* grid, int row, const char* caption, QWidget* field,
            QWidget* after = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(caption), field->parentWidget());
  label->setBuddy(field);
  grid->addWidget(label, row, 0);
  if (!after) {
    grid->addWidget(field, row, 1, 1, 2);
    return;
  }
  grid->addWidget(field, row, 1);
  grid->addWidget(after, row, 2);
}

// A field wide enough for a web address or a company's name.
QLineEdit* Field(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 26);
  return field;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

// A button that shows a value, or says that none is set.
void ShowOnButton(QPushButton* button, const WideString& value) {
  const bool blank = value.find_first_not_of(u" \n()-") == WideString::npos;
  button->setText(blank ? QStringLiteral("(未設定)") : ToQString(value));
}

QDate ToQDate(const CalendarDate& date) {
  return QDate(date.year, date.month, date.day);
}

QString MemoText(const WideString& memo) {
  return ToQString(memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

TEditAdrFormView::TEditAdrFormView(QWidget* parent, TEditAdrForm& form,
                                   const BookServices& services)
    : SettingsDialog(parent, QStringLiteral("アドレス"), QStringLiteral("キャンセル"),
                     services.help, TEditAdrForm::kHelpTopic),
      form_(form),
      services_(services) {
  setObjectName(QStringLiteral("EditAdrForm"));

  auto* columns = new QGridLayout;
  columns->addWidget(BuildBasic(), 0, 0, 1, 2);
  columns->addWidget(BuildPicture(), 0, 2);
  columns->addWidget(BuildPersonal(), 1, 0);
  columns->addWidget(BuildCompany(), 1, 1, 1, 2);
  columns->addWidget(BuildMemo(), 2, 0, 1, 3);
  columns->setRowStretch(2, 1);

  BuildMenus();
  Body()->addLayout(columns, 1);

  ShowValues();
  ShowPicture();
  // Attached once the stored name is shown, so that it is recorded.
  reading_->SetTargetEdit(name_);
  name_->setFocus();
}

QWidget* TEditAdrFormView::BuildBasic() {
  auto* box = new QGroupBox(QStringLiteral("基本情報"), this);
  box->setObjectName(QStringLiteral("GroupBasic"));
  auto* grid = new QGridLayout(box);
  name_ = Field(box, "_Name");
  reading_ = new PrstKanaFilter(this, services_.prompt);
  kana_ = Field(box, "_Kana");
  address_ = Field(box, "_Addr");
  address_->setInputMethodHints(Qt::ImhEmailCharactersOnly | Qt::ImhPreferLatin);
  icon_ = new QComboBox(box);
  icon_->setObjectName(QStringLiteral("CBox"));
  for (int mark = 0; mark < kContactIconCount; ++mark) icon_->addItem(ContactIcon(mark), QString());
  AddRow(grid, 0, "名前 (&N)", name_);
  AddRow(grid, 1, "ふりがな(&F)", kana_);
  AddRow(grid, 2, "ｱﾄﾞﾚｽ (&A)", address_);
  auto* iconRow = new QHBoxLayout;
  iconRow->addWidget(icon_);
  iconRow->addStretch(1);
  auto* iconLabel = new QLabel(QStringLiteral("ﾘｽﾄｱｲｺﾝ (&L)"), box);
  iconLabel->setBuddy(icon_);
  grid->addWidget(iconLabel, 3, 0);
  grid->addLayout(iconRow, 3, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.NameEdited(ToWide(text), reading_->Hurigana());
    kana_->setText(ToQString(form_.Contact.Kana));
  });
  connect(kana_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Contact.Kana = ToWide(text); });
  connect(address_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Contact.Address = ToWide(text); });
  connect(icon_, &QComboBox::currentIndexChanged, this,
          [this](int index) { form_.Contact.Mark = index; });
  return box;
}

QWidget* TEditAdrFormView::BuildPersonal() {
  auto* box = new QGroupBox(QStringLiteral("個人情報"), this);
  box->setObjectName(QStringLiteral("GroupPersonal"));
  auto* grid = new QGridLayout(box);
  homeAddress_ = Button(box, "BTN_Address", QString());
  birthday_ = new TLongDateEdit(box);
  birthday_->setObjectName(QStringLiteral("Birthday"));
  age_ = new QLabel(box);
  age_->setObjectName(QStringLiteral("AgeLabel"));
  age_->setMinimumWidth(age_->fontMetrics().horizontalAdvance(QStringLiteral("000 歳")));
  webSite_ = Field(box, "_WebSite");
  QPushButton* openSite = Button(box, "BTN_OpenWebSite", QStringLiteral("開く"));
  sex_ = new QComboBox(box);
  sex_->setObjectName(QStringLiteral("Sex"));
  for (const char16_t* name : TEditAdrForm::kSexNames) sex_->addItem(ToQString(name));
  homePhone_ = Button(box, "BTN_Phone", QString());

  AddRow(grid, 0, "住所 (&G)", homeAddress_);
  auto* birthRow = new QHBoxLayout;
  birthRow->addWidget(birthday_, 1);
  birthRow->addWidget(age_);
  auto* birthLabel = new QLabel(QStringLiteral("誕生日(&B)"), box);
  birthLabel->setBuddy(birthday_);
  grid->addWidget(birthLabel, 1, 0);
  grid->addLayout(birthRow, 1, 1, 1, 2);
  AddRow(grid, 2, "Webｻｲﾄ (&W)", webSite_, openSite);
  AddRow(grid, 3, "性別 (S)", sex_);
  AddRow(grid, 4, "電話番号 (&P)", homePhone_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(5, 1);

  connect(homeAddress_, &QPushButton::clicked, this, [this] { EditAddress(form_.Contact.Home); });
  connect(homePhone_, &QPushButton::clicked, this, [this] { EditPhones(form_.Contact.Phones); });
  connect(birthday_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    form_.SetBirthday({date.year(), date.month(), date.day()});
    age_->setText(ToQString(form_.AgeText()));
  });
  connect(webSite_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Contact.WebSite = ToWide(text); });
  connect(openSite, &QPushButton::clicked, this,
          [this] { RunGuarded(services_.prompt, [this] { form_.OpenWebSite(); }); });
  connect(sex_, &QComboBox::currentIndexChanged, this,
          [this](int index) { form_.Contact.Sex = index; });
  return box;
}

QWidget* TEditAdrFormView::BuildCompany() {
  auto* box = new QGroupBox(QStringLiteral("会社情報"), this);
  box->setObjectName(QStringLiteral("GroupOffice"));
  auto* grid = new QGridLayout(box);
  company_ = Field(box, "_Company");
  busyo_ = Field(box, "_Busyo");
  yaku_ = Field(box, "_Yaku");
  officeAddress_ = Button(box, "BTN_OfficeAddress", QString());
  officePhone_ = Button(box, "BTN_OfficePhone", QString());
  companySite_ = Field(box, "_CompanySite");
  QPushButton* openSite = Button(box, "BTN_OpenCompanySite", QStringLiteral("開く"));
  AddRow(grid, 0, "社名 (&O)", company_);
  AddRow(grid, 1, "部署 (&F)", busyo_);
  AddRow(grid, 2, "役職 (&E)", yaku_);
  AddRow(grid, 3, "住所 (&K)", officeAddress_);
  AddRow(grid, 4, "電話番号 (&D)", officePhone_);
  AddRow(grid, 5, "Webｻｲﾄ (&T)", companySite_, openSite);
  grid->setColumnStretch(1, 1);

  const std::pair<QLineEdit*, WideString ContactRecord::*> fields[] = {
      {company_, &ContactRecord::Company},
      {busyo_, &ContactRecord::Busyo},
      {yaku_, &ContactRecord::Yaku},
      {companySite_, &ContactRecord::CompanyWebSite}};
  for (const auto& [field, member] : fields) {
    connect(field, &QLineEdit::textEdited, this,
            [this, member](const QString& text) { form_.Contact.*member = ToWide(text); });
  }
  connect(officeAddress_, &QPushButton::clicked, this,
          [this] { EditAddress(form_.Contact.Office); });
  connect(officePhone_, &QPushButton::clicked, this,
          [this] { EditPhones(form_.Contact.OfficePhones); });
  connect(openSite, &QPushButton::clicked, this,
          [this] { RunGuarded(services_.prompt, [this] { form_.OpenCompanyWebSite(); }); });
  return box;
}

QWidget* TEditAdrFormView::BuildMemo() {
  auto* box = new QGroupBox(QStringLiteral("メモ"), this);
  box->setObjectName(QStringLiteral("GroupMemo"));
  memo_ = new QPlainTextEdit(box);
  memo_->setObjectName(QStringLiteral("Memo"));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setMinimumHeight(memo_->fontMetrics().lineSpacing() * 4);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(memo_);
  connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
    form_.Contact.Memo =
        ToWide(memo_->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
  });
  return box;
}

QWidget* TEditAdrFormView::BuildPicture() {
  auto* box = new QGroupBox(QStringLiteral("イメージ"), this);
  box->setObjectName(QStringLiteral("GroupImage"));
  picture_ = new QLabel(box);
  picture_->setObjectName(QStringLiteral("Image"));
  picture_->setMinimumSize(kPictureRoom);
  picture_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(picture_, 1);
  return box;
}

void TEditAdrFormView::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = bar->addMenu(QStringLiteral("保存(&S)"));
  file->setObjectName(QStringLiteral("MenuFile"));
  AddEntry(file, "SaveAndClose", QStringLiteral("保存して終了 (&Z)"), "F5", [this] { accept(); });
  AddEntry(file, "CloseWithoutSaving", QStringLiteral("保存せず終了 (&X)"), "Alt+F4",
           [this] { reject(); });
  QMenu* image = bar->addMenu(QStringLiteral("イメージ(&I)"));
  image->setObjectName(QStringLiteral("MenuImage"));
  AddEntry(image, "SetImage", QStringLiteral("イメージ設定(&C)"), "", [this] { ChoosePicture(); });
  clearPicture_ = AddEntry(image, "ClearImage", QStringLiteral("イメージ解除(&D)"), "", [this] {
    form_.ClearImage();
    ShowPicture();
  });
  connect(image, &QMenu::aboutToShow, this,
          [this] { clearPicture_->setEnabled(form_.HasImage()); });
  AddHelpMenu(bar, [this] { ShowDialogHelp(this, services_.help, TEditAdrForm::kHelpTopic); });
  for (QAction* action : bar->findChildren<QAction*>()) addAction(action);
  layout()->setMenuBar(bar);
}

void TEditAdrFormView::ShowValues() {
  const ContactRecord& c = form_.Contact;
  name_->setText(ToQString(c.Name));
  kana_->setText(ToQString(c.Kana));
  address_->setText(ToQString(c.Address));
  {
    const QSignalBlocker quiet(icon_);
    icon_->setCurrentIndex(c.Mark >= 0 && c.Mark < kContactIconCount ? c.Mark : -1);
  }
  {
    const QSignalBlocker quiet(birthday_);
    birthday_->setDate(ToQDate(form_.Birthday));
  }
  age_->setText(ToQString(form_.AgeText()));
  webSite_->setText(ToQString(c.WebSite));
  {
    const QSignalBlocker quiet(sex_);
    sex_->setCurrentIndex(c.Sex >= 0 && c.Sex < sex_->count() ? c.Sex : 2);
  }
  company_->setText(ToQString(c.Company));
  busyo_->setText(ToQString(c.Busyo));
  yaku_->setText(ToQString(c.Yaku));
  companySite_->setText(ToQString(c.CompanyWebSite));
  {
    const QSignalBlocker quiet(memo_);
    memo_->setPlainText(MemoText(c.Memo));
  }
  ShowButtons();
}

void TEditAdrFormView::ShowButtons() {
  ShowOnButton(homeAddress_, TEditAdrForm::AddressCaption(form_.Contact.Home));
  ShowOnButton(officeAddress_, TEditAdrForm::AddressCaption(form_.Contact.Office));
  ShowOnButton(homePhone_, TEditAdrForm::PhoneCaption(form_.Contact.Phones));
  ShowOnButton(officePhone_, TEditAdrForm::PhoneCaption(form_.Contact.OfficePhones));
}

void TEditAdrFormView::ShowPicture() {
  picture_->clear();
  if (std::optional<std::filesystem::path> file = form_.ImageFile())
    picture_->setPixmap(FitPicture(LoadPicture(*file), kPictureRoom));
}

void TEditAdrFormView::EditAddress(PostalAddress& address) {
  TZyusyoForm dialog(services_.settings, services_.shell, address);
  TZyusyoFormView view(this, dialog, services_);
  if (view.exec() != QDialog::Accepted) return;
  address = dialog.Address;
  ShowButtons();
}

void TEditAdrFormView::EditPhones(std::array<WideString, 5>& phones) {
  TPhoneForm dialog(phones);
  TPhoneFormView view(this, dialog, services_);
  if (view.exec() != QDialog::Accepted) return;
  phones = dialog.Phones;
  ShowButtons();
}

void TEditAdrFormView::ChoosePicture() {
  const QString file =
      QFileDialog::getOpenFileName(this, QStringLiteral("イメージ設定"), QString(), kPictureFilter);
  if (file.isEmpty()) return;
  RunGuarded(services_.prompt, [&] {
    // Only a file that shows as a picture is remembered.
    LoadPicture(QStringToPath(file));
    form_.SetImage(QStringToPath(file));
    ShowPicture();
  });
}

void TEditAdrFormView::Save() {
  form_.Save();
}

}  // namespace orvane
