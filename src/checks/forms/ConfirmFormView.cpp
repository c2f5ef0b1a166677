#include "checks/forms/ConfirmFormView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/QtText.h"
#include "gui/WindowPlacement.h"
#include "platform/CodePage.h"

namespace orvane {

namespace {

constexpr int kShownLinesMax = 12;
const QColor kLookAlikeColour(255, 0, 0);

QString KindText(const TConfirmLine& line) {
  if (line.attachment) return QStringLiteral("添付");
  constexpr const char16_t* kKinds[] = {u"To", u"Cc", u"Bcc"};
  return ToQString(kKinds[static_cast<int>(line.kind)]);
}

QString Marks(const TConfirmLine& line) {
  QStringList marks;
  if (line.outside) marks << QStringLiteral("社外");
  if (line.firstTime) marks << QStringLiteral("初");
  if (line.lookAlike) marks << QStringLiteral("似たドメイン: ") + ToQString(*line.lookAlike);
  return marks.join(QStringLiteral("  "));
}

QLabel* Cell(const QString& text, const QString& name, bool red, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  if (red) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, kLookAlikeColour);
    label->setPalette(colours);
  }
  return label;
}

QLabel* Heading(const QString& caption, const QString& value, QGridLayout* grid, int row,
                QWidget* parent) {
  grid->addWidget(new QLabel(caption, parent), row, 0);
  QLabel* shown = Cell(value, QString(), false, parent);
  grid->addWidget(shown, row, 1);
  return shown;
}

}  // namespace

TConfirmFormView::TConfirmFormView(const DialogContext& context, TConfirmForm& form)
    : QDialog(context.owner, kFixedDialogFlags), form_(form), help_(context.help) {
  setObjectName(QStringLiteral("ConfirmForm"));
  setWindowTitle(QStringLiteral("送信前の確認"));
  const TConfirmSend& send = form_.Send();

  auto* headings = new QGridLayout;
  Heading(QStringLiteral("アカウント:"), SjisToQString(send.account), headings, 0, this)
      ->setObjectName(QStringLiteral("LabelAccount"));
  Heading(QStringLiteral("差出人:"), ToQString(send.sender), headings, 1, this)
      ->setObjectName(QStringLiteral("LabelSender"));
  Heading(QStringLiteral("件名:"), ToQString(send.subject), headings, 2, this)
      ->setObjectName(QStringLiteral("LabelSubject"));
  headings->setColumnStretch(1, 1);

  auto* guide = new QLabel(
      QStringLiteral("社外の宛先と添付ファイルを一つずつ確かめて、チェックを付けてください。"),
      this);
  guide->setObjectName(QStringLiteral("LabelGuide"));

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("Lines"));
  scroll_->setWidgetResizable(true);

  moveToBcc_ = new QPushButton(QStringLiteral("社外の宛先を Bcc に移す"), this);
  moveToBcc_->setObjectName(QStringLiteral("BTN_MoveToBcc"));
  moveToBcc_->setAutoDefault(false);
  connect(moveToBcc_, &QPushButton::clicked, this, [this] { MoveToBcc(); });
  auto* help = new QPushButton(QStringLiteral("ヘルプ"), this);
  help->setObjectName(QStringLiteral("BTN_Help"));
  help->setAutoDefault(false);
  connect(help, &QPushButton::clicked, this,
          [this] { ShowDialogHelp(this, help_, TConfirmForm::kHelpTopic); });
  send_ = new QPushButton(QStringLiteral("送信"), this);
  send_->setObjectName(QStringLiteral("BTN_Send"));
  send_->setAutoDefault(false);
  connect(send_, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("BTN_Cancel"));
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(moveToBcc_);
  buttons->addStretch(1);
  buttons->addWidget(help);
  buttons->addWidget(send_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(headings);
  layout->addWidget(guide);
  layout->addWidget(scroll_, 1);
  layout->addLayout(buttons);

  RenderLines();
  RenderButtons();
  adjustSize();
  CentreOnScreen(this);
}

void TConfirmFormView::RenderLines() {
  const std::vector<TConfirmLine>& lines = form_.Lines();
  auto* shown = new QWidget;
  auto* grid = new QGridLayout(shown);
  grid->setHorizontalSpacing(8);
  QWidget* firstToTick = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TConfirmLine& line = lines[i];
    const int row = static_cast<int>(i);
    const QString suffix = QString::number(row);
    auto* box = new QCheckBox(KindText(line), shown);
    box->setObjectName(QStringLiteral("CB_Line") + suffix);
    box->setChecked(line.ticked);
    box->setEnabled(line.tickable);
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
      form_.SetTicked(i, on);
      RenderButtons();
    });
    if (line.tickable && !line.ticked && !firstToTick) firstToTick = box;
    const bool red = line.lookAlike.has_value();
    grid->addWidget(box, row, 0);
    grid->addWidget(Cell(ToQString(line.name), QStringLiteral("LabelName") + suffix, false, shown),
                    row, 1);
    grid->addWidget(
        Cell(ToQString(line.address), QStringLiteral("LabelAddress") + suffix, red, shown), row, 2);
    grid->addWidget(Cell(Marks(line), QStringLiteral("LabelMarks") + suffix, red, shown), row, 3);
  }
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(static_cast<int>(lines.size()), 1);
  delete scroll_->takeWidget();
  scroll_->setWidget(shown);

  // The list shows up to a dozen lines and as wide a line as the screen
  // has room for beside the window's margins; beyond that it scrolls.
  const QSize content = shown->sizeHint();
  const int count = static_cast<int>(lines.size());
  const int rowHeight = count == 0 ? 0 : content.height() / count;
  const int frame = 2 * scroll_->frameWidth();
  const int bar = scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QMargins margins = layout()->contentsMargins();
  const int room = AvailableScreenArea(this).width() - margins.left() - margins.right();
  const int width = content.width() + frame + (count > kShownLinesMax ? bar : 0);
  scroll_->setMinimumWidth(std::min(width, room));
  scroll_->setMinimumHeight(std::min(content.height(), rowHeight * kShownLinesMax) + frame +
                            (width > room ? bar : 0));
  if (firstToTick) firstToTick->setFocus();
}

void TConfirmFormView::RenderButtons() {
  send_->setEnabled(form_.SendEnabled());
  moveToBcc_->setVisible(form_.MoveToBccOffered());
}

void TConfirmFormView::MoveToBcc() {
  form_.MoveOutsideToBcc();
  RenderLines();
  RenderButtons();
}

}  // namespace orvane
