#include "extras/forms/AttachCopy.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QUrl>
#include <memory>

#include "gui/QtText.h"

namespace orvane {

namespace {

constexpr int kSteps = 1000;

// A progress dialog per large copy, kept answering while the copy runs.
class ProgressDialogs final : public AttachProgress {
 public:
  explicit ProgressDialogs(QWidget* parent) : parent_(parent) {}

  void Begin(const WideString& name, std::uintmax_t total) override {
    total_ = total;
    dialog_ = std::make_unique<QProgressDialog>(
        ToQString(name) + QStringLiteral(" をコピーしています..."), QStringLiteral("キャンセル"), 0,
        kSteps, parent_);
    dialog_->setObjectName(QStringLiteral("CopyProgress"));
    dialog_->setWindowTitle(QStringLiteral("添付ファイル"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setValue(0);
  }

  bool Advance(std::uintmax_t done) override {
    dialog_->setValue(total_ == 0 ? kSteps : static_cast<int>(done * kSteps / total_));
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
  }

  void End() override { dialog_.reset(); }

 private:
  QWidget* parent_;
  std::unique_ptr<QProgressDialog> dialog_;
  std::uintmax_t total_ = 0;
};

}  // namespace

std::vector<std::filesystem::path> DroppedFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files.push_back(QStringToPath(url.toLocalFile()));
  return files;
}

void AttachFiles(QWidget* parent, const TAttachForm& form, Prompt& prompt,
                 const std::vector<std::filesystem::path>& paths) {
  ProgressDialogs progress(parent);
  const AttachOutcome outcome = form.Add(paths, &progress);
  if (outcome.failures.empty()) return;
  WideString message = u"添付できなかったファイルがあります。";
  for (const WideString& failure : outcome.failures) message += u"\n" + failure;
  prompt.ShowError(message);
}

}  // namespace orvane
