#pragma once

#include <string_view>
#include <vector>

#include "addressbook/ContactRecord.h"
#include "addressbook/MailItem.h"
#include "settings/ProfileText.h"

namespace orvane {

// A contact id: decimal digits alone, as a group file line names a contact
// file. Any other line names no file, so a line such as "../x" can never
// reach outside the address folder.
bool IsContactId(std::string_view line);

// The contact file's values, read whole, with the defaults of a missing
// key (Mark 0, Sex 2, Birth empty).
ContactRecord ContactFromProfile(const ProfileText& profile);

// Writes every value in the contact editor's order, Person, Office, Phone,
// OfficePhone, then the Memo section anew (only when the memo is not
// empty). Birth is written when it is not empty. A value with blanks at
// either end or in enclosing quotes is written in double quotes, so that it
// reads back unchanged. Characters that Shift_JIS lacks become "?". Other
// keys of the file stay as they are.
void ContactToProfile(ProfileText& profile, const ContactRecord& contact);

// The labels of the contact's fields (as the contact editor names them)
// that hold characters Shift_JIS lacks, which the contact file would keep
// as "?"; none when the contact is stored as it is.
std::vector<const char16_t*> FieldsLosingCharacters(const ContactRecord& contact);

// The list values of the Person section; Mark -1 when absent.
TMailItem MailItemFromProfile(const ProfileText& profile, AnsiString id);

}  // namespace orvane
