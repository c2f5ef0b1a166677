#include "addressbook/forms/BookMenus.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "addressbook/BookBrowser.h"
#include "addressbook/forms/BookPane.h"

namespace orvane {

QAction* AddEntry(QMenu* menu, const char* name, const QString& caption, const char* shortcut,
                  const std::function<void()>& handler) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  if (*shortcut) action->setShortcut(QKeySequence(QLatin1String(shortcut)));
  QObject::connect(action, &QAction::triggered, menu, [handler] { handler(); });
  return action;
}

QList<QAction*> AddSearchMenu(QMenuBar* bar, BookPane* pane) {
  struct Entry {
    const char* caption;  // UTF-8
    const char* shortcut;
    ReadingRow row;
  };
  static constexpr std::array<Entry, 11> kRows = {{
      {"あ行(&A)", "Alt+A", ReadingRow::kA},
      {"か行(&K)", "Alt+K", ReadingRow::kKa},
      {"さ行(&S)", "Alt+S", ReadingRow::kSa},
      {"た行(&T)", "Alt+T", ReadingRow::kTa},
      {"な行(&N)", "Alt+N", ReadingRow::kNa},
      {"は行(&H)", "Alt+H", ReadingRow::kHa},
      {"ま行(&M)", "Alt+M", ReadingRow::kMa},
      {"や行(&Y)", "Alt+Y", ReadingRow::kYa},
      {"ら行(&R)", "Alt+R", ReadingRow::kRa},
      {"わ行(&W)", "Alt+W", ReadingRow::kWa},
      {"ん(&N)", "Alt+N", ReadingRow::kN},
  }};
  QMenu* menu = bar->addMenu(QStringLiteral("検索(&F)"));
  menu->setObjectName(QStringLiteral("MenuSearch"));
  QMenu* rows = menu->addMenu(QStringLiteral("ふりがな検索(&F)"));
  rows->setObjectName(QStringLiteral("MenuReading"));
  QList<QAction*> entries;
  for (size_t i = 0; i < kRows.size(); ++i) {
    const ReadingRow row = kRows[i].row;
    const QByteArray name = "SearchRow" + QByteArray::number(static_cast<int>(i));
    entries << AddEntry(rows, name.constData(), QString::fromUtf8(kRows[i].caption),
                        kRows[i].shortcut, [pane, row] { pane->Search(row); });
  }
  entries << AddEntry(menu, "SearchLatin", QStringLiteral("アルファベット(&P)"), "Alt+P",
                      [pane] { pane->Search(ReadingRow::kLatin); });
  return entries;
}

void AddViewMenu(QMenuBar* bar, BookPane* pane, BookBrowser& browser) {
  static constexpr std::array<const char*, 4> kStyles = {"大きいアイコン(&G)", "小さいアイコン(&M)",
                                                         "一覧(&L)", "詳細(&D)"};
  QMenu* menu = bar->addMenu(QStringLiteral("表示(&V)"));
  menu->setObjectName(QStringLiteral("MenuView"));
  auto* styles = new QActionGroup(menu);
  for (size_t i = 0; i < kStyles.size(); ++i) {
    const auto style = static_cast<ListStyle>(i);
    const QByteArray name = "ViewStyle" + QByteArray::number(static_cast<int>(i));
    QAction* entry = AddEntry(menu, name.constData(), QString::fromUtf8(kStyles[i]), "",
                              [pane, &browser, style] {
                                browser.SetStyle(style);
                                pane->RenderView();
                              });
    entry->setCheckable(true);
    styles->addAction(entry);
  }
  menu->addSeparator();
  QAction* preview =
      AddEntry(menu, "ViewPreview", QStringLiteral("プレビューの表示(&V)"), "", [] {});
  preview->setCheckable(true);
  QObject::connect(preview, &QAction::toggled, menu, [pane, &browser](bool on) {
    browser.SetPreviewVisible(on);
    pane->RenderView();
  });
  // The ticks follow the browser each time the menu opens.
  QObject::connect(menu, &QMenu::aboutToShow, menu, [styles, preview, &browser] {
    styles->actions().at(static_cast<int>(browser.Style()))->setChecked(true);
    const QSignalBlocker quiet(preview);
    preview->setChecked(browser.PreviewVisible());
  });
}

QList<QAction*> AddListEntries(QMenu* menu, BookPane* pane, BookBrowser& browser) {
  QList<QAction*> clipboard;
  menu->addSeparator();
  clipboard << AddEntry(menu, "CopyAddresses", QStringLiteral("Emailをクリップボードへコピー(&E)"),
                        "", [pane, &browser] { browser.CopyAddresses(pane->Selection()); });
  clipboard << AddEntry(menu, "CopyNames", QStringLiteral("名前+Emailをクリップボードへコピー(&C)"),
                        "Ctrl+C",
                        [pane, &browser] { browser.CopyNamesAndAddresses(pane->Selection()); });
  menu->addSeparator();
  AddEntry(menu, "SelectAll", QStringLiteral("すべて選択(&A)"), "Ctrl+A",
           [pane] { pane->SelectAll(); });
  return clipboard;
}

void AddHelpMenu(QMenuBar* bar, const std::function<void()>& help) {
  QMenu* menu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  menu->setObjectName(QStringLiteral("MenuHelp"));
  AddEntry(menu, "Help", QStringLiteral("ヘルプ(&H)"), "F1", help);
}

}  // namespace orvane
