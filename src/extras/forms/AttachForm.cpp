#include "extras/forms/AttachForm.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "extras/forms/AttachCopy.h"
#include "gui/ActionImages.h"
#include "gui/DialogFrame.h"
#include "gui/ErrorHandler.h"
#include "gui/FilePanel.h"
#include "gui/FlatButton.h"
#include "gui/QtText.h"
#include "gui/StatusPanels.h"
#include "gui/WindowPlacement.h"

namespace orvane {

namespace {

constexpr int kAttachImage = 9;

}  // namespace

TAttachFormView::TAttachFormView(const DialogContext& context)
    : QDialog(context.owner),
      form_(context.settings),
      prompt_(context.prompt),
      help_(context.help) {
  setObjectName(QStringLiteral("AttachForm"));
  setWindowTitle(QStringLiteral("添付ファイル"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setSizeGripEnabled(true);
  setAcceptDrops(true);

  const auto [layout, bar] = LayOutToolBarWindow(this);
  FlatButton* add = AddFlatButton(bar, "Add", QStringLiteral("追加"), ActionImage(kAttachImage),
                                  QStringLiteral("添付ファイルを追加します"));
  FlatButton* remove = AddFlatButton(bar, "Remove", QStringLiteral("除外"),
                                     style()->standardIcon(QStyle::SP_TrashIcon),
                                     QStringLiteral("選択ファイルをリストから除外します"));
  bar->addSeparator();
  FlatButton* help = AddFlatButton(bar, "Help", QStringLiteral("ヘルプ"), ActionImage(kHelpImage),
                                   QStringLiteral("この機能についてのヘルプ"));
  FlatButton* close = AddFlatButton(bar, "CloseBTN", QStringLiteral("閉じる"),
                                    ActionImage(kExitImage), QStringLiteral("閉じる"));

  panel_ = new FilePanel(this);
  panel_->setObjectName(QStringLiteral("Img"));
  layout->addWidget(panel_, 1);
  status_ = new StatusPanels(this, {120, 70, 110});
  layout->addWidget(status_);
  resize(460, 320);

  connect(add, &QToolButton::clicked, this, [this] { ChooseFiles(); });
  connect(remove, &QToolButton::clicked, this, [this] { RemoveSelected(); });
  connect(help, &QToolButton::clicked, this,
          [this] { ShowDialogHelp(this, help_, TAttachForm::kHelpTopic); });
  connect(close, &QToolButton::clicked, this, &QDialog::accept);

  form_.Open();
  Refresh();
}

void TAttachFormView::Refresh() {
  const std::vector<AttachedFile> files = form_.Files();
  std::vector<FileItem> items;
  for (const AttachedFile& file : files) items.push_back({file.path, file.size});
  panel_->SetFiles(std::move(items));
  status_->SetText(1, ToQString(TAttachForm::CountText(files)));
  status_->SetText(2, ToQString(TAttachForm::SizeText(files)));
}

void TAttachFormView::AddFiles(const std::vector<std::filesystem::path>& paths) {
  AttachFiles(this, form_, prompt_, paths);
  Refresh();
}

void TAttachFormView::ChooseFiles() {
  const QStringList chosen = QFileDialog::getOpenFileNames(
      this, QString(), PathToQString(form_.ProgramFolder()), ToQtFilter(form_.AddFilter()));
  if (chosen.isEmpty()) return;
  std::vector<std::filesystem::path> paths;
  for (const QString& file : chosen) paths.push_back(QStringToPath(file));
  AddFiles(paths);
}

void TAttachFormView::RemoveSelected() {
  std::vector<std::filesystem::path> paths;
  for (const FileItem& item : panel_->SelectedFiles()) paths.push_back(item.path);
  form_.Remove(paths);
  Refresh();
}

void TAttachFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

void TAttachFormView::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TAttachFormView::dropEvent(QDropEvent* event) {
  const auto paths = DroppedFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The drop is released first: the desktop waits for it, not for the copy.
  QTimer::singleShot(0, this, [this, paths] { AddFiles(paths); });
}

}  // namespace orvane
