#include "checks/forms/WarningSetFormView.h"

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "checks/forms/WarningFormView.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr int kRuleListWidthMin = 260;

// The tallest tab's rows all show, so no list needs to scroll.
int TallestTab() {
  size_t rows = 0;
  for (const TWarningTab& tab : kWarningTabs)
    rows = std::max(rows, TWarningSetForm::Rows(tab.severity).size());
  return static_cast<int>(rows);
}

}  // namespace

TWarningSetFormView::TWarningSetFormView(const DialogContext& context)
    : SettingsDialog(context.owner, QStringLiteral("警告設定"), QStringLiteral("キャンセル"),
                     context.help, TWarningSetForm::kHelpTopic),
      form_(context.settings) {
  setObjectName(QStringLiteral("WarningSetForm"));
  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("PageControl1"));
  for (const TWarningTab& tab : kWarningTabs) pages->addTab(MakeTab(tab), ToQString(tab.caption));
  Body()->addWidget(pages);
}

QWidget* TWarningSetFormView::MakeTab(const TWarningTab& tab) {
  auto* page = new QWidget;
  auto* list = new QListWidget(page);
  list->setObjectName(QLatin1String(tab.listName));
  for (TWarningRule rule : TWarningSetForm::Rows(tab.severity)) {
    auto* item = new QListWidgetItem(ToQString(RuleInfo(rule).caption), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(form_.Ticked(rule) ? Qt::Checked : Qt::Unchecked);
    item->setData(Qt::UserRole, static_cast<int>(rule));
  }
  connect(list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    form_.SetTicked(static_cast<TWarningRule>(item->data(Qt::UserRole).toInt()),
                    item->checkState() == Qt::Checked);
  });
  const int rowHeight = std::max(list->sizeHintForRow(0), list->fontMetrics().height() + 4);
  list->setMinimumSize(std::max(kRuleListWidthMin, list->sizeHintForColumn(0) + 24),
                       TallestTab() * rowHeight + 2 * list->frameWidth() + 2);

  auto* label = new QLabel(ToQString(tab.label), page);
  label->setBuddy(list);
  QPalette colours = label->palette();
  if (tab.severity != TSeverity::Caution)
    colours.setColor(QPalette::WindowText, SeverityColor(tab.severity));
  label->setPalette(colours);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(label);
  layout->addWidget(list);
  return page;
}

}  // namespace orvane
