#include "transport/TlsSession.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Fingerprint.h"

namespace orvane {
namespace {

using Deadline = TTlsSession::Deadline;

// The most recent OpenSSL error of this thread, as text; the queue is
// emptied so that it cannot be blamed on a later call.
std::string TakeOpenSslError() {
  unsigned long code = ERR_get_error();
  unsigned long last = code;
  while (code != 0) {
    last = code;
    code = ERR_get_error();
  }
  if (last == 0) return "unknown error";
  const char* reason = ERR_reason_error_string(last);
  return reason ? reason : "error " + std::to_string(last);
}

bool IsIpAddress(const AnsiString& host) {
  // The text before a NUL is not the whole host.
  if (host.find('\0') != AnsiString::npos) return false;
  unsigned char address[sizeof(in6_addr)];
  return ::inet_pton(AF_INET, host.c_str(), address) == 1 ||
         ::inet_pton(AF_INET6, host.c_str(), address) == 1;
}

// The slot of an SSL object that holds its list of verification errors.
int ErrorListIndex() {
  static const int index = SSL_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
  return index;
}

// Records every verification error of the chain and lets the handshake go
// on: the certificate is judged once it is complete (see Judge), before
// any byte of the dialogue is written.
int RecordVerifyError(int ok, X509_STORE_CTX* store) {
  if (!ok) {
    auto* ssl =
        static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto* errors = static_cast<std::vector<int>*>(SSL_get_ex_data(ssl, ErrorListIndex()));
    errors->push_back(X509_STORE_CTX_get_error(store));
  }
  return 1;
}

}  // namespace

// A certificate nobody vouches for is named first: it explains the others.
WideString CertificateRefusal(const std::vector<int>& errors, const AnsiString& host) {
  auto any = [&](std::initializer_list<int> codes) {
    return std::any_of(errors.begin(), errors.end(), [&](int e) {
      return std::find(codes.begin(), codes.end(), e) != codes.end();
    });
  };
  if (any({X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT}))
    return u"サーバの証明書は自己署名のため信頼できません。信頼できるサーバであれば、"
           u"ログのフィンガープリントをアカウントの設定の「証明書のフィンガープリント」に登録してく"
           u"ださい";
  if (any({X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY, X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT,
           X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE, X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN,
           X509_V_ERR_CERT_UNTRUSTED, X509_V_ERR_CERT_REJECTED}))
    return u"サーバの証明書の発行者を信頼できません。サーバの管理者に証明書を確かめてください";
  if (any({X509_V_ERR_CERT_HAS_EXPIRED}))
    return u"サーバの証明書は期限切れです。サーバの管理者に証明書の更新を依頼してください";
  if (any({X509_V_ERR_CERT_NOT_YET_VALID}))
    return u"サーバの証明書はまだ有効になっていません。コンピュータの日付と時刻を確かめてください";
  if (any({X509_V_ERR_HOSTNAME_MISMATCH, X509_V_ERR_IP_ADDRESS_MISMATCH}))
    return FormatMessage(
        u"サーバの証明書のホスト名が一致しません。設定のサーバ名 %s が"
        u"正しいか確かめてください",
        SjisToWide(host));
  const char* text =
      X509_verify_cert_error_string(errors.empty() ? X509_V_ERR_UNSPECIFIED : errors.front());
  return FormatMessage(u"サーバの証明書を確認できません (%s)", Utf8ToWide(text));
}

TlsError::TlsError(WideString reason, AnsiString fingerprint)
    : std::runtime_error(WideToUtf8(reason)),
      reason_(std::move(reason)),
      fingerprint_(std::move(fingerprint)) {}

struct TTlsSession::State {
  TcpSocket& socket;
  SSL_CTX* context = nullptr;
  SSL* ssl = nullptr;
  std::vector<int> verifyErrors;
  AnsiString fingerprint;

  explicit State(TcpSocket& s) : socket(s) {}
  ~State() {
    if (ssl) SSL_free(ssl);
    if (context) SSL_CTX_free(context);
  }

  void Configure(const AnsiString& host);
  void Handshake(Deadline deadline);
  void Judge(const AnsiString& host, const AnsiString& pin);
  // What OpenSSL needs after a call that returned `result`.
  int Want(int result) const { return SSL_get_error(ssl, result); }
};

void TTlsSession::State::Configure(const AnsiString& host) {
  context = SSL_CTX_new(TLS_client_method());
  if (!context || !SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION))
    throw TlsError(u"TLS を準備できません (" + Utf8ToWide(TakeOpenSslError()) + u")");
  // An unreadable trust store leaves it empty: every chain is then refused
  // with the issuer's reason, which is what the user has to look into.
  SSL_CTX_set_default_verify_paths(context);
  ERR_clear_error();
  SSL_CTX_set_verify(context, SSL_VERIFY_PEER, RecordVerifyError);
  // SMTP and POP3 frame their own data, so a missing close_notify cannot
  // truncate anything unnoticed (RFC 8314 section 4.3 leaves it to them).
  SSL_CTX_set_options(
      context, SSL_OP_IGNORE_UNEXPECTED_EOF | SSL_OP_NO_COMPRESSION | SSL_OP_NO_RENEGOTIATION);
  SSL_CTX_set_mode(context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  ssl = SSL_new(context);
  if (!ssl || !SSL_set_fd(ssl, socket.Handle()))
    throw TlsError(u"TLS を準備できません (" + Utf8ToWide(TakeOpenSslError()) + u")");
  SSL_set_ex_data(ssl, ErrorListIndex(), &verifyErrors);
  X509_VERIFY_PARAM* param = SSL_get0_param(ssl);
  // A name OpenSSL does not take (a NUL inside) would leave the certificate
  // checked without any name at all: such a server is not talked to.
  bool named;
  if (IsIpAddress(host)) {
    named = X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str()) == 1;
  } else {
    // RFC 6066 section 3: the server name goes out for host names only.
    SSL_set_tlsext_host_name(ssl, host.c_str());
    X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    named = X509_VERIFY_PARAM_set1_host(param, host.data(), host.size()) == 1;
  }
  if (!named)
    throw TlsError(
        u"サーバ名を証明書と照らし合わせることができません。"
        u"アカウントの設定のサーバ名を確かめてください");
}

void TTlsSession::State::Handshake(Deadline deadline) {
  for (;;) {
    ERR_clear_error();
    int result = SSL_connect(ssl);
    if (result == 1) return;
    int want = Want(result);
    if (want != SSL_ERROR_WANT_READ && want != SSL_ERROR_WANT_WRITE) {
      WideString detail = want == SSL_ERROR_SYSCALL && ERR_peek_error() == 0
                              ? WideString(u"サーバが接続を閉じました")
                              : Utf8ToWide(TakeOpenSslError());
      throw TlsError(FormatMessage(
          u"TLS で接続できませんでした (%s)。ポート番号と暗号化の設定を確かめてください", detail));
    }
    switch (socket.Wait(want == SSL_ERROR_WANT_WRITE, deadline)) {
      case TcpSocket::WaitResult::kReady:
        break;
      case TcpSocket::WaitResult::kInterrupted:
        throw TlsError(u"TLS の接続を中止しました");
      case TcpSocket::WaitResult::kTimedOut:
        throw TlsError(u"サーバが時間内に TLS の接続に応じませんでした");
    }
  }
}

void TTlsSession::State::Judge(const AnsiString& host, const AnsiString& pin) {
  X509* certificate = SSL_get0_peer_certificate(ssl);
  if (!certificate) throw TlsError(u"サーバが証明書を示しませんでした");
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (!X509_digest(certificate, EVP_sha256(), digest, &size))
    throw TlsError(u"サーバの証明書を読めません");
  fingerprint = FingerprintText(digest, size);
  if (!pin.empty()) {
    std::optional<AnsiString> wanted = NormalizeFingerprint(pin);
    if (!wanted)
      throw TlsError(
          u"アカウントファイルの TlsFingerprint は SHA-256 のフィンガープリント"
          u" (16 進数 64 桁) ではありません",
          fingerprint);
    if (*wanted != fingerprint)
      throw TlsError(
          u"サーバの証明書が登録されたフィンガープリントと一致しません。"
          u"証明書が替わったのか、別のサーバにつながったおそれがあります",
          fingerprint);
    return;
  }
  if (verifyErrors.empty() && SSL_get_verify_result(ssl) != X509_V_OK)
    verifyErrors.push_back(static_cast<int>(SSL_get_verify_result(ssl)));
  if (!verifyErrors.empty()) throw TlsError(CertificateRefusal(verifyErrors, host), fingerprint);
}

TTlsSession::TTlsSession(TcpSocket& socket, const AnsiString& host, const AnsiString& pin,
                         Deadline deadline)
    : state_(std::make_unique<State>(socket)) {
  int flags = ::fcntl(socket.Handle(), F_GETFL);
  if (flags < 0 || ::fcntl(socket.Handle(), F_SETFL, flags | O_NONBLOCK) < 0)
    throw TlsError(u"TLS を準備できません");
  state_->Configure(host);
  state_->Handshake(deadline);
  state_->Judge(host, pin);
}

TTlsSession::~TTlsSession() = default;

std::optional<std::size_t> TTlsSession::Read(char* buffer, std::size_t size, Deadline deadline) {
  for (;;) {
    ERR_clear_error();
    std::size_t count = 0;
    int result = SSL_read_ex(state_->ssl, buffer, size, &count);
    if (result == 1) return count;
    int want = state_->Want(result);
    if (want == SSL_ERROR_ZERO_RETURN) return 0;
    if (want == SSL_ERROR_WANT_READ) {
      if (!state_->socket.WaitReadable(deadline)) return std::nullopt;
      continue;
    }
    if (want == SSL_ERROR_WANT_WRITE) {
      if (state_->socket.Wait(true, deadline) != TcpSocket::WaitResult::kReady) return std::nullopt;
      continue;
    }
    state_->socket.Abandon();
    std::string detail = TakeOpenSslError();
    throw SocketError("TLS read: " + detail,
                      u"TLS の通信が壊れました (" + Utf8ToWide(detail) + u")");
  }
}

void TTlsSession::WriteAll(std::string_view bytes, std::chrono::milliseconds timeout) {
  while (!bytes.empty()) {
    ERR_clear_error();
    std::size_t written = 0;
    int result = SSL_write_ex(state_->ssl, bytes.data(), bytes.size(), &written);
    if (result == 1) {
      bytes.remove_prefix(written);
      continue;
    }
    int want = state_->Want(result);
    if (want != SSL_ERROR_WANT_READ && want != SSL_ERROR_WANT_WRITE) {
      state_->socket.Abandon();
      std::string detail = TakeOpenSslError();
      throw SocketError("TLS write: " + detail,
                        u"TLS の通信が壊れました (" + Utf8ToWide(detail) + u")");
    }
    auto wait = state_->socket.Wait(want == SSL_ERROR_WANT_WRITE,
                                    std::chrono::steady_clock::now() + timeout);
    if (wait != TcpSocket::WaitResult::kReady) state_->socket.AbandonWrite(wait, timeout);
  }
}

void TTlsSession::Shutdown() {
  ERR_clear_error();
  SSL_shutdown(state_->ssl);
  ERR_clear_error();
}

AnsiString TTlsSession::Description() const {
  return AnsiString(SSL_get_version(state_->ssl)) + ' ' + SSL_get_cipher_name(state_->ssl);
}

const AnsiString& TTlsSession::Fingerprint() const {
  return state_->fingerprint;
}

}  // namespace orvane
