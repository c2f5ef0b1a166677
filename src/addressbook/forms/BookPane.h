#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "addressbook/BookBrowser.h"
#include "platform/Prompt.h"

class QLabel;
class QListView;
class QStackedWidget;
class QToolButton;
class QTreeView;
class QAbstractItemView;

namespace orvane {

class GroupTreeWidget;
class MailItemModel;

// What the address book editor and the picker show alike: the group tree
// on the left; on the right the contacts of the selected group in the view
// style chosen, the column of reading-search buttons (あ … わ, "A") beside
// them, and the preview of the selected contact below. The list is drawn
// on demand from the browser's items.
class BookPane : public QWidget {
 public:
  // The search buttons, in order, and the rows they stand for.
  static constexpr std::array<const char16_t*, 11> kSearchButtons = {
      u"あ", u"か", u"さ", u"た", u"な", u"は", u"ま", u"や", u"ら", u"わ", u"A"};

  BookPane(QWidget* parent, BookBrowser& browser, Prompt& prompt);
  ~BookPane() override;

  GroupTreeWidget* Tree() const { return tree_; }
  // The view showing the contacts in the current style.
  QAbstractItemView* List() const;
  MailItemModel* Model() const { return model_; }

  // After the tree changed: shows it again with the current group selected.
  void RenderTree();
  // After the items changed: the list, the preview and the count.
  void RenderList();
  // After the style or the preview's visibility changed.
  void RenderView();

  ListSelection Selection() const;
  // Selects rows; focus becomes the current row and is scrolled to.
  void Select(const ListSelection& rows, std::optional<size_t> focus);
  void SelectAll();
  // The search by reading: the match selected, the list focused.
  void Search(ReadingRow row);

  // The shown group or the list changed: the window's status bar follows.
  std::function<void()> OnListChanged;
  // A contact double-clicked or Enter pressed on one.
  std::function<void()> OnActivated;

 private:
  void GroupClicked();
  void ShowPreview();
  void ApplyStyle();

  BookBrowser& browser_;
  Prompt& prompt_;
  GroupTreeWidget* tree_ = nullptr;
  MailItemModel* model_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QListView* icons_ = nullptr;
  QTreeView* details_ = nullptr;
  QWidget* preview_ = nullptr;
  QLabel* previewName_ = nullptr;
  QLabel* previewAddress_ = nullptr;
  QLabel* previewPicture_ = nullptr;
};

}  // namespace orvane
