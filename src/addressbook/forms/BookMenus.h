#pragma once

#include <QList>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace orvane {

class BookBrowser;
class BookPane;

// The menus the address book editor and the picker share, over a pane.

// 検索(&F): ふりがな検索(&F) with the rows あ行 … わ行 and ん, and
// アルファベット(&P), each with its Alt shortcut. Returns the entries, whose
// shortcuts go before the menu bar's mnemonics.
QList<QAction*> AddSearchMenu(QMenuBar* bar, BookPane* pane);

// 表示(&V): the four view styles and プレビューの表示(&V).
void AddViewMenu(QMenuBar* bar, BookPane* pane, BookBrowser& browser);

// The clipboard entries and すべて選択 at the end of a contact menu;
// returns the two clipboard entries, enabled while a contact is selected.
QList<QAction*> AddListEntries(QMenu* menu, BookPane* pane, BookBrowser& browser);

// ヘルプ(&H) with its entry ヘルプ(&H) (F1).
void AddHelpMenu(QMenuBar* bar, const std::function<void()>& help);

// An entry with a caption, a shortcut ("" for none) and a handler.
QAction* AddEntry(QMenu* menu, const char* name, const QString& caption, const char* shortcut,
                  const std::function<void()>& handler);

}  // namespace orvane
