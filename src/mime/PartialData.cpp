#include "mime/PartialData.h"

#include "mime/CharSet.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {

void TPartialData::SetSubjectFormat(AnsiString format) {
  if (!IsAsciiBytes(format))
    throw Error(FormatMessage(u"無効なプロパティ要素です: %s", SjisToWide(format)));
  subjectFormat_ = std::move(format);
}

}  // namespace orvane
