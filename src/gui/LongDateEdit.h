#pragma once

#include <QDateEdit>

namespace orvane {

// A date field in the long date format ("2004年2月29日") with a calendar
// that drops down from it. Its height leaves the date's text its whole
// height at any font.
class TLongDateEdit : public QDateEdit {
 public:
  explicit TLongDateEdit(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  QSize WithRoomForText(QSize size) const;
};

}  // namespace orvane
