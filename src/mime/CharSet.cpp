// Charset names, the Unicode fallback setting and the dispatch between the
// charsets and their conversions.

#include "mime/CharSet.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/CodePage.h"

namespace orvane {
namespace {

std::atomic<TUnicodeEncodingType> unicodeEncoding{ueUTF_7};

constexpr size_t kNameEntryWidth = 20;

// The names recognised by CharSetFromName, each padded to kNameEntryWidth so
// that an entry is found by where it starts in the joined text.
constexpr std::string_view kNameEntries[] = {
    "iso-8859-",    "us-ascii",     "iso-2022-jp", "shift_jis",      "euc-jp", "utf-7", "utf-8",
    "windows-1252", "windows-1250", "gb2312",      "gb-2312",        "cn-gb",  "big5",  "cn-big5",
    "hz-gb-2312",   "iso-2022-kr",  "euc-kr",      "ks_c_5601-1987", "gbk",
};
// "iso-8859-" alone names no charset; the part number decides below.
constexpr TMimeCharSet kNameCharSets[] = {
    mcsUnKnown,    mcsUS_ASCII,    mcsISO_2022_JP, mcsSHIFT_JIS, mcsEUC_JP, mcsUTF_7, mcsUTF_8,
    mcsISO_8859_1, mcsISO_8859_2,  mcsGB2312,      mcsGB2312,    mcsGB2312, mcsBIG5,  mcsBIG5,
    mcsGB2312HZ,   mcsISO_2022_KR, mcsEUC_KR,      mcsKSC5601,   mcsGBK,
};
static_assert(std::size(kNameEntries) == std::size(kNameCharSets));

const std::string& NameTable() {
  static const std::string* table = [] {
    auto* text = new std::string;
    for (std::string_view entry : kNameEntries) {
      text->append(entry);
      text->append(kNameEntryWidth - entry.size(), ' ');
    }
    return text;
  }();
  return *table;
}

struct CharSetRow {
  const char* name;
  const char* bodyEncoding;
  int codePage;  // of the platform conversion; 0 when the charset has its own coder
};

// Indexed by TMimeCharSet.
constexpr CharSetRow kCharSets[] = {
    {"US-ASCII", "7bit", 0},
    {"ISO-2022-JP", "7bit", 0},
    {"Shift_Jis", "8bit", 0},
    {"euc-jp", "8bit", 0},
    {"UTF-7", "7bit", 65000},
    {"UTF-8", "8bit", 65001},
    {"GB2312", "8bit", 936},
    {"HZ-GB-2312", "7bit", 0},
    {"GBK", "8bit", 936},
    {"BIG5", "8bit", 950},
    {"euc-kr", "8bit", 949},
    {"euc-kr", "8bit", 51949},
    {"ISO-2022-KR", "7bit", 0},
    {"ISO-8859-1", "quoted-printable", 1252},
    {"ISO-8859-2", "quoted-printable", 28592},
    {"ISO-8859-3", "quoted-printable", 28593},
    {"ISO-8859-4", "quoted-printable", 28594},
    {"ISO-8859-5", "quoted-printable", 28595},
    {"ISO-8859-6", "quoted-printable", 28596},
    {"ISO-8859-7", "quoted-printable", 28597},
    {"ISO-8859-8", "quoted-printable", 28598},
    {"ISO-8859-9", "quoted-printable", 0},
    {"ISO-8859-10", "quoted-printable", 0},
    {"US-ASCII", "7bit", 0},
};
static_assert(std::size(kCharSets) == mcsUnKnown + 1);

const CharSetRow& RowOf(TMimeCharSet charset) {
  return kCharSets[charset >= 0 && charset <= mcsUnKnown ? charset : mcsUnKnown];
}

constexpr int kHz = 52936;

std::u16string_view UpToNul(std::u16string_view text) {
  return text.substr(0, text.find(u'\0'));
}
std::string_view UpToNul(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

// Unicode as ISO-2022-JP: code page 932, then SjisToJis. A character that
// code page 932 lacks would be sent as "?"; it counts as a failure, so the
// caller's Unicode fallback carries it instead.
AnsiString ToIso2022Jp(std::u16string_view text, bool& failed) {
  bool lost = false;
  AnsiString sjis = WideToSjis(text, &lost);
  if (lost) failed = true;
  return SjisToJis(sjis, failed);
}

AnsiString ToCodePage(std::u16string_view text, int codePage, bool& failed) {
  bool lost = false;
  std::optional<AnsiString> bytes = EncodeCodePage(text, codePage, &lost);
  if (!bytes || lost) failed = true;
  return bytes.value_or(AnsiString());
}

}  // namespace

TMimeCharSet CharSetFromName(std::string_view name) {
  std::string lower(UpToNul(name));
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  size_t at = NameTable().find(lower);
  if (at != std::string::npos && at % kNameEntryWidth == 0)
    return kNameCharSets[at / kNameEntryWidth];

  constexpr std::string_view kIso8859 = "iso-8859-";
  size_t part = lower.find(kIso8859);
  if (part == std::string::npos) return mcsUnKnown;
  std::string_view rest = std::string_view(lower).substr(part + kIso8859.size());
  if (rest.empty() || rest[0] < '1' || rest[0] > '9') return mcsUnKnown;
  if (rest[0] == '1') return rest.size() > 1 && rest[1] == '0' ? mcsISO_8859_10 : mcsISO_8859_1;
  return static_cast<TMimeCharSet>(mcsISO_8859_2 + (rest[0] - '2'));
}

TCharSetInfo CharSetInfo(TMimeCharSet charset) {
  const CharSetRow& row = RowOf(charset);
  return {row.name, row.bodyEncoding};
}

TUnicodeEncodingType UnicodeEncodingSetting() {
  return unicodeEncoding.load();
}

void SetUnicodeEncodingSetting(TUnicodeEncodingType value) {
  unicodeEncoding.store(value);
}

TMimeCharSet UnicodeFallback() {
  return UnicodeEncodingSetting() == ueUTF_8 ? mcsUTF_8 : mcsUTF_7;
}

AnsiString UnicodeToCharSet(const WideString& wide, TMimeCharSet& charset, bool& failed,
                            bool detectAscii) {
  std::u16string_view text = UpToNul(wide);
  const bool plainAscii = detectAscii && IsAsciiText(text);
  if (plainAscii) charset = mcsUS_ASCII;
  failed = false;
  if (text.empty()) return {};

  AnsiString bytes;
  switch (charset) {
    case mcsISO_2022_JP:
      return ToIso2022Jp(text, failed);
    case mcsUS_ASCII:
    case mcsSHIFT_JIS:
    case mcsEUC_JP:
    case mcsUnKnown:
      if (plainAscii) return AnsiString(text.begin(), text.end());
      // Shift_JIS and EUC-JP are never written: Japanese goes as ISO-2022-JP.
      charset = mcsISO_2022_JP;
      return ToIso2022Jp(text, failed);
    case mcsUTF_7:
    case mcsUTF_8: {
      bool ignored = false;
      return ToCodePage(text, RowOf(charset).codePage, ignored);
    }
    case mcsGB2312HZ:
      bytes = HzEncode(wide, failed);
      break;
    case mcsISO_2022_KR:
      bytes = Iso2022KrEncode(wide, failed);
      break;
    case mcsISO_8859_9:
    case mcsISO_8859_10: {
      bool ignored = false;
      bytes = ToCodePage(text, kUtf7CodePage, ignored);
      failed = true;
      break;
    }
    default:
      bytes = ToCodePage(text, RowOf(charset).codePage, failed);
      break;
  }
  if (failed) {
    bool jisFailed = false;
    AnsiString jis = ToIso2022Jp(text, jisFailed);
    if (!jisFailed) {
      charset = mcsISO_2022_JP;
      failed = false;
      return jis;
    }
  }
  return bytes;
}

WideString CharSetToUnicode(std::string_view name, std::string_view bytes,
                            std::string_view alternative, TMimeCharSet* charset) {
  const TMimeCharSet found = CharSetFromName(name);
  if (charset) *charset = found;
  switch (found) {
    case mcsUS_ASCII:
    case mcsISO_2022_JP:
    case mcsSHIFT_JIS:
      return JisToWide(bytes);
    case mcsEUC_JP:
      return SjisToWide(EucToSjis(bytes));
    case mcsGB2312HZ:
      return HzDecode(bytes);
    case mcsISO_2022_KR:
      return Iso2022KrDecode(bytes);
    case mcsUTF_7:
    case mcsUTF_8:
    case mcsGB2312:
    case mcsGBK:
    case mcsBIG5:
    case mcsKSC5601:
    case mcsEUC_KR:
    case mcsISO_8859_1:
    case mcsISO_8859_2:
      return CodePageToWide(bytes, RowOf(found).codePage);
    default:
      // No decoder: callers pass what should stand in the text instead (an
      // encoded word keeps its written form).
      return JisToWide(alternative);
  }
}

AnsiString WideToCodePage(const WideString& text, int codePage, bool& failed) {
  failed = false;
  if (codePage == kHz) return HzEncode(text, failed);
  std::u16string_view view = UpToNul(text);
  if (view.empty()) return {};
  return ToCodePage(view, codePage, failed);
}

WideString CodePageToWide(std::string_view bytes, int codePage) {
  if (codePage == kHz) return HzDecode(bytes);
  bytes = UpToNul(bytes);
  std::optional<WideString> text = DecodeCodePage(bytes, codePage);
  return text ? std::move(*text) : SjisToWide(bytes);
}

bool IsAsciiText(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0x7E; });
}

bool IsAsciiBytes(std::string_view bytes) {
  // Eight bytes a step: a whole message body is asked about at once.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & kHighBits) return false;
  }
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.end(),
                     [](char b) { return static_cast<unsigned char>(b) <= 0x7F; });
}

}  // namespace orvane
