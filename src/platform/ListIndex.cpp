#include "platform/ListIndex.h"

#include <string>

#include "platform/CodePage.h"

namespace orvane {

void CheckListIndex(size_t index, size_t count) {
  if (index < count) return;
  throw ListIndexError(FormatMessage(u"リストのインデックスが範囲を超えています (%s)",
                                     Utf8ToWide(std::to_string(index))));
}

}  // namespace orvane
