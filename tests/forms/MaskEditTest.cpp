#include <QTest>

#include "FormsFixture.h"
#include "gui/MaskEdit.h"

namespace orvane::test {
namespace {

// The masks of the telephone and postal code fields, typed into as a user
// types: the value keeps the literals when the mask says so, each empty
// place a blank.
TEST(MaskEdit, TypedTextBecomesTheMasksValue) {
  TestApplication();
  struct Case {
    const char* mask;
    const char* stored;  // put into the field first
    const char* typed;   // then typed at the start
    const char* value;
  } cases[] = {
      {"!(99999)-9999-9999;1;_", "", "03", "(03   )-    -    "},
      {"!(99999)-9999-9999;1;_", "", "0312345678", "(03123)-4567-8   "},
      {"!(99999)-9999-9999;1;_", "(   03)-1234-5678", "", "(03   )-1234-5678"},
      {"!9999-9999-9999;1;_", " 090-1234-5678", "", "090 -1234-5678"},
      {"!9999-9999-9999;1;_", "", "abc", "    -    -    "},
      {"000\\-0000;0;_", "", "1500002", "1500002"},
      {"000\\-0000;0;_", "1500002", "", "1500002"},
      {"000\\-0000;0;_", "", "15", "15     "},
      {"LL-00;1;*", "", "ab12", "ab-12"},
  };
  for (const Case& c : cases) {
    TMaskEdit field(QString::fromUtf8(c.mask), nullptr);
    field.SetValue(QString::fromUtf8(c.stored));
    field.setCursorPosition(0);
    QTest::keyClicks(&field, QString::fromUtf8(c.typed));
    EXPECT_EQ(field.Value(), QString::fromUtf8(c.value)) << c.mask << " " << c.typed;
  }
}

}  // namespace
}  // namespace orvane::test
