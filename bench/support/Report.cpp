#include "Report.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace orvane::bench {
namespace {

std::string Format(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

void PrintLine(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  std::printf("%s\n", line.c_str());
}

std::string Milliseconds(double seconds) {
  return seconds < 0 ? "pending" : Format("%.1f ms", seconds * 1e3);
}

std::string MiB(long long bytes) {
  return Format("%.1f MiB", static_cast<double>(bytes) / (1 << 20));
}

}  // namespace

void Report::AddTime(std::string task, double ours, std::string peer, double peerSeconds,
                     double goal) {
  times_.push_back({std::move(task), ours, std::move(peer), peerSeconds, goal});
}

void Report::AddTimeWithin(std::string task, double ours, std::string peer, double peerSeconds,
                           double factor) {
  times_.push_back({std::move(task), ours, std::move(peer), peerSeconds, factor, true});
}

void Report::AddMemory(std::string what, long long bytes, long long reference, long long limit) {
  memory_.push_back({std::move(what), bytes, reference, limit});
}

void Report::AddNote(std::string note) {
  notes_.push_back(std::move(note));
}

void Report::Print() const {
  constexpr const char* kRow = "%-42s %10s  %-30s %10s  %9s  %s";
  PrintLine(Format(kRow, "task", "ours", "peer", "peer time", "peer/ours", "goal"));
  std::string last;
  for (const TimeRow& row : times_) {
    const bool again = row.task == last;
    last = row.task;
    const bool measured = row.ours > 0;
    const double ratio = row.peer_seconds / row.ours;
    std::string goal;
    if (row.within) {
      const bool met = row.ours <= row.goal * row.peer_seconds;
      goal = Format("ours <= %gx its time %s", row.goal, !measured ? "" : met ? "met" : "MISSED");
    } else if (row.goal > 0) {
      goal = Format(">= %gx %s", row.goal, !measured ? "" : ratio >= row.goal ? "met" : "MISSED");
    }
    PrintLine(Format(kRow, again ? "" : row.task.c_str(),
                     again ? "" : Milliseconds(row.ours).c_str(), row.peer.c_str(),
                     Milliseconds(row.peer_seconds).c_str(),
                     measured ? Format("%.2fx", ratio).c_str() : "", goal.c_str()));
  }
  if (!memory_.empty()) {
    PrintLine("");
    PrintLine(Format("%-42s %10s  %s", "peak resident set", "", "of the attachment"));
  }
  for (const MemoryRow& row : memory_) {
    const double times = static_cast<double>(row.bytes) / static_cast<double>(row.reference);
    std::string goal;
    if (row.limit > 0) {
      goal =
          Format("<= %.0fx %s", static_cast<double>(row.limit) / static_cast<double>(row.reference),
                 row.bytes <= row.limit ? "met" : "MISSED");
    }
    PrintLine(Format("%-42s %10s  %8.2fx  %s", row.what.c_str(),
                     row.bytes < 0 ? "pending" : MiB(row.bytes).c_str(), times, goal.c_str()));
  }
  if (!notes_.empty()) PrintLine("");
  for (const std::string& note : notes_) PrintLine(note);
}

}  // namespace orvane::bench
