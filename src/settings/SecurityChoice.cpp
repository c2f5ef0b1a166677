#include "settings/SecurityChoice.h"

#include <string>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/IniFileUnit.h"

namespace orvane {

TSecurity SecurityFromText(const AnsiString& text) {
  int value = StrToInt(text);
  if (value < scNone || value > scTls)
    throw ConvertError(
        FormatMessage(u"暗号化の設定 '%s' は 0、1、2 のどれでもありません", SjisToWide(text)));
  return static_cast<TSecurity>(value);
}

AnsiString SecurityText(TSecurity security) {
  return std::to_string(static_cast<int>(security));
}

bool PlainAuthAllowedFromText(const AnsiString& text) {
  return text == kAccountTrue;
}

}  // namespace orvane
