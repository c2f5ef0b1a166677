// Writing contacts as vCard 3.0 (RFC 2426).

#include <algorithm>
#include <utility>

#include "addressbook/PhoneMask.h"
#include "addressbook/VCard.h"
#include "addressbook/VCardLines.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// The TYPE of each of the five telephones, at home and at the office.
constexpr const char* kPhoneTypes[5] = {"HOME,VOICE", "HOME,VOICE", "CELL", "HOME,FAX",
                                        "HOME,X-IP"};
constexpr const char* kOfficePhoneTypes[5] = {"WORK,VOICE", "WORK,VOICE", "WORK,CELL", "WORK,FAX",
                                              "WORK,X-IP"};

// A text value with "\", ",", ";" and line breaks escaped (RFC 2426
// section 4, "text" value type).
WideString Escape(std::u16string_view text) {
  WideString out;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u"\\n";
    } else {
      if (c == u'\\' || c == u',' || c == u';') out += u'\\';
      out += c;
    }
  }
  return out;
}

// The text before the first blank (ASCII or ideographic) and the text
// after the blanks that follow it.
std::pair<WideString, WideString> SplitAtBlank(const WideString& text) {
  size_t blank = text.find_first_of(u" \u3000");
  if (blank == WideString::npos) return {text, {}};
  size_t rest = text.find_first_not_of(u" \u3000", blank);
  return {text.substr(0, blank), rest == WideString::npos ? WideString() : text.substr(rest)};
}

class CardWriter {
 public:
  explicit CardWriter(AnsiString& out) : out_(out) {}

  void Write(const ContactRecord& c) {
    Put("BEGIN", u"VCARD");
    Put("VERSION", u"3.0");
    auto [family, given] = SplitAtBlank(c.Name);
    PutComponents("N", {family, given, {}, {}, {}});
    PutText("FN", c.Name);
    if (!c.Kana.empty()) {
      auto [last, first] = SplitAtBlank(c.Kana);
      PutText("SORT-STRING", c.Kana);
      PutText("X-PHONETIC-LAST-NAME", last);
      if (!first.empty()) PutText("X-PHONETIC-FIRST-NAME", first);
    }
    if (!c.Address.empty()) PutText("EMAIL;TYPE=INTERNET", c.Address);
    PutPhones(c.Phones, kPhoneTypes);
    PutPhones(c.OfficePhones, kOfficePhoneTypes);
    PutAddress("ADR;TYPE=HOME", c.Home);
    PutAddress("ADR;TYPE=WORK", c.Office);
    if (!c.Company.empty() || !c.Busyo.empty()) {
      if (c.Busyo.empty())
        PutComponents("ORG", {c.Company});
      else
        PutComponents("ORG", {c.Company, c.Busyo});
    }
    if (!c.Yaku.empty()) PutText("TITLE", c.Yaku);
    if (auto birth = BirthDate(c.Birth)) {
      WideString date = *birth;
      std::replace(date.begin(), date.end(), u'/', u'-');
      Put("BDAY", date);
    }
    if (!c.WebSite.empty()) PutText("URL;TYPE=HOME", c.WebSite);
    if (!c.CompanyWebSite.empty()) PutText("URL;TYPE=WORK", c.CompanyWebSite);
    if (!c.Memo.empty()) PutText("NOTE", c.Memo);
    Put("END", u"VCARD");
  }

 private:
  void PutPhones(const std::array<WideString, 5>& phones, const char* const (&types)[5]) {
    for (size_t i = 0; i < 5; ++i) {
      WideString number = PhoneToNumber(phones[i]);
      if (!number.empty()) Put(std::string("TEL;TYPE=") + types[i], number);
    }
  }

  void PutAddress(const char* head, const PostalAddress& place) {
    if (place.PostNum.empty() && place.Address1.empty() && place.Address2.empty()) return;
    WideString code = place.PostNum;
    if (code.size() == 7) code.insert(3, u"-");
    PutComponents(head, {{}, place.Address2, place.Address1, {}, {}, code, {}});
  }

  void PutText(std::string_view head, const WideString& value) { Put(head, Escape(value)); }

  void PutComponents(std::string_view head, const std::vector<WideString>& components) {
    WideString value;
    for (size_t i = 0; i < components.size(); ++i) {
      if (i > 0) value += u';';
      value += Escape(components[i]);
    }
    Put(head, value);
  }

  // One content line, folded so that no line exceeds 75 octets (RFC 2426
  // section 2.6) and no UTF-8 sequence is cut.
  void Put(std::string_view head, const WideString& value) {
    AnsiString line = AnsiString(head) + ":" + WideToUtf8(value);
    std::string_view rest = line;
    size_t limit = 75;
    while (rest.size() > limit) {
      size_t cut = limit;
      while (cut > 0 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
      out_.append(rest.substr(0, cut));
      out_ += "\r\n ";
      rest.remove_prefix(cut);
      limit = 74;  // the blank that starts a continuation counts
    }
    out_.append(rest);
    out_ += "\r\n";
  }

  AnsiString& out_;
};

}  // namespace

AnsiString WriteVCards(const std::vector<ContactRecord>& contacts) {
  AnsiString out;
  CardWriter writer(out);
  for (const ContactRecord& contact : contacts) writer.Write(contact);
  return out;
}

}  // namespace orvane
