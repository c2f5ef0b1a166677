#include <gtest/gtest.h>

#include <string>

#include "addressbook/AdBook.h"
#include "addressbook/Address.h"
#include "addressbook/EditAdrUnit.h"
#include "addressbook/PhoneUnit.h"
#include "addressbook/ZyusyoUnit.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

// Every address book window opens the help book at a topic the book holds.
TEST(AddressBookHelp, EachWindowsTopicIsInTheHelpBook) {
  const std::string book =
      ReadFile(std::string(ORVANE_SOURCE_DIR) + "/resources/Orvane.hlp/index.html");
  for (int topic : {TBookForm::kHelpTopic, TAddForm::kHelpTopic, TEditAdrForm::kHelpTopic,
                    TZyusyoForm::kHelpTopic, TPhoneForm::kHelpTopic}) {
    EXPECT_NE(book.find("<a name=\"" + std::to_string(topic) + "\"></a>"), std::string::npos)
        << topic;
  }
}

}  // namespace
}  // namespace orvane::test
