#include "gui/LongDateEdit.h"

#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace orvane {

TLongDateEdit::TLongDateEdit(QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat(QStringLiteral("yyyy年M月d日"));
  setCalendarPopup(true);
  // Birthdays and other days of the past: the Gregorian calendar's years
  // the stored format can write.
  setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
}

QSize TLongDateEdit::sizeHint() const {
  return WithRoomForText(QDateEdit::sizeHint());
}

QSize TLongDateEdit::minimumSizeHint() const {
  return WithRoomForText(QDateEdit::minimumSizeHint());
}

QSize TLongDateEdit::WithRoomForText(QSize size) const {
  // With the calendar the field is drawn as a drop-down list, whose frame
  // the style sizes for a smaller text than the field's own.
  QStyleOptionComboBox option;
  option.initFrom(this);
  option.editable = true;
  option.frame = true;
  option.rect = QRect(QPoint(), size);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  size.rheight() += std::max(0, lineEdit()->sizeHint().height() - field.height());
  return size;
}

}  // namespace orvane
