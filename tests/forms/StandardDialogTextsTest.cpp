#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "FormsFixture.h"

namespace orvane::test {
namespace {

// Qt's own dialogs (message boxes, the input box, the file chooser) speak
// Japanese like the rest of the program, whatever the user's locale.
struct ButtonText {
  QMessageBox::StandardButton button;
  const char* english;
};

TEST(StandardDialogTexts, MessageBoxButtonsAreJapanese) {
  TestApplication();
  const ButtonText table[] = {
      {QMessageBox::Yes, "&Yes"}, {QMessageBox::No, "&No"}, {QMessageBox::Cancel, "Cancel"}};
  for (const ButtonText& row : table) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvane"), QStringLiteral("?"),
                    row.button);
    const QString text = box.button(row.button)->text();
    EXPECT_NE(text, QLatin1String(row.english));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}]"))))
        << text.toStdString();
  }
}

TEST(StandardDialogTexts, InputBoxAndFileChooserAreJapanese) {
  TestApplication();
  QInputDialog input;
  EXPECT_EQ(input.cancelButtonText(), QStringLiteral("キャンセル"));

  QFileDialog chooser;
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  const auto* lookIn = chooser.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  ASSERT_TRUE(lookIn);
  EXPECT_NE(lookIn->text(), QStringLiteral("Look in:"));
  const auto* buttons = chooser.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  ASSERT_TRUE(buttons);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
}

}  // namespace
}  // namespace orvane::test
