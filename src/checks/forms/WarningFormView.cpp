#include "checks/forms/WarningFormView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/ErrorHandler.h"
#include "gui/QtText.h"
#include "gui/WindowPlacement.h"

namespace orvane {

namespace {

constexpr int kMinimumItemHeight = 14;
constexpr int kTextLeft = 2;
constexpr int kTextTop = 1;
constexpr int kShownRowsMin = 6;
constexpr int kShownRowsMax = 14;
constexpr int kListWidthMin = 360;

int ItemHeight(const QFontMetrics& metrics) {
  return std::max(kMinimumItemHeight, metrics.height() + 2 * kTextTop);
}

// Draws each line in its severity's colour, also on the selection.
class SeverityDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QString text = index.data().toString();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    painter->setFont(option.font);
    painter->setPen(SeverityColor(TWarningForm::SeverityOf(ToWide(text))));
    painter->drawText(option.rect.adjusted(kTextLeft, kTextTop, 0, 0),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics metrics(option.font);
    return QSize(metrics.horizontalAdvance(index.data().toString()) + 2 * kTextLeft,
                 ItemHeight(metrics));
  }
};

}  // namespace

QColor SeverityColor(std::optional<TSeverity> severity) {
  if (severity == TSeverity::Warning) return QColor(255, 0, 0);
  if (severity == TSeverity::Information) return QColor(0, 0, 255);
  return QColor(0, 0, 0);
}

TWarningFormView::TWarningFormView(const DialogContext& context, TWarningForm form)
    : QDialog(context.owner, kFixedDialogFlags), form_(std::move(form)), help_(context.help) {
  setObjectName(QStringLiteral("WarningForm"));
  setWindowTitle(QStringLiteral("警告 / 注意"));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LB"));
  list_->setItemDelegate(new SeverityDelegate(list_));
  list_->setUniformItemSizes(true);
  int widest = 0;
  for (const WideString& line : form_.Lines()) {
    list_->addItem(ToQString(line));
    widest = std::max(widest, list_->fontMetrics().horizontalAdvance(ToQString(line)));
  }
  const int rows = std::clamp(static_cast<int>(form_.Lines().size()), kShownRowsMin, kShownRowsMax);
  const int frame = 2 * list_->frameWidth();
  const int scrollBar = list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int screenWidth = AvailableScreenArea().width();
  list_->setFixedSize(std::clamp(widest + 2 * kTextLeft + frame + scrollBar + 4, kListWidthMin,
                                 screenWidth * 4 / 5),
                      rows * ItemHeight(list_->fontMetrics()) + frame);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OpenLineHelp(); });

  auto* hint = new QLabel(QStringLiteral("ダブルクリックで警告/注意の詳細を表示"), this);
  hint->setObjectName(QStringLiteral("Label1"));
  auto* help = new QPushButton(QStringLiteral("ヘルプ"), this);
  help->setObjectName(QStringLiteral("plButton1"));
  connect(help, &QPushButton::clicked, this, [this] { OpenHelp(TWarningForm::kHelpTopic); });
  auto* goOn = new QPushButton(QStringLiteral("続行"), this);
  goOn->setObjectName(QStringLiteral("Button1"));
  goOn->setDefault(true);
  connect(goOn, &QPushButton::clicked, this, &QDialog::accept);
  auto* stop = new QPushButton(QStringLiteral("中止"), this);
  stop->setObjectName(QStringLiteral("Button2"));
  connect(stop, &QPushButton::clicked, this, [this] { Stop(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(hint, 1);
  buttons->addWidget(help);
  buttons->addWidget(goOn);
  buttons->addWidget(stop);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Short lines would leave the list narrower than the buttons below it.
  list_->setFixedWidth(std::max(list_->maximumWidth(), buttons->sizeHint().width()));
  goOn->setFocus();
  // The fixed size from the layout alone: adjustSize would measure the
  // screen, and there may be none.
  layout->activate();
  CentreOnScreen(this);
}

void TWarningFormView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    Stop();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TWarningFormView::reject() {
  choice_ = TWarningChoice::GoOn;
  QDialog::reject();
}

void TWarningFormView::Stop() {
  choice_ = TWarningChoice::Stop;
  QDialog::reject();
}

void TWarningFormView::OpenLineHelp() {
  const QListWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) return;
  if (int topic = TWarningForm::HelpTopicOf(ToWide(item->text())); topic != 0) OpenHelp(topic);
}

void TWarningFormView::OpenHelp(int topic) {
  ShowDialogHelp(this, help_, topic);
}

}  // namespace orvane
