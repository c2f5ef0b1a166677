// What the SMTP extensions save, against the plain dialogue of the same
// client, over loopback to a server of our own:
//   (a) 50 recipients to a server that answers what it reads 50 ms later
//       (a round trip of 50 ms): the time from the greeting to the 354
//       reply and the round trips it takes, with PIPELINING and without;
//   (b) a 30 MB message to a server with a 25 MB SIZE limit: the time until
//       the client gives up, against the time the upload of the same
//       message takes to a server without a limit.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "Report.h"
#include "Support.h"
#include "platform/MainThread.h"
#include "transport/TCPThread.h"
#include "transport/ZelSmtp.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One connection's worth of an SMTP server on 127.0.0.1 that answers the
// commands of each read together, `latency` after the read.
class LatencyServer {
 public:
  LatencyServer(std::string ehlo, std::chrono::milliseconds latency)
      : ehlo_(std::move(ehlo)), latency_(latency) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bench::Require(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0,
                   "bind");
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    ::listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LatencyServer() {
    thread_.join();
    ::close(listener_);
  }
  int Port() const { return port_; }
  // From the greeting to the 354 reply (0 when there was none), and the
  // reads it took.
  double ToData() const { return toData_; }
  int ReadsToData() const { return readsToData_; }

 private:
  void Serve() {
    const int fd = ::accept(listener_, nullptr, nullptr);
    const auto start = Clock::now();
    Write(fd, "220 bench ESMTP\r\n");
    std::string pending;
    bool data = false;
    int reads = 0;
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      ++reads;
      pending.append(buffer, static_cast<std::size_t>(n));
      std::string replies;
      bool quit = false;
      if (!data) std::this_thread::sleep_for(latency_);
      for (;;) {
        if (data) {
          const std::size_t end = pending.find("\r\n.\r\n");
          if (end == std::string::npos) {
            // Only the tail may hold the start of the terminator.
            if (pending.size() > 4) pending.erase(0, pending.size() - 4);
            break;
          }
          pending.erase(0, end + 5);
          data = false;
          replies += "250 queued\r\n";
          continue;
        }
        const std::size_t end = pending.find("\r\n");
        if (end == std::string::npos) break;
        const std::string command = pending.substr(0, 4);
        pending.erase(0, end + 2);
        if (command == "EHLO") {
          replies += ehlo_;
        } else if (command == "DATA") {
          replies += "354 go ahead\r\n";
          toData_ = Seconds(Clock::now() - start);
          readsToData_ = reads;
          data = true;
        } else if (command == "QUIT") {
          replies += "221 bye\r\n";
          quit = true;
          break;
        } else {
          replies += "250 ok\r\n";
        }
      }
      Write(fd, replies);
      if (quit) break;
    }
    ::close(fd);
  }
  static void Write(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }

  std::string ehlo_;
  std::chrono::milliseconds latency_;
  int listener_ = -1;
  int port_ = 0;
  double toData_ = 0;
  int readsToData_ = 0;
  std::thread thread_;
};

// One delivery; the seconds it took and whether it succeeded.
double Deliver(int port, const std::string& message, const std::vector<AnsiString>& recipients,
               bool* success) {
  InlineMainThread main;
  TZelSmtp smtp(main);
  smtp.SetHost("127.0.0.1");
  smtp.SetPort(port);
  smtp.SetPause(0);
  smtp.SetMailFrom("me@example.com");
  smtp.SetRecipients(&recipients);
  smtp.SetMessage(message);
  std::atomic<bool> done{false};
  smtp.OnSmtpClosed = [&](TSmtpItem&, bool ok) {
    *success = ok;
    done = true;
  };
  const auto start = Clock::now();
  smtp.Send();
  while (!done || TTCPThread::LiveWorkers() > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return Seconds(Clock::now() - start);
}

int Run() {
  bench::Report report;
  std::vector<AnsiString> fifty;
  for (int i = 0; i < 50; ++i) fifty.push_back("r" + std::to_string(i) + "@example.jp");
  const std::string small = "Subject: fifty\r\n\r\nbody\r\n";
  double toData[2] = {};
  int trips[2] = {};
  for (int pipelined = 0; pipelined < 2; ++pipelined) {
    LatencyServer server(
        pipelined ? "250-bench\r\n250 PIPELINING\r\n" : "250-bench\r\n250 HELP\r\n",
        std::chrono::milliseconds(50));
    bool ok = false;
    Deliver(server.Port(), small, fifty, &ok);
    bench::Require(ok, "the delivery to 50 recipients failed");
    toData[pipelined] = server.ToData();
    trips[pipelined] = server.ReadsToData();
  }
  report.AddTime("50 recipients, 50 ms round trip: greeting to 354", toData[1],
                 "the same without PIPELINING", toData[0], 10);
  report.AddNote("round trips from the greeting to 354: " + std::to_string(trips[1]) +
                 " with PIPELINING (goal: at most 4), " + std::to_string(trips[0]) + " without");

  std::string message = "Subject: big\r\n\r\n";
  const std::string line = std::string(76, 'x') + "\r\n";
  while (message.size() < 30u * 1024 * 1024) message += line;
  const std::vector<AnsiString> one{"you@example.jp"};
  bool refusedOk = true, uploadedOk = false;
  double refusal = 0, upload = 0;
  {
    LatencyServer limited("250-bench\r\n250 SIZE 26214400\r\n", std::chrono::milliseconds(0));
    refusal = Deliver(limited.Port(), message, one, &refusedOk);
  }
  {
    LatencyServer unlimited("250-bench\r\n250 SIZE\r\n", std::chrono::milliseconds(0));
    upload = Deliver(unlimited.Port(), message, one, &uploadedOk);
  }
  bench::Require(!refusedOk && uploadedOk, "the size limit was not kept");
  report.AddTime("30 MB to a 25 MB SIZE limit: until refused", refusal, "the same message uploaded",
                 upload, 100);
  report.Print();
  return 0;
}

}  // namespace
}  // namespace orvane

int main() {
  return orvane::Run();
}
