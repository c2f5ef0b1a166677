#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The MIME character sets, in this order (the ordinal is stored in settings
// and used by the encoding dialog).
enum TMimeCharSet {
  mcsUS_ASCII,
  mcsISO_2022_JP,
  mcsSHIFT_JIS,
  mcsEUC_JP,
  mcsUTF_7,
  mcsUTF_8,
  mcsGB2312,
  mcsGB2312HZ,
  mcsGBK,
  mcsBIG5,
  mcsKSC5601,
  mcsEUC_KR,
  mcsISO_2022_KR,
  mcsISO_8859_1,
  mcsISO_8859_2,
  mcsISO_8859_3,
  mcsISO_8859_4,
  mcsISO_8859_5,
  mcsISO_8859_6,
  mcsISO_8859_7,
  mcsISO_8859_8,
  mcsISO_8859_9,
  mcsISO_8859_10,
  mcsUnKnown,
};

enum TUnicodeEncodingType { ueUTF_7, ueUTF_8 };
// The code page number of UTF-7 in the platform conversions.
inline constexpr int kUtf7CodePage = 65000;

struct TCharSetInfo {
  AnsiString name;          // the charset name written into messages
  AnsiString bodyEncoding;  // the body transfer encoding paired with it
};

TMimeCharSet CharSetFromName(std::string_view name);
TCharSetInfo CharSetInfo(TMimeCharSet charset);

// The process-wide Unicode fallback setting (starts at ueUTF_7).
TUnicodeEncodingType UnicodeEncodingSetting();
void SetUnicodeEncodingSetting(TUnicodeEncodingType value);
// mcsUTF_8 when the setting is ueUTF_8, otherwise mcsUTF_7.
TMimeCharSet UnicodeFallback();

// Unicode to the bytes of a charset. On return charset names the charset the
// bytes are really in; failed tells that the text could not be represented
// (the caller then switches to UnicodeFallback()). Japanese requests yield
// ISO-2022-JP; with detectAscii, ASCII text yields US-ASCII. A character
// that the code page of the charset lacks counts as a failure, also on the
// ISO-2022-JP path, so that no typed character is sent as "?". A failed
// conversion into another charset is tried once more as ISO-2022-JP.
// UTF-7 and UTF-8 never fail.
// Text ends at the first U+0000; bytes likewise end at the first NUL.
AnsiString UnicodeToCharSet(const WideString& text, TMimeCharSet& charset, bool& failed,
                            bool detectAscii);

// Bytes in the named charset to Unicode; charsets without a decoder decode
// `alternative` instead. The recognised charset goes to *charset.
WideString CharSetToUnicode(std::string_view name, std::string_view bytes,
                            std::string_view alternative, TMimeCharSet* charset = nullptr);

// Raw escape-coded text (ISO-2022-JP, ISO-2022-KR, HZ) that arrives without
// MIME encoding: the first of ESC $ ) C, ESC $ B / ESC $ @, or "~{" with a
// "~}" later decides. False, with empty text and charset untouched, when no
// escape coding is found.
bool DecodeEscapedText(std::string_view bytes, WideString& text, TMimeCharSet& charset);

// The Japanese conversions. failed is only ever set to true, for a code
// without a JIS X 0208 form. The decoders read malformed input as far as it
// goes without pairing a stray byte with its neighbour, so a line break or
// a character after a broken pair survives.
AnsiString SjisToJis(std::string_view sjis, bool& failed);

// How SjisToJis writes a Shift_JIS double-byte code (lead byte * 256 +
// trail byte): as JIS X 0208 proper; through the vendor extension rows that
// only some readers know (the NEC special characters, the IBM extension
// kanji; user-defined codes become "・"); or not at all (a failure, so the
// text goes to the Unicode fallback).
enum class TJisForm { Standard, VendorExtension, None };
TJisForm JisFormOf(std::uint16_t sjisCode);
AnsiString JisToSjis(std::string_view jis);
AnsiString EucToSjis(std::string_view euc);
// ISO-2022-JP to Unicode: the text of JisToSjis read as code page 932,
// without the Shift_JIS between when the bytes are 7-bit.
WideString JisToWide(std::string_view jis);

// The HZ and ISO-2022-KR coders.
AnsiString HzEncode(const WideString& text, bool& failed);
WideString HzDecode(std::string_view bytes);
AnsiString Iso2022KrEncode(const WideString& text, bool& failed);
WideString Iso2022KrDecode(std::string_view bytes);

// The platform conversion with the fallbacks of the message library: an
// unknown code page, or a character the code page lacks, sets failed;
// decoding with an unknown code page falls back to code page 932. Code page
// 52936 is HZ.
AnsiString WideToCodePage(const WideString& text, int codePage, bool& failed);
WideString CodePageToWide(std::string_view bytes, int codePage);

// Every character at most U+007E / every byte at most 0x7F.
bool IsAsciiText(std::u16string_view text);
bool IsAsciiBytes(std::string_view bytes);

}  // namespace orvane
