#pragma once

#include <functional>
#include <ostream>

#include "addressbook/ContactRecord.h"
#include "addressbook/GroupTree.h"
#include "platform/CodePage.h"

namespace orvane {

// An imported contact: no list icon, then the fields the test sets.
inline ContactRecord Imported(const std::function<void(ContactRecord&)>& set) {
  ContactRecord c;
  c.Mark = -1;
  set(c);
  return c;
}

// Readable failure messages for the address book's records.

inline void PrintTo(const PostalAddress& p, std::ostream* out) {
  *out << "{" << WideToUtf8(p.PostNum) << "|" << WideToUtf8(p.Address1) << "|"
       << WideToUtf8(p.Address2) << "|" << WideToUtf8(p.Station) << "}";
}

inline void PrintTo(const ContactRecord& c, std::ostream* out) {
  auto text = [&](const char* name, const WideString& value) {
    if (!value.empty()) *out << "\n  " << name << "=" << WideToUtf8(value);
  };
  text("Name", c.Name);
  text("Kana", c.Kana);
  text("Address", c.Address);
  *out << "\n  Mark=" << c.Mark << " Sex=" << c.Sex;
  text("Image", c.Image);
  text("Birth", c.Birth);
  text("WebSite", c.WebSite);
  *out << "\n  Home=";
  PrintTo(c.Home, out);
  text("Company", c.Company);
  *out << "\n  Office=";
  PrintTo(c.Office, out);
  text("Busyo", c.Busyo);
  text("Yaku", c.Yaku);
  text("CompanyWebSite", c.CompanyWebSite);
  for (size_t i = 0; i < 5; ++i) text("Phone", c.Phones[i]);
  for (size_t i = 0; i < 5; ++i) text("OfficePhone", c.OfficePhones[i]);
  text("Memo", c.Memo);
}

inline void PrintTo(const GroupNode& node, std::ostream* out) {
  *out << WideToUtf8(node.Name);
  if (node.Children.empty()) return;
  *out << " {";
  for (const GroupNode& child : node.Children) {
    PrintTo(child, out);
    *out << " ";
  }
  *out << "}";
}

}  // namespace orvane
