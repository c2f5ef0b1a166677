#include "app/forms/OptionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/FolderChooser.h"
#include "gui/QtText.h"
#include "platform/DisplayPlatform.h"

namespace orvane {

namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QLabel* Label(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TOptionFormView::TOptionFormView(const DialogContext& context)
    : SettingsDialog(context.owner, QStringLiteral("オプション"), QStringLiteral("Cancel"),
                     context.help, TOptionForm::kHelpTopic),
      form_(context.settings) {
  setObjectName(QStringLiteral("OptionForm"));

  auto* files = Named(new QGroupBox(QStringLiteral("ファイル作成")), "GroupFile");
  auto* filesGrid = new QGridLayout(files);
  fileSave_ =
      Named(new QCheckBox(QStringLiteral("エンコードしたらファイル作成 (&M)")), "CB_Encode");
  path_ = Named(new QLineEdit, "EDIT_PATH");
  path_->setMinimumWidth(path_->fontMetrics().averageCharWidth() * 36);
  auto* selectFolder = Named(new QToolButton, "BTN_SelectFolder");
  selectFolder->setText(QStringLiteral("..."));
  fileName_ = Named(new QComboBox, "CB_FileName");
  for (const WideString& item : TOptionForm::FileNameItems()) fileName_->addItem(ToQString(item));
  extension_ = Named(new QLineEdit, "EDIT_EXT");
  filesGrid->addWidget(fileSave_, 0, 0, 1, 4);
  filesGrid->addWidget(Label(QStringLiteral("保存するフォルダ (&D)"), path_), 1, 0);
  filesGrid->addWidget(path_, 1, 1, 1, 2);
  filesGrid->addWidget(selectFolder, 1, 3);
  filesGrid->addWidget(Label(QStringLiteral("ファイル名 (D)"), fileName_), 2, 0);
  filesGrid->addWidget(fileName_, 2, 1);
  auto* extensionRow = new QHBoxLayout;
  extensionRow->addWidget(Label(QStringLiteral("拡張子 (&E)"), extension_));
  extensionRow->addWidget(extension_);
  filesGrid->addLayout(extensionRow, 2, 2, 1, 2);
  Body()->addWidget(files);

  auto* inactive = Named(new QGroupBox(QStringLiteral("非アクティブ時")), "GroupInactive");
  auto* inactiveGrid = new QGridLayout(inactive);
  alphaBlend_ = Named(new QCheckBox(QStringLiteral("非アクティブ時に半透明化 (&A)")), "CheckBox1");
  alphaBlendValue_ = Named(new QSlider(Qt::Horizontal), "TrackBar1");
  alphaBlendValue_->setRange(0, 255);
  goBlend_ = Named(new QCheckBox(QStringLiteral("一度に半透明化 (&G)")), "CheckBox2");
  inactiveGrid->addWidget(alphaBlend_, 0, 0, 1, 2);
  inactiveGrid->addWidget(Label(QStringLiteral("濃度 (&S)"), alphaBlendValue_), 1, 0);
  inactiveGrid->addWidget(alphaBlendValue_, 1, 1);
  inactiveGrid->addWidget(goBlend_, 2, 0, 1, 2);
  Body()->addWidget(inactive);
  AddProxyGroup();

  sendBeforExit_ =
      Named(new QCheckBox(QStringLiteral("送信が終了したら終了 (&E)")), "CB_SendBeforExit");
  Body()->addWidget(sendBeforExit_);
  if (!PlacesItsWindows(QGuiApplication::platformName().toStdString())) {
    auto* note = Named(new QLabel(QStringLiteral(
                           "Wayland の上で直接動いているため、ウィンドウを常に手前に表示することも、"
                           "前の位置に開くこともできません。環境変数 QT_QPA_PLATFORM を指定せずに"
                           "起動すると、XWayland の上でどちらもできます。")),
                       "LB_OnTopNote");
    note->setWordWrap(true);
    Body()->addWidget(note);
  }

  const OptionValues values = form_.Load();
  fileSave_->setChecked(values.fileSave);
  path_->setText(ToQString(values.path));
  fileName_->setCurrentIndex(values.fileName);
  extension_->setText(ToQString(values.extension));
  alphaBlend_->setChecked(values.alphaBlend);
  alphaBlendValue_->setValue(values.alphaBlendValue);
  goBlend_->setChecked(values.goBlend);
  sendBeforExit_->setChecked(values.sendBeforExit);
  proxyMode_->setCurrentIndex(values.proxy.mode);
  proxyUrl_->setText(ToQString(values.proxy.url));
  proxyUser_->setText(ToQString(values.proxy.user));
  proxyPass_->setText(ToQString(values.proxy.password));
  noProxy_->setText(ToQString(values.proxy.noProxy));
  FollowBlend();
  FollowProxyMode();

  connect(alphaBlend_, &QCheckBox::toggled, this, [this] { FollowBlend(); });
  connect(proxyMode_, &QComboBox::currentIndexChanged, this, [this] { FollowProxyMode(); });
  connect(selectFolder, &QToolButton::clicked, this, [this] { ChooseFolder(); });
}

void TOptionFormView::FollowBlend() {
  // Disabled, their values are still written.
  const bool enabled = alphaBlend_->isChecked();
  alphaBlendValue_->setEnabled(enabled);
  goBlend_->setEnabled(enabled);
}

void TOptionFormView::AddProxyGroup() {
  auto* proxy = Named(new QGroupBox(QStringLiteral("プロキシ")), "GroupProxy");
  auto* grid = new QGridLayout(proxy);
  proxyMode_ = Named(new QComboBox, "CB_ProxyMode");
  for (const WideString& item : TOptionForm::ProxyModeItems()) proxyMode_->addItem(ToQString(item));
  proxyUrl_ = Named(new QLineEdit, "EDIT_ProxyUrl");
  proxyUrl_->setPlaceholderText(QStringLiteral("http://proxy.example.co.jp:8080"));
  proxyUser_ = Named(new QLineEdit, "EDIT_ProxyUser");
  proxyPass_ = Named(new QLineEdit, "EDIT_ProxyPass");
  proxyPass_->setEchoMode(QLineEdit::Password);
  noProxy_ = Named(new QLineEdit, "EDIT_NoProxy");
  noProxy_->setPlaceholderText(QStringLiteral("intranet.example.co.jp, 192.168.0.1"));
  auto* note = Named(new QLabel(QStringLiteral("サインインとトークンの更新に使います。"
                                               "SMTP と POP3 は直接接続します。")),
                     "LB_ProxyNote");
  grid->addWidget(Label(QStringLiteral("接続 (&P)"), proxyMode_), 0, 0);
  grid->addWidget(proxyMode_, 0, 1, 1, 3);
  grid->addWidget(Label(QStringLiteral("アドレス (&U)"), proxyUrl_), 1, 0);
  grid->addWidget(proxyUrl_, 1, 1, 1, 3);
  grid->addWidget(Label(QStringLiteral("ユーザ名 (&N)"), proxyUser_), 2, 0);
  grid->addWidget(proxyUser_, 2, 1);
  grid->addWidget(Label(QStringLiteral("パスワード (&W)"), proxyPass_), 2, 2);
  grid->addWidget(proxyPass_, 2, 3);
  grid->addWidget(Label(QStringLiteral("例外 (&X)"), noProxy_), 3, 0);
  grid->addWidget(noProxy_, 3, 1, 1, 3);
  grid->addWidget(note, 4, 0, 1, 4);
  Body()->addWidget(proxy);
}

void TOptionFormView::FollowProxyMode() {
  // Disabled, their values are still written.
  const bool manual = proxyMode_->currentIndex() == 2;
  for (QLineEdit* field : {proxyUrl_, proxyUser_, proxyPass_, noProxy_}) field->setEnabled(manual);
}

void TOptionFormView::ChooseFolder() {
  const auto folder =
      FolderChooser::Choose(this, QStringLiteral("保存するフォルダ"), QStringToPath(path_->text()));
  if (folder) path_->setText(ToQString(TOptionForm::ChosenFolderText(*folder)));
}

void TOptionFormView::Save() {
  OptionValues values;
  values.fileSave = fileSave_->isChecked();
  values.path = ToWide(path_->text());
  values.fileName = fileName_->currentIndex();
  values.extension = ToWide(extension_->text());
  values.alphaBlend = alphaBlend_->isChecked();
  values.alphaBlendValue = alphaBlendValue_->value();
  values.goBlend = goBlend_->isChecked();
  values.sendBeforExit = sendBeforExit_->isChecked();
  values.proxy = {proxyMode_->currentIndex(), ToWide(proxyUrl_->text()), ToWide(proxyUser_->text()),
                  ToWide(proxyPass_->text()), ToWide(noProxy_->text())};
  form_.Save(values);
}

}  // namespace orvane
