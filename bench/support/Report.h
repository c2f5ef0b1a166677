#pragma once

#include <string>
#include <vector>

namespace orvane::bench {

// The table the benchmark prints: one row per comparison of our time with a
// peer's on the same task and the same data.
class Report {
 public:
  // ratio = peer / ours, so above 1 means we are faster. goal is the ratio
  // aimed at (0 for a row that is only a reference point). A negative ours
  // stands for a measurement that our side cannot make yet.
  void AddTime(std::string task, double ours, std::string peer, double peerSeconds,
               double goal = 0);
  // A row whose goal is a ceiling on our time: at most `factor` times the
  // peer's (for a reference point such as memcpy).
  void AddTimeWithin(std::string task, double ours, std::string peer, double peerSeconds,
                     double factor);
  // A peak resident set against a limit, in bytes (limit 0: no goal).
  void AddMemory(std::string what, long long bytes, long long reference, long long limit);
  void AddNote(std::string note);

  void Print() const;

 private:
  struct TimeRow {
    std::string task;
    double ours;
    std::string peer;
    double peer_seconds;
    double goal;
    bool within = false;  // goal is the most ours may take, in peer times
  };
  struct MemoryRow {
    std::string what;
    long long bytes;
    long long reference;
    long long limit;
  };
  std::vector<TimeRow> times_;
  std::vector<MemoryRow> memory_;
  std::vector<std::string> notes_;
};

}  // namespace orvane::bench
