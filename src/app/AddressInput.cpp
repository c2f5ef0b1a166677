#include "app/AddressInput.h"

#include "addressbook/AdBookStore.h"
#include "app/MailAddUnit.h"
#include "platform/AsciiText.h"

namespace orvane {

std::vector<WideString> SplitRecipientEntries(std::u16string_view list) {
  std::vector<WideString> entries;
  WideString entry;
  bool quoted = false;
  for (size_t i = 0; i < list.size(); ++i) {
    const char16_t c = list[i];
    if (quoted && c == u'\\' && i + 1 < list.size()) {
      entry += c;
      entry += list[++i];
      continue;
    }
    if (c == u'"') quoted = !quoted;
    if (!quoted && (c == u',' || c == u';')) {
      entries.emplace_back(Trim(entry));
      entry.clear();
      continue;
    }
    entry += c;
  }
  entries.emplace_back(Trim(entry));
  return entries;
}

std::vector<TSendItem> RecipientsOfDraft(const MessageDraft& draft) {
  std::vector<TSendItem> items;
  const WideString* lists[] = {&draft.ToText, &draft.CcText, &draft.BccText};
  for (int kind = TSendItem::kTo; kind <= TSendItem::kBcc; ++kind) {
    for (const WideString& entry : SplitRecipientEntries(*lists[kind])) {
      WideString address = ExtractAddress(entry, true, true);
      if (address.empty()) continue;
      items.push_back({ExtractDisplayName(entry, true, false), std::move(address), kind});
    }
  }
  return items;
}

void SetRecipientsOfDraft(MessageDraft& draft, const std::vector<TSendItem>& items) {
  WideString* lists[] = {&draft.ToText, &draft.CcText, &draft.BccText};
  for (WideString* list : lists) list->clear();
  for (const TSendItem& item : items) {
    if (item.Kind < TSendItem::kTo || item.Kind > TSendItem::kBcc || item.Address.empty()) continue;
    WideString& list = *lists[item.Kind];
    if (!list.empty()) list += u",";
    list += QuoteDisplayName(item.Name) + u" <" + item.Address + u">";
  }
}

std::optional<std::vector<FavouriteMenuItem>> FavouriteMenuItems(const IniFileUnit& settings) {
  const std::optional<std::vector<Favourite>> favourites =
      AdBookStore(settings.AddressFolder()).LoadFavourites();
  if (!favourites) return std::nullopt;
  std::vector<FavouriteMenuItem> items;
  for (const Favourite& favourite : *favourites) {
    items.push_back({favourite.Name,
                     QuoteDisplayName(favourite.Name) + u" <" + favourite.Address + u">",
                     favourite.Tag});
  }
  return items;
}

WideString AppendRecipient(const WideString& field, const WideString& hint) {
  return field.empty() ? hint : field + u"," + hint;
}

}  // namespace orvane
