#include <gtest/gtest.h>

#include <map>
#include <regex>
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

// A topic number names one place of the book: a second anchor of the same
// number would never be reached.
TEST(HelpBook, EveryTopicIsNamedOnce) {
  const std::string book =
      ReadFile(std::string(ORVANE_SOURCE_DIR) + "/resources/Orvane.hlp/index.html");
  std::map<std::string, int> anchors;
  const std::regex anchor(R"re(<a name="([0-9]+)">)re");
  for (auto it = std::sregex_iterator(book.begin(), book.end(), anchor);
       it != std::sregex_iterator(); ++it)
    ++anchors[(*it)[1].str()];
  ASSERT_GT(anchors.size(), 5u);
  for (const auto& [topic, count] : anchors) EXPECT_EQ(count, 1) << "topic " << topic;
}

}  // namespace
}  // namespace orvane::test
