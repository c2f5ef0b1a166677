#pragma once

#include <string_view>

#include "mime/CharSet.h"
#include "platform/Types.h"

namespace orvane {

// How far one charset decision reaches while a message is composed.
enum TCharSetEncodeMode {
  ceLine,     // every encoded word chooses its own charset
  ceField,    // a header value is first converted as a whole
  ceMessage,  // as ceField, and the charset chosen carries over to later fields
};

// One RFC 2047 encoded word of piece in charset, or in the Unicode fallback
// when charset cannot hold it: "Q" for the ISO-8859 charsets, "B"
// otherwise; a "Q" word of a phrase or comment escapes every special (see
// QEscape). Empty for an empty piece.
AnsiString EncodeWord(std::u16string_view piece, TMimeCharSet charset, bool phrase = false);

// The text as encoded words of 10 characters for the first and 13 for each
// further one, separated by single spaces (a surrogate pair is never cut);
// a piece whose word would be longer than 75 characters is cut shorter.
AnsiString EncodeWords(std::u16string_view text, TMimeCharSet charset, bool phrase = false);

// Joins two pieces of encoded header so that an encoded word is separated
// by whitespace from what stands before and after it.
AnsiString JoinEncoded(std::string_view left, std::string_view right);

// An unstructured value (Subject, and the phrases of structured values):
// runs of words that hold a character above U+007F or look like an encoded
// word become encoded words, so the result is 7-bit; other words stay as
// they are. With testWhole the whole text is first converted, which may
// change charset (Japanese requests become ISO-2022-JP; a failure the
// Unicode fallback). With fold the result is folded at blanks.
AnsiString EncodeUnstructured(std::u16string_view text, TMimeCharSet& charset, bool fold,
                              bool testWhole);

// A structured value (addresses): display names, quoted strings and
// comments are encoded as needed, addresses and specials kept, and the
// result is folded after commas, before "<" and at blanks. A quoted string
// that needs encoding loses its quotes: its text is encoded as words of the
// phrase.
AnsiString EncodeStructured(std::u16string_view text, TMimeCharSet& charset, bool testWhole);

// A value given as Shift_JIS (X-Mailer, extra header lines), encoded as
// unstructured text in ISO-2022-JP without a whole-value test, and folded.
AnsiString EncodeFixedJis(std::string_view sjis);
// The same for text that is already Unicode, so nothing is lost to
// Shift_JIS on the way.
AnsiString EncodeFixedJis(std::u16string_view text);

// Encodes the header values of one message with the reach of mode: every
// field starts from the default charset, except in ceMessage, where the
// charset left by one field is the start of the next.
class THeaderFieldEncoder {
 public:
  THeaderFieldEncoder(TMimeCharSet defaultCharSet, TCharSetEncodeMode mode);

  AnsiString Structured(std::u16string_view value);
  AnsiString Unstructured(std::u16string_view value);
  // The charset the last field was encoded in (in ceMessage, the charset
  // of the message).
  TMimeCharSet CharSet() const { return charset_; }

 private:
  TMimeCharSet Start() const;

  TMimeCharSet default_;
  TCharSetEncodeMode mode_;
  TMimeCharSet charset_;
};

}  // namespace orvane
