// The option, encoding and toolbar dialogs on screen: their captions and
// controls, what OK writes and that Cancel writes nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include "FormsFixture.h"
#include "app/forms/EncodeForm.h"
#include "app/forms/OptionForm.h"
#include "app/forms/ToolBarCustmForm.h"
#include "gui/QtText.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

QString TextOf(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

// Every named control and its caption.
void ExpectCaptions(const QWidget* dialog,
                    const std::vector<std::pair<const char*, QString>>& captions) {
  for (const auto& [name, caption] : captions) {
    auto* widget = dialog->findChild<QWidget*>(QLatin1String(name));
    ASSERT_TRUE(widget) << name;
    EXPECT_EQ(TextOf(widget), caption) << name;
  }
}

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

using SettingsDialogView = DialogTest;

TEST_F(SettingsDialogView, OptionDialogShowsTheKeysAndOkWritesThem) {
  WriteFile(home / "orvane.ini",
            "[Option]\r\nFileSave=1\r\nPATH=/srv/mail/\r\nFileName=1\r\nExtention=txt\r\n"
            "AlphaBlend=0\r\nAlphaBlendValue=100\r\nGoBlend=1\r\n");
  TOptionFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("オプション"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  ExpectCaptions(&dialog, {{"GroupFile", "ファイル作成"},
                           {"CB_Encode", "エンコードしたらファイル作成 (&M)"},
                           {"BTN_SelectFolder", "..."},
                           {"GroupInactive", "非アクティブ時"},
                           {"CheckBox1", "非アクティブ時に半透明化 (&A)"},
                           {"CheckBox2", "一度に半透明化 (&G)"},
                           {"CB_SendBeforExit", "送信が終了したら終了 (&E)"},
                           {"GroupProxy", "プロキシ"},
                           {"OKBtn", "OK"},
                           {"CancelBtn", "Cancel"},
                           {"HelpBtn", "ヘルプ"}});
  EXPECT_TRUE(Find<QPushButton>(&dialog, "OKBtn")->isDefault());
  // Only Wayland itself keeps a window from staying on top.
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("LB_OnTopNote")), nullptr);
  auto* fileName = Find<QComboBox>(&dialog, "CB_FileName");
  EXPECT_EQ(Items(fileName), QStringList({"件名", "日付", "Message-ID", "元のファイル名"}));
  EXPECT_EQ(fileName->currentIndex(), 1);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "EDIT_PATH")->text(), QStringLiteral("/srv/mail/"));
  EXPECT_EQ(Find<QLineEdit>(&dialog, "EDIT_EXT")->text(), QStringLiteral("txt"));
  auto* density = Find<QSlider>(&dialog, "TrackBar1");
  EXPECT_EQ(density->minimum(), 0);
  EXPECT_EQ(density->maximum(), 255);
  EXPECT_EQ(density->value(), 100);
  // Translucency off: its density and "at once" are disabled but kept.
  EXPECT_FALSE(density->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(&dialog, "CheckBox2")->isEnabled());
  Find<QCheckBox>(&dialog, "CheckBox1")->click();
  EXPECT_TRUE(density->isEnabled());
  Find<QCheckBox>(&dialog, "CheckBox1")->click();
  // The proxy's fields are for the manual proxy only.
  auto* proxyMode = Find<QComboBox>(&dialog, "CB_ProxyMode");
  EXPECT_EQ(Items(proxyMode), QStringList({"使わない (直接接続)", "環境変数に従う (https_proxy)",
                                           "次のプロキシを使う"}));
  EXPECT_EQ(proxyMode->currentIndex(), 1);
  auto* proxyUrl = Find<QLineEdit>(&dialog, "EDIT_ProxyUrl");
  EXPECT_FALSE(proxyUrl->isEnabled());
  proxyMode->setCurrentIndex(2);
  EXPECT_TRUE(proxyUrl->isEnabled());
  proxyUrl->setText(QStringLiteral("http://proxy.example.jp:8080"));
  Find<QLineEdit>(&dialog, "EDIT_ProxyPass")->setText(QStringLiteral("pw"));

  Find<QPushButton>(&dialog, "HelpBtn")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{20});

  Find<QLineEdit>(&dialog, "EDIT_EXT")->setText(QStringLiteral("eml"));
  Find<QPushButton>(&dialog, "OKBtn")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(settings.Read(keys::kExtention), "eml");
  EXPECT_FALSE(settings.Read(keys::kAlphaBlend));
  EXPECT_EQ(settings.Read(keys::kAlphaBlendValue), 100);
  EXPECT_TRUE(settings.Read(keys::kGoBlend));
  EXPECT_TRUE(settings.Read(keys::kFileSave));
  EXPECT_EQ(settings.Read(keys::kFileName), 1);
  EXPECT_FALSE(settings.Read(keys::kSendBeforExit));
  EXPECT_EQ(settings.Read(keys::kProxyMode), 2);
  EXPECT_EQ(settings.Read(keys::kProxyUrl), "http://proxy.example.jp:8080");
  EXPECT_EQ(settings.Read(keys::kProxyPass), "pw");
}

TEST_F(SettingsDialogView, OptionFolderChooserPutsTheFolderWithASeparator) {
  TempFolder chosen;
  TOptionFormView dialog(Context());
  dialog.show();
  OnNextModal([&](QWidget* modal) {
    auto* chooser = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(chooser);
    chooser->setDirectory(PathToQString(chosen.Path()));
    static_cast<QDialog*>(chooser)->accept();
  });
  Find<QToolButton>(&dialog, "BTN_SelectFolder")->click();
  EXPECT_EQ(Find<QLineEdit>(&dialog, "EDIT_PATH")->text(),
            PathToQString(fs::canonical(chosen.Path())) + "/");
}

TEST_F(SettingsDialogView, CancelWritesNothing) {
  const std::string before = "[Option]\r\nFileSave=0\r\n[Encode]\r\nEncode=1\r\n";
  struct Case {
    const char* dialog;
    std::function<std::unique_ptr<QDialog>(const DialogContext&)> make;
    const char* cancel;
  } cases[] = {
      {"option", [](const DialogContext& c) { return std::make_unique<TOptionFormView>(c); },
       "CancelBtn"},
      {"encode", [](const DialogContext& c) { return std::make_unique<TEncodeFormView>(c); },
       "CancelBtn"},
      {"toolbar", [](const DialogContext& c) { return std::make_unique<TToolBarCustmFormView>(c); },
       "BTN_Cancel"},
  };
  for (const Case& c : cases) {
    WriteFile(home / "orvane.ini", before);
    std::unique_ptr<QDialog> dialog = c.make(Context());
    dialog->show();
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) box->click();
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) list->setCurrentIndex(2);
    Find<QPushButton>(dialog.get(), c.cancel)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << c.dialog;
    EXPECT_EQ(ReadFile(home / "orvane.ini"), before) << c.dialog;
  }
}

TEST_F(SettingsDialogView, EncodingDialogOffersUtf8AndWritesTheIndexes) {
  WriteFile(home / "orvane.ini", "[Encode]\r\nEncode=1\r\nAttach=9\r\n");
  TEncodeFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("エンコード設定"));
  ExpectCaptions(&dialog, {{"GroupCharset", "コードセット"},
                           {"GroupAttach", "日本語添付ファイル名"},
                           {"OKBtn", "OK"},
                           {"CancelBtn", "キャンセル"}});
  auto* charset = Find<QComboBox>(&dialog, "CB_Encode");
  auto* attach = Find<QComboBox>(&dialog, "CB_ATTACH");
  EXPECT_EQ(Items(charset),
            QStringList({"US-ASCII", "ISO-2022-JP", "S-JIS", "EUC-JP ", "UTF-7", "UTF-8"}));
  EXPECT_EQ(attach->count(), 4);
  EXPECT_EQ(charset->currentIndex(), 1);
  EXPECT_EQ(attach->currentIndex(), -1);  // a stored index outside the list
  auto* note = Find<QLabel>(&dialog, "Utf8Note");
  EXPECT_TRUE(note->isVisible());
  EXPECT_TRUE(note->text().startsWith(QStringLiteral("UTF-8 は")));
  Find<QPushButton>(&dialog, "HelpBtn")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{18});

  charset->setCurrentIndex(5);
  attach->setCurrentIndex(1);
  Find<QPushButton>(&dialog, "OKBtn")->click();
  EXPECT_EQ(settings.Read(keys::kEncodeCharset), 5);
  EXPECT_EQ(settings.Read(keys::kEncodeAttach), 1);
}

TEST_F(SettingsDialogView, ToolBarDialogShowsBothListsWithIcons) {
  TToolBarCustmFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ツールバーの設定"));
  ExpectCaptions(&dialog, {{"GroupToolBar", "ツールバー"},
                           {"BTN_Add", "追加 (&A)"},
                           {"BTN_Delete", "削除 (&C)"},
                           {"BTN_Up", "上へ (&U)"},
                           {"BTN_Down", "下へ (&D)"},
                           {"BTN_INIT", "初期化 (&I)"},
                           {"GroupOption", "オプション"},
                           {"CB_Flat", "フラットツールバー"},
                           {"BTN_OK", "OK"},
                           {"BTN_Cancel", "キャンセル"}});
  auto* available = Find<QListWidget>(&dialog, "LB_List");
  auto* shown = Find<QListWidget>(&dialog, "LB_TB");
  ASSERT_EQ(available->count(), 22);
  EXPECT_EQ(available->item(0)->text(), QStringLiteral("[区切り線]"));
  EXPECT_EQ(available->item(21)->text(), QStringLiteral("終了"));
  EXPECT_EQ(Rows(shown),
            QStringList({"アカウントの設定", "[区切り線]", "アドレス帳の編集", "[区切り線]",
                         "添付ファイル設定", "署名の設定", "拡張ヘッダフィールド設定", "[区切り線]",
                         "バージョン情報", "ヘルプ"}));
  for (int i = 1; i < available->count(); ++i)
    EXPECT_FALSE(available->item(i)->icon().isNull()) << i;
  Find<QPushButton>(&dialog, "HelpBtn")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{23});
}

// What the main toolbar shows, left to right: the code of each button's
// action, 0 for a separator.
QStringList MainToolBar(QToolBar* bar) {
  QStringList items;
  for (QAction* action : bar->actions()) {
    if (action->isSeparator()) {
      items << QStringLiteral("|");
    } else if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
      items << (button->defaultAction() ? button->defaultAction()->objectName()
                                        : QStringLiteral("()"));
    }
  }
  return items;
}

using ToolBarFromTheDialog = MainWindowTest;

TEST_F(ToolBarFromTheDialog, TheSavedLayoutRebuildsTheMainToolBar) {
  Open();
  auto* bar = Find<QToolBar>("TB");
  struct Case {
    const char* what;
    std::function<void(QDialog*)> use;
    QStringList shown;
    bool flat;
  } cases[] = {
      {"exit added after help, flat",
       [](QDialog* d) {
         d->findChild<QListWidget*>("LB_List")->setCurrentRow(21);
         d->findChild<QPushButton*>("BTN_Add")->click();
         d->findChild<QCheckBox*>("CB_Flat")->click();
         d->findChild<QPushButton*>("BTN_OK")->click();
       },
       {"ActionAcountSet", "|", "ActionAddressBook", "|", "ActionAttachSet", "ActionSignSet",
        "ActionXHeaderSet", "|", "ActionVersion", "ActionHelpContents", "ActionExit"},
       true},
      {"help moved first, the rest deleted",
       [](QDialog* d) {
         auto* shown = d->findChild<QListWidget*>("LB_TB");
         shown->setCurrentRow(9);
         for (int i = 0; i < 9; ++i) d->findChild<QPushButton*>("BTN_Up")->click();
         shown->setCurrentRow(1);
         while (shown->count() > 1) d->findChild<QPushButton*>("BTN_Delete")->click();
         d->findChild<QPushButton*>("BTN_OK")->click();
       },
       {"ActionHelpContents"},
       true},
      {"cancelled: the settings as they are",
       [this](QDialog* d) {
         IniFileUnit(home.Path()).Write(keys::kToolBarFlat, false);
         d->findChild<QPushButton*>("BTN_Cancel")->click();
       },
       {"ActionHelpContents"},
       false},
      {"reset: the default toolbar",
       [](QDialog* d) {
         d->findChild<QPushButton*>("BTN_INIT")->click();
         d->findChild<QPushButton*>("BTN_OK")->click();
       },
       {"ActionAcountSet", "|", "ActionAddressBook", "|", "ActionAttachSet", "ActionSignSet",
        "ActionXHeaderSet", "|", "ActionVersion", "ActionHelpContents"},
       false},
  };
  for (const Case& c : cases) {
    bool opened = false;
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      ASSERT_TRUE(dialog);
      opened = dialog->windowTitle() == QStringLiteral("ツールバーの設定");
      c.use(dialog);
    });
    Find<QAction>("ActionToolBar")->trigger();
    EXPECT_TRUE(opened) << c.what;
    EXPECT_EQ(MainToolBar(bar), c.shown) << c.what;
    EXPECT_EQ(form->ToolBar().flat, c.flat) << c.what;
  }
}

}  // namespace
}  // namespace orvane::test
