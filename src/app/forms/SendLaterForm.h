#pragma once

#include <QDialog>
#include <optional>

#include "platform/Clock.h"
#include "platform/Prompt.h"

class QDateTimeEdit;

namespace orvane {

// "後で送信": asks when the message is to go, offering an hour from now;
// OK refuses a time that has passed and says why.
class TSendLaterForm : public QDialog {
 public:
  TSendLaterForm(QWidget* parent, Prompt& prompt, const Clock& clock);

  // The time taken with OK.
  std::optional<TimePoint> Chosen() const { return chosen_; }
  void accept() override;

 private:
  Prompt& prompt_;
  const Clock& clock_;
  QDateTimeEdit* edit_ = nullptr;
  std::optional<TimePoint> chosen_;
};

}  // namespace orvane
