#pragma once

#include <string_view>
#include <vector>

#include "addressbook/ContactRecord.h"
#include "platform/Types.h"

namespace orvane {

// The contacts of every card of a vCard file: vCard 4.0 and 3.0 (RFC 6350,
// RFC 2426) and vCard 2.1 as Japanese mobile phones write it (CHARSET,
// quoted-printable values with soft line breaks). Mapped: the name (FN, or
// N as family and given name), the reading (X-PHONETIC-LAST-NAME and
// X-PHONETIC-FIRST-NAME, else SORT-STRING, else SOUND;X-IRMC-N), taken to
// full-width hiragana; the preferred or first EMAIL; TEL (WORK to the
// office numbers; CELL mobile, FAX, X-IP, others the general numbers; a
// number that fits no free place or no mask becomes a memo line "TEL:
// ..."); ADR (WORK to the office), ORG as company and department, TITLE,
// BDAY, URL (WORK to the company site) and NOTE as the memo. Other
// properties are ignored, and so are cards that give none of these.
// Imported contacts have no list icon.
//
// Text that is not vCard throws Error with the reason and the line, and
// nothing is returned: no BEGIN:VCARD before other content, content
// between cards, a card without END:VCARD.
std::vector<ContactRecord> ReadVCards(std::string_view bytes);

// vCard 3.0 (RFC 2426) in UTF-8 with CR LF line ends, lines folded at 75
// octets: one card per contact with the fields above, the reading as
// SORT-STRING and as X-PHONETIC-LAST-NAME / X-PHONETIC-FIRST-NAME (split
// at the first blank, like the name into N).
AnsiString WriteVCards(const std::vector<ContactRecord>& contacts);

}  // namespace orvane
