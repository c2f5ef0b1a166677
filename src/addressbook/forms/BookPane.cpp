#include "addressbook/forms/BookPane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "addressbook/forms/GroupTreeWidget.h"
#include "addressbook/forms/MailItemModel.h"
#include "gui/ErrorHandler.h"
#include "gui/Picture.h"
#include "gui/QtText.h"

namespace orvane {
namespace {

constexpr std::array<int, 3> kColumnWidths = {140, 140, 200};
const QSize kPreviewRoom(96, 96);

QLabel* PreviewCaption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

BookPane::BookPane(QWidget* parent, BookBrowser& browser, Prompt& prompt)
    : QWidget(parent), browser_(browser), prompt_(prompt) {
  tree_ = new GroupTreeWidget(this);
  tree_->setObjectName(QStringLiteral("TV"));

  model_ = new MailItemModel(browser_.Items(), this);
  icons_ = new QListView(this);
  icons_->setObjectName(QStringLiteral("ListViewIcons"));
  details_ = new QTreeView(this);
  details_->setObjectName(QStringLiteral("ListView"));
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)}) {
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setModel(model_);
    connect(view, &QAbstractItemView::doubleClicked, this, [this] {
      if (OnActivated) OnActivated();
    });
  }
  // One selection for both views: switching the style keeps it.
  QItemSelectionModel* own = details_->selectionModel();
  details_->setSelectionModel(icons_->selectionModel());
  delete own;
  connect(icons_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ShowPreview(); });

  icons_->setUniformItemSizes(true);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setWrapping(true);
  details_->setRootIsDecorated(false);
  details_->setItemsExpandable(false);
  details_->setUniformRowHeights(true);
  details_->setAllColumnsShowFocus(true);
  for (int column = 0; column < 3; ++column)
    details_->header()->resizeSection(column, kColumnWidths[static_cast<size_t>(column)]);

  stack_ = new QStackedWidget(this);
  stack_->addWidget(icons_);
  stack_->addWidget(details_);

  auto* search = new QVBoxLayout;
  search->setSpacing(1);
  for (size_t i = 0; i < kSearchButtons.size(); ++i) {
    auto* button = new QToolButton(this);
    button->setText(ToQString(kSearchButtons[i]));
    button->setObjectName(QStringLiteral("SearchButton%1").arg(i));
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    const ReadingRow row =
        i + 1 == kSearchButtons.size() ? ReadingRow::kLatin : static_cast<ReadingRow>(i);
    connect(button, &QToolButton::clicked, this, [this, row] { Search(row); });
    search->addWidget(button);
  }
  search->addStretch(1);

  preview_ = new QFrame(this);
  preview_->setObjectName(QStringLiteral("Preview"));
  static_cast<QFrame*>(preview_)->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  previewName_ = new QLabel(preview_);
  previewName_->setObjectName(QStringLiteral("PreviewName"));
  previewAddress_ = new QLabel(preview_);
  previewAddress_->setObjectName(QStringLiteral("PreviewAddress"));
  for (QLabel* value : {previewName_, previewAddress_}) {
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  previewPicture_ = new QLabel(preview_);
  previewPicture_->setObjectName(QStringLiteral("PreviewPicture"));
  previewPicture_->setMinimumSize(kPreviewRoom);
  previewPicture_->setAlignment(Qt::AlignCenter);
  auto* previewGrid = new QGridLayout(preview_);
  previewGrid->addWidget(PreviewCaption(QStringLiteral("名前"), preview_), 0, 0);
  previewGrid->addWidget(previewName_, 0, 1);
  previewGrid->addWidget(PreviewCaption(QStringLiteral("メールアドレス"), preview_), 1, 0);
  previewGrid->addWidget(previewAddress_, 1, 1);
  previewGrid->addWidget(previewPicture_, 0, 2, 3, 1);
  previewGrid->setColumnStretch(1, 1);
  previewGrid->setRowStretch(2, 1);

  auto* listRow = new QHBoxLayout;
  listRow->setContentsMargins(0, 0, 0, 0);
  listRow->addWidget(stack_, 1);
  listRow->addLayout(search);
  auto* right = new QWidget(this);
  auto* rightColumn = new QVBoxLayout(right);
  rightColumn->setContentsMargins(0, 0, 0, 0);
  rightColumn->addLayout(listRow, 1);
  rightColumn->addWidget(preview_);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(tree_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({170, 540});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { GroupClicked(); });
}

BookPane::~BookPane() = default;

QAbstractItemView* BookPane::List() const {
  return stack_->currentWidget() == details_ ? static_cast<QAbstractItemView*>(details_)
                                             : static_cast<QAbstractItemView*>(icons_);
}

void BookPane::RenderTree() {
  tree_->Render(browser_.Tree(), browser_.CurrentGroup());
}

void BookPane::RenderList() {
  model_->Reset();
  ShowPreview();
  if (OnListChanged) OnListChanged();
}

void BookPane::RenderView() {
  ApplyStyle();
  preview_->setVisible(browser_.PreviewVisible());
}

void BookPane::ApplyStyle() {
  // Every item takes the same cell, so that ten thousand contacts are laid
  // out without measuring each: wide enough for a name of a dozen
  // full-width characters, a longer one cut with "…".
  const QFontMetrics metrics = icons_->fontMetrics();
  const int nameWidth = metrics.horizontalAdvance(QString(12, QChar(0x3042)));
  switch (browser_.Style()) {
    case ListStyle::kLargeIcons:
      icons_->setViewMode(QListView::IconMode);
      icons_->setFlow(QListView::LeftToRight);
      icons_->setIconSize(QSize(32, 32));
      model_->SetItemSize(QSize(nameWidth / 2, 32 + 2 * metrics.lineSpacing() + 8));
      icons_->setWordWrap(true);
      break;
    case ListStyle::kSmallIcons:
    case ListStyle::kList:
      icons_->setViewMode(QListView::ListMode);
      icons_->setFlow(browser_.Style() == ListStyle::kList ? QListView::TopToBottom
                                                           : QListView::LeftToRight);
      icons_->setIconSize(QSize(16, 16));
      model_->SetItemSize(QSize(24 + nameWidth, std::max(18, metrics.height() + 4)));
      icons_->setWordWrap(false);
      break;
    case ListStyle::kDetails:
      model_->SetItemSize(QSize());
      stack_->setCurrentWidget(details_);
      return;
  }
  // The modes set above reset these.
  icons_->setWrapping(true);
  icons_->setMovement(QListView::Static);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setTextElideMode(Qt::ElideRight);
  icons_->setSpacing(4);
  stack_->setCurrentWidget(icons_);
}

ListSelection BookPane::Selection() const {
  ListSelection rows;
  for (const QModelIndex& index : icons_->selectionModel()->selectedRows(0))
    rows.push_back(static_cast<size_t>(index.row()));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void BookPane::Select(const ListSelection& rows, std::optional<size_t> focus) {
  QItemSelectionModel* selection = icons_->selectionModel();
  QItemSelection chosen;
  for (size_t row : rows) {
    const QModelIndex index = model_->index(static_cast<int>(row), 0);
    chosen.select(index, index);
  }
  selection->select(chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (focus) {
    const QModelIndex current = model_->index(static_cast<int>(*focus), 0);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    List()->scrollTo(current);
  }
}

void BookPane::SelectAll() {
  List()->selectAll();
}

void BookPane::Search(ReadingRow row) {
  if (std::optional<SearchResult> found = browser_.Search(row, Selection())) {
    Select(found->Selection, found->Focus);
    List()->setFocus();
  }
}

void BookPane::GroupClicked() {
  const std::optional<WideString> group = tree_->SelectedGroup();
  RunGuarded(prompt_, [&] {
    if (group)
      browser_.SelectGroup(*group);
    else
      browser_.ClearGroup();
  });
  RenderList();
}

void BookPane::ShowPreview() {
  const ListSelection rows = Selection();
  const ContactPreview preview =
      browser_.Preview(rows.empty() ? std::nullopt : std::optional<size_t>(rows.front()));
  previewName_->setText(ToQString(preview.Name));
  previewAddress_->setText(ToQString(preview.Address));
  previewPicture_->clear();
  if (preview.Image.empty()) return;
  RunGuarded(prompt_, [&] {
    previewPicture_->setPixmap(FitPicture(LoadPicture(preview.Image), kPreviewRoom));
  });
}

}  // namespace orvane
