#pragma once
// Timing side by side: Veltrin's path and its reference, each run a few times on fresh data
// in the same process, the median kept.

#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Row {
  std::string scenario;
  double veltrin;  // seconds, or bytes for a memory row
  double reference;
  std::string target;   // "<= 2.5x", "< 1x"
  double limit;         // the ratio the target allows
  bool strict = false;  // the ratio must be below the limit, not at most
  bool bytes = false;
};

// Processor seconds of the median of `runs` runs of `measured`; `prepare` runs before each,
// untimed.
double Median(int runs, const std::function<void()>& prepare,
              const std::function<void()>& measured);

void Print(const std::vector<Row>& rows);

}  // namespace bench
