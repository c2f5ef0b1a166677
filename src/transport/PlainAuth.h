#pragma once

namespace orvane {

// How an account treats its credentials on a connection without TLS.
enum TPlainAuthPolicy {
  paLegacy,  // an account file from before encryption could be chosen:
             // they are sent as they always were, and the log says so
  paRefuse,  // never sent, unless the server is on this machine
  paAllow,   // the user allowed it for this account
};

enum class TPlainAuthVerdict { kSend, kSendAndWarn, kRefuse };

// Whether credentials may go to the server now: over TLS always; in plain
// text as the policy says, where a loopback server never sees them leave
// the machine.
TPlainAuthVerdict DecidePlainAuth(TPlainAuthPolicy policy, bool encrypted, bool loopback);

// The texts the log gets for the verdicts that are not kSend.
inline constexpr char16_t kPlainAuthRefused[] =
    u"暗号化されていない接続ではパスワードを送信しません";
// APOP and CRAM-MD5 send a digest, not the password: the warning speaks of
// the login, which every mechanism exposes without TLS. The log gets it
// before the first line made from the password goes out.
inline constexpr char16_t kPlainAuthWarning[] = u"注意: 暗号化されていない接続で認証します";

}  // namespace orvane
