#pragma once

#include <QWidget>

#include "app/SentLog.h"
#include "platform/Types.h"

class QListWidget;

namespace orvane {

// The communication log window "通信ログ": a sizeable tool window of the
// send window with one line per event of the attempt.
class TLogFormView : public QWidget {
 public:
  TLogFormView(const LogWindowGeometry& geometry, QWidget* owner);

  void AddLine(const WideString& line);
  // Where the window stands and how large it is now.
  LogWindowGeometry Geometry() const;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace orvane
