// Reading contacts from vCards. Values are decoded before they are split
// at ";": in Shift_JIS the second byte of a character may be ";" or "\".

#include <optional>

#include "addressbook/PhoneMask.h"
#include "addressbook/VCard.h"
#include "addressbook/VCardLines.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/KanaText.h"

namespace orvane {
namespace {

constexpr const char16_t* kNotVCard = u"vCard のファイルではありません";
constexpr const char16_t* kUnclosed = u"%s 行目で始まる vCard に END:VCARD がありません";
constexpr const char16_t* kOutside = u"%s 行目が vCard の外にあります";

bool IsAscii(char16_t c) {
  return c < 0x80;
}

// A value for a one-line field: line breaks and other control characters
// become blanks, blanks at either end go.
WideString OneLine(std::u16string_view text) {
  WideString line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    line += text[i] < u' ' ? u' ' : text[i];
  }
  return WideString(Trim(line));
}

// Joins the non-empty pieces with a blank.
WideString JoinWords(const std::vector<WideString>& pieces) {
  WideString joined;
  for (const WideString& piece : pieces) {
    WideString word = OneLine(piece);
    if (word.empty()) continue;
    if (!joined.empty()) joined += u' ';
    joined += word;
  }
  return joined;
}

// Joins the non-empty pieces of an address; Japanese pieces follow each
// other without a blank ("東京都" "渋谷区"), others take one.
WideString JoinAddress(const std::vector<WideString>& pieces) {
  WideString joined;
  for (const WideString& piece : pieces) {
    WideString part = OneLine(piece);
    if (part.empty()) continue;
    if (!joined.empty() && (IsAscii(joined.back()) || IsAscii(part.front()))) joined += u' ';
    joined += part;
  }
  return joined;
}

// Line breaks of a note as CR LF.
WideString MemoLines(std::u16string_view text) {
  WideString memo;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      memo += u"\r\n";
    } else {
      memo += text[i];
    }
  }
  return memo;
}

std::vector<WideString> Padded(std::vector<WideString> components, size_t count) {
  components.resize(std::max(components.size(), count));
  return components;
}

// Gathers the properties of one card into a contact.
class CardMapper {
 public:
  CardMapper() { contact_.Mark = -1; }

  void Add(const VCardProperty& p) {
    const AnsiString& name = p.Name;
    if (name == "FN") {
      if (fullName_.empty()) fullName_ = OneLine(p.Text());
    } else if (name == "N") {
      if (nameParts_.empty()) nameParts_ = Padded(p.Components(), 3);
    } else if (name == "X-PHONETIC-LAST-NAME") {
      phonetic_[0] = p.Text();
    } else if (name == "X-PHONETIC-MIDDLE-NAME") {
      phonetic_[1] = p.Text();
    } else if (name == "X-PHONETIC-FIRST-NAME") {
      phonetic_[2] = p.Text();
    } else if (name == "SORT-STRING") {
      sortString_ = p.Text();
    } else if (name == "SOUND" && p.HasType("X-IRMC-N")) {
      std::vector<WideString> parts = Padded(p.Components(), 3);
      sound_ = JoinWords({parts[0], parts[1], parts[2]});
    } else if (name == "EMAIL") {
      AddEmail(p);
    } else if (name == "TEL") {
      AddPhone(p);
    } else if (name == "ADR") {
      AddAddress(p);
    } else if (name == "ORG") {
      if (!contact_.Company.empty() || !contact_.Busyo.empty()) return;
      std::vector<WideString> units = p.Components();
      contact_.Company = OneLine(units[0]);
      contact_.Busyo = JoinWords(std::vector<WideString>(units.begin() + 1, units.end()));
    } else if (name == "TITLE") {
      if (contact_.Yaku.empty()) contact_.Yaku = OneLine(p.Text());
    } else if (name == "BDAY") {
      if (auto birth = BirthDate(p.Text())) contact_.Birth = *birth;
    } else if (name == "URL") {
      WideString& site = p.HasType("WORK") ? contact_.CompanyWebSite : contact_.WebSite;
      if (site.empty()) site = OneLine(p.Text());
    } else if (name == "NOTE") {
      memo_.push_back(MemoLines(p.Text()));
    }
  }

  // The contact, nullopt when the card gave none of the mapped fields.
  std::optional<ContactRecord> Finish() {
    contact_.Name = fullName_;
    if (contact_.Name.empty() && !nameParts_.empty())
      contact_.Name = JoinWords({nameParts_[0], nameParts_[1], nameParts_[2]});
    WideString reading = JoinWords({phonetic_[0], phonetic_[1], phonetic_[2]});
    if (reading.empty()) reading = OneLine(sortString_);
    if (reading.empty()) reading = sound_;
    contact_.Kana = ToFullHiragana(reading);
    memo_.insert(memo_.end(), extraPhones_.begin(), extraPhones_.end());
    for (const WideString& text : memo_) {
      if (!contact_.Memo.empty()) contact_.Memo += u"\r\n";
      contact_.Memo += text;
    }
    ContactRecord empty;
    empty.Mark = -1;
    if (contact_ == empty) return std::nullopt;
    return contact_;
  }

 private:
  void AddEmail(const VCardProperty& p) {
    WideString address = OneLine(p.Text());
    if (address.empty() || (!contact_.Address.empty() && (!p.Pref || preferredEmail_))) return;
    contact_.Address = address;
    preferredEmail_ = p.Pref;
  }

  void AddPhone(const VCardProperty& p) {
    WideString number = OneLine(p.Text());
    if (StartsWithAsciiText(WideToUtf8(number.substr(0, 4)), "tel:")) number.erase(0, 4);
    if (number.empty()) return;
    auto& phones = p.HasType("WORK") ? contact_.OfficePhones : contact_.Phones;
    std::vector<size_t> places = {0, 1};
    if (p.HasType("CELL")) places.insert(places.begin(), 2);
    if (p.HasType("FAX")) places.insert(places.begin(), 3);
    if (p.HasType("X-IP")) places.insert(places.begin(), 4);
    for (size_t place : places) {
      if (!phones[place].empty()) continue;
      if (auto masked = PhoneFromNumber(PhoneMaskOf(place), number)) {
        phones[place] = *masked;
        return;
      }
    }
    extraPhones_.push_back(u"TEL: " + number);
  }

  void AddAddress(const VCardProperty& p) {
    bool work = p.HasType("WORK");
    bool& done = work ? officeAddress_ : homeAddress_;
    if (done) return;
    done = true;
    PostalAddress& place = work ? contact_.Office : contact_.Home;
    // PO box, extended address, street, locality, region, postal code, country.
    std::vector<WideString> parts = Padded(p.Components(), 7);
    place.Address1 = JoinAddress({parts[4], parts[3], parts[2]});
    WideString code = ToHalfWidth(OneLine(parts[5]));
    WideString other;
    if (code.find_first_not_of(u"0123456789-") == WideString::npos) {
      std::erase(code, u'-');
      place.PostNum = code;
    } else {
      other = code;
    }
    place.Address2 = JoinAddress({parts[1], parts[0], other});
  }

  ContactRecord contact_;
  WideString fullName_;
  std::vector<WideString> nameParts_;
  WideString phonetic_[3];
  WideString sortString_;
  WideString sound_;
  bool preferredEmail_ = false;
  bool homeAddress_ = false;
  bool officeAddress_ = false;
  std::vector<WideString> memo_;
  std::vector<WideString> extraPhones_;
};

bool Is(const VCardProperty& p, std::string_view name) {
  return p.Name == name && SameAsciiText(Trim(p.Value), "VCARD");
}

WideString LineNumber(size_t line) {
  return Utf8ToWide(std::to_string(line));
}

}  // namespace

std::vector<ContactRecord> ReadVCards(std::string_view bytes) {
  std::vector<ContactRecord> contacts;
  std::optional<CardMapper> card;
  size_t cardLine = 0;
  size_t nested = 0;  // cards inside the card (vCard 2.1 AGENT)
  bool anyCard = false;
  for (const VCardLine& line : SplitVCardLines(bytes)) {
    const VCardProperty& p = line.Property;
    if (!card) {
      if (line.IsProperty && Is(p, "BEGIN")) {
        card.emplace();
        cardLine = line.Line;
        anyCard = true;
        continue;
      }
      throw Error(anyCard ? FormatMessage(kOutside, LineNumber(line.Line)) : WideString(kNotVCard));
    }
    if (!line.IsProperty) continue;  // a vCard 2.1 base64 line without its indent
    if (Is(p, "BEGIN")) {
      ++nested;
    } else if (Is(p, "END")) {
      if (nested > 0) {
        --nested;
        continue;
      }
      if (auto contact = card->Finish()) contacts.push_back(std::move(*contact));
      card.reset();
    } else if (nested == 0) {
      card->Add(p);
    }
  }
  if (card) throw Error(FormatMessage(kUnclosed, LineNumber(cardLine)));
  if (!anyCard) throw Error(kNotVCard);
  return contacts;
}

}  // namespace orvane
