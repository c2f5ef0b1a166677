#pragma once

#include <sysexits.h>

#include <exception>
#include <string>

#include "app/SendOutcome.h"
#include "platform/Types.h"

namespace orvane {

// How the program ends: its exit status (sysexits.h) and, unless it
// delivered without a word to say, one line why, in Japanese and English.
struct Ending {
  int status = EX_OK;
  WideString japanese;
  std::string english;
};

// Thrown where the program cannot go on.
class EndingError : public std::exception {
 public:
  EndingError(int status, WideString japanese, std::string english)
      : ending_{status, std::move(japanese), std::move(english)} {}
  const Ending& Get() const { return ending_; }
  const char* what() const noexcept override { return ending_.english.c_str(); }

 private:
  Ending ending_;
};

// The one place where a send's outcome becomes the exit status: 0
// delivered (to those accepted, the refused named, when not every
// recipient was required); 65 stopped by a warning (--strict); 69 refused by the server
// (5yz: a refused recipient among them) or no TLS; 75 a reply 4yz, no connection, a time-out or a
// token endpoint out of reach: the caller may try again; 77 authentication refused or a sign-in
// needed; 78 a setting missing or not valid. The Japanese line is the send window's text with its
// reason or the server's last reply.
Ending EndingOf(const SendOutcome& outcome, const AnsiString& account);

}  // namespace orvane
