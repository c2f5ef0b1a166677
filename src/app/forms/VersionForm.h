#pragma once

#include <QDialog>

#include "app/MainForm.h"

namespace orvane {

// "バージョン情報": the program's name and version as shadowed titles, the
// maker, its web page and its mail address. Double-clicking the web page
// opens it; double-clicking the mail address puts the maker into the
// address field. Both close the dialog.
class TVersionForm : public QDialog {
 public:
  TVersionForm(QWidget* parent, TOrvaneMainForm& form);
};

}  // namespace orvane
