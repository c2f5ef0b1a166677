#pragma once

#include <QDialog>

#include "extras/AttList.h"
#include "gui/DialogContext.h"

namespace orvane {

class FilePanel;
class StatusPanels;

// "添付ファイル": the files of the attachment folder in a file panel, 追加
// and 除外, files dropped from the desktop, and the number and total size
// of the files in the status bar.
class TAttachFormView : public QDialog {
 public:
  explicit TAttachFormView(const DialogContext& context);

  // Lists the folder again and renews the status.
  void Refresh();
  void AddFiles(const std::vector<std::filesystem::path>& paths);

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ChooseFiles();
  void RemoveSelected();

  TAttachForm form_;
  Prompt& prompt_;
  HelpOpener help_;
  FilePanel* panel_;
  StatusPanels* status_;
};

}  // namespace orvane
