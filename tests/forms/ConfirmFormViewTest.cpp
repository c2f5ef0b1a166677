#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "FormsFixture.h"
#include "checks/forms/ConfirmFormView.h"

namespace orvane::test {
namespace {

using K = TRecipientKind;

// The keyboard ticks one line at a time; the move to Bcc redraws the lines
// with their ticks; Esc stops.
TEST_F(DialogTest, ConfirmWindowTicksLineByLineAndMovesOutsideAddressesToBcc) {
  TConfirmSettings settings;
  settings.enabled = true;
  settings.internal = TInternalDomains({u"example.co.jp"}, true);
  const std::vector<TRecipient> recipients = {
      {K::To, u"", u"a@one.jp"}, {K::To, u"", u"c@example.co.jp"}, {K::Cc, u"", u"b@two.jp"}};
  TConfirmForm form(
      {"home", u"太郎 <taro@example.co.jp>", u"見積", recipients, {{u"見積書.pdf", 10}}}, settings,
      nullptr);
  TConfirmFormView window(Context(), form);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* send = Find<QPushButton>(&window, "BTN_Send");
  auto* move = Find<QPushButton>(&window, "BTN_MoveToBcc");
  auto box = [&](int line) {
    return Find<QCheckBox>(&window, ("CB_Line" + std::to_string(line)).c_str());
  };
  EXPECT_TRUE(move->isVisible());
  EXPECT_FALSE(box(2)->isEnabled());  // c@example.co.jp, internal: ticked already
  EXPECT_TRUE(box(2)->isChecked());

  auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
  EXPECT_EQ(QApplication::focusWidget(), box(0));
  press(Qt::Key_Space);
  press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), box(1));
  press(Qt::Key_Space);
  EXPECT_TRUE(box(0)->isChecked() && box(1)->isChecked());
  EXPECT_FALSE(send->isEnabled());  // the attachment is not ticked

  move->click();
  EXPECT_FALSE(move->isVisible());
  for (int line : {0, 1}) EXPECT_EQ(box(line)->text(), QStringLiteral("Bcc"));
  EXPECT_TRUE(box(0)->isChecked() && box(1)->isChecked());
  box(3)->click();
  EXPECT_TRUE(send->isEnabled());

  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_TRUE(form.RecipientsMoved());
}

}  // namespace
}  // namespace orvane::test
