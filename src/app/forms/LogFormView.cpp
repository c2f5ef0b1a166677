#include "app/forms/LogFormView.h"

#include <QListWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace orvane {

TLogFormView::TLogFormView(const LogWindowGeometry& geometry, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("LogForm"));
  setWindowTitle(QStringLiteral("通信ログ"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LB"));
  list_->setUniformItemSizes(false);
  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("SB"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list_, 1);
  layout->addWidget(status);
  move(geometry.left, geometry.top);
  resize(geometry.width, geometry.height);
}

void TLogFormView::AddLine(const WideString& line) {
  // A multi-line reply is one entry; its lines show one below the other.
  list_->addItem(ToQString(line).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  list_->scrollToBottom();
}

LogWindowGeometry TLogFormView::Geometry() const {
  return LogWindowGeometry{pos().x(), pos().y(), width(), height()};
}

}  // namespace orvane
