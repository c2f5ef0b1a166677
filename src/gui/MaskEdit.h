#pragma once

#include <QLineEdit>
#include <vector>

namespace orvane {

// A one-line field with an edit mask written as the dialogs document them:
// "mask;keep;blank". In the mask "0" is a digit that must be given, "9" a
// digit that may be left out, "L"/"l" a letter, "A"/"a" a letter or digit,
// "C"/"c" any character (each upper case required, lower case optional),
// "\" takes the next character as a literal, "!" is accepted and ignored,
// and every other character is a literal. keep "1" stores the literals in
// the value, "0" leaves them out (default "1"); blank is the character
// shown in an empty place (default "_").
class TMaskEdit : public QLineEdit {
 public:
  explicit TMaskEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
  TMaskEdit(const QString& editMask, QWidget* parent);

  void SetEditMask(const QString& editMask);

  // The text as the mask stores it: the literals when the mask keeps them,
  // each place left empty a blank.
  QString Value() const;
  // Puts a stored value into the field; blanks are empty places.
  void SetValue(const QString& value);

 private:
  std::vector<bool> literal_;  // per shown place: a literal, not an input place
  bool keepLiterals_ = true;
  QChar blank_ = QLatin1Char('_');
};

}  // namespace orvane
