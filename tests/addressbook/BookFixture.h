#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "addressbook/AdBook.h"
#include "platform/CodePage.h"
#include "settings/IniFileUnit.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {

// A contact editor that saves or cancels as the test queued, writing the
// saved contact's name into its file like the editor would.
class ScriptedEditor final : public ContactEditor {
 public:
  explicit ScriptedEditor(const std::filesystem::path& addressFolder) : folder_(addressFolder) {}

  std::optional<AnsiString> EditContact(const AnsiString& id) override {
    opened.push_back(id);
    if (saves.empty()) return std::nullopt;
    std::optional<std::string> name = saves.front();
    saves.pop_front();
    if (!name) return std::nullopt;
    AdBookStore store(folder_);
    const AnsiString saved = id.empty() ? store.NewContactId() : id;
    ContactRecord contact = store.ReadContact(saved);
    contact.Name = Utf8ToWide(*name);
    store.WriteContact(saved, contact);
    return saved;
  }

  // The name each editor saves, nullopt for a cancel.
  std::deque<std::optional<std::string>> saves;
  std::vector<AnsiString> opened;

 private:
  std::filesystem::path folder_;
};

// A program folder with an address folder, and the services of the
// address book windows.
class BookFixture : public ::testing::Test {
 protected:
  std::filesystem::path Address(const std::string& name) const { return home / "Address" / name; }
  std::filesystem::path Group(const std::u16string& name) const {
    return home / "Address" / WideToUtf8(name + u".dat");
  }
  // A contact file with the list's values (UTF-8 here, Shift_JIS on disk).
  void Contact(const std::string& id, const std::string& name, const std::string& kana,
               const std::string& address) {
    WriteFile(Address(id + ".adr"),
              WideToSjis(Utf8ToWide("[Person]\r\nName=" + name + "\r\nKana=" + kana +
                                    "\r\nAddress=" + address + "\r\nMark=1\r\n")));
  }
  void GroupFile(const std::u16string& name, const std::string& lines) {
    WriteFile(Group(name), lines);
  }
  std::string GroupText(const std::u16string& name) const { return ReadFile(Group(name)); }

  TempFolder home;
  IniFileUnit settings{home.Path()};
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  ScriptedEditor editor{home / "Address"};
};

}  // namespace orvane::test
