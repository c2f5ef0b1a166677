#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "addressbook/ContactRecord.h"

namespace orvane::bench {

// Contacts like the ones people keep: Japanese names with readings, icons,
// addresses, a birthday, telephones and a memo line.
std::vector<ContactRecord> SampleContacts(size_t count);

// Prints a row: the median wall-clock time of the runs and the CPU time of
// one run, against the limit ("OVER" when the wall-clock time exceeds it).
void MeasureAgainstLimit(const char* task, int runs, double limitMs,
                         const std::function<void()>& run);

}  // namespace orvane::bench
