#include "PythonPeer.h"

#include "Support.h"

namespace orvane::bench {
namespace {

PythonRun Parse(const std::string& output) {
  return {ValueOf(output, "seconds"), static_cast<long long>(ValueOf(output, "peak_bytes"))};
}

}  // namespace

PythonRun PythonCompose(const BenchMessage& message, const std::filesystem::path& out, int runs) {
  return Parse(RunProgram({"python3", ORVANE_MIME_PEER_SCRIPT, "compose", message.attachment, out,
                           std::to_string(runs), message.fromName, message.fromAddress,
                           message.toName, message.toAddress, message.subject, message.body}));
}

PythonRun PythonDecode(const std::filesystem::path& message, const std::filesystem::path& folder,
                       int runs) {
  return Parse(RunProgram(
      {"python3", ORVANE_MIME_PEER_SCRIPT, "decode", message, folder, std::to_string(runs)}));
}

}  // namespace orvane::bench
