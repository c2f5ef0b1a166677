#include "support/TestCertificates.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace orvane::test {

std::filesystem::path TestCertificates::Folder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = ORVANE_TEST_CERTS_DIR;
    std::string command =
        "'" ORVANE_SOURCE_DIR "/tests/support/make-test-certificates' '" + path.native() + "'";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(path / "ca.pem"))
      throw std::runtime_error("could not make the test certificates in " + path.native());
    return path;
  }();
  return folder;
}

std::string TestCertificates::Fingerprint(const std::string& name) {
  std::ifstream in(Folder() / (name + ".sha256"));
  std::string line;
  std::getline(in, line);
  return line;
}

TrustTestCa::TrustTestCa() {
  ::setenv("SSL_CERT_FILE", TestCertificates::Pem("ca").c_str(), 1);
  // A folder without certificates, so that the system's store adds none.
  ::setenv("SSL_CERT_DIR", TestCertificates::Folder().c_str(), 1);
}

TrustTestCa::~TrustTestCa() {
  ::unsetenv("SSL_CERT_FILE");
  ::unsetenv("SSL_CERT_DIR");
}

}  // namespace orvane::test
