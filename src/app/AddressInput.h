#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "addressbook/SendItem.h"
#include "app/MessageDraft.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The entries of a recipient list: the text between the "," and ";" that
// stand outside double-quoted display names (a backslash inside quotes
// takes the next character), each trimmed.
std::vector<WideString> SplitRecipientEntries(std::u16string_view list);

// The send list the picker starts with: the entries of ToText, CcText and
// BccText in that order as kinds 0, 1 and 2, each with its address
// (brackets stripped, comments removed) and display name (quotes
// stripped, comments kept); an entry without an address gives none.
std::vector<TSendItem> RecipientsOfDraft(const MessageDraft& draft);

// The draft's To, Cc and Bcc lists rebuilt from the send list in its
// order: each entry of kind k adds to list k a "," when the list is not
// empty, then QuoteDisplayName (name), " <", the address and ">". Entries
// of another kind or without an address are left out.
void SetRecipientsOfDraft(MessageDraft& draft, const std::vector<TSendItem>& items);

// One item of the favourites submenu.
struct FavouriteMenuItem {
  WideString caption;  // the contact's name
  WideString hint;     // QuoteDisplayName (name), " <", address, ">"
  int tag = 0;         // the line of the favourites file
  bool operator==(const FavouriteMenuItem&) const = default;
};

// The favourites submenu made afresh from the favourites group: nullopt
// when its file does not exist (the submenu stays as it was).
std::optional<std::vector<FavouriteMenuItem>> FavouriteMenuItems(const IniFileUnit& settings);

// A favourite chosen: its hint after a "," when the field is not empty.
WideString AppendRecipient(const WideString& field, const WideString& hint);

}  // namespace orvane
