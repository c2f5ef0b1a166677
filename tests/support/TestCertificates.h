#pragma once

#include <filesystem>
#include <string>

namespace orvane::test {

// The certificates of the TLS tests, made by tests/support/make-test-
// certificates in the build folder the first time a test asks for them:
// "ca" and the server certificates "server", "expired", "otherhost" and
// "selfsigned" (see the script).
struct TestCertificates {
  static std::filesystem::path Folder();
  static std::filesystem::path Pem(const std::string& name) { return Folder() / (name + ".pem"); }
  static std::filesystem::path Key(const std::string& name) { return Folder() / (name + ".key"); }
  // The SHA-256 fingerprint as the openssl command prints it: upper-case
  // hex pairs joined by colons.
  static std::string Fingerprint(const std::string& name);
};

// Makes the client trust the test CA, and nothing else, through
// SSL_CERT_FILE and SSL_CERT_DIR while it lives.
class TrustTestCa {
 public:
  TrustTestCa();
  ~TrustTestCa();
  TrustTestCa(const TrustTestCa&) = delete;
  TrustTestCa& operator=(const TrustTestCa&) = delete;
};

}  // namespace orvane::test
