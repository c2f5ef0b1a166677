#pragma once

#include <array>

#include "platform/Types.h"

namespace orvane {

// A postal address as the contact file keeps it (sections Person and
// Office alike).
struct PostalAddress {
  WideString PostNum;  // digits only
  WideString Address1;
  WideString Address2;
  WideString Station;
  bool operator==(const PostalAddress&) const = default;
};

// Every value of a contact file. Telephones are the masked texts of the
// contact editor (PhoneMask.h); the memo's lines are joined by CR LF.
struct ContactRecord {
  // Section Person.
  WideString Name;
  WideString Kana;
  WideString Address;
  int Mark = 0;  // -1 for no icon
  WideString Image;
  int Sex = 2;
  WideString Birth;  // "yyyy/mm/dd"; empty when the file holds none
  WideString WebSite;
  PostalAddress Home;
  // Section Office.
  WideString Company;
  PostalAddress Office;
  WideString Busyo;
  WideString Yaku;
  WideString CompanyWebSite;
  // Sections Phone and OfficePhone: general 1 and 2, mobile, FAX, IP.
  std::array<WideString, 5> Phones;
  std::array<WideString, 5> OfficePhones;
  // Section Memo.
  WideString Memo;

  bool operator==(const ContactRecord&) const = default;
};

}  // namespace orvane
