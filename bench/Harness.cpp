#include "Harness.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bench {

namespace {
// The process's processor time: what other processes on the machine do hardly shows in it.
double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}
}  // namespace

double Median(int runs, const std::function<void()>& prepare,
              const std::function<void()>& measured) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const double start = ProcessorSeconds();
    measured();
    times.push_back(ProcessorSeconds() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

namespace {
std::string Figure(double value, bool bytes) {
  char text[32];
  if (bytes) {
    std::snprintf(text, sizeof text, "%.1f MB", value / 1e6);
  } else if (value < 1) {
    std::snprintf(text, sizeof text, "%.1f ms", value * 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.2f s", value);
  }
  return text;
}
}  // namespace

void Print(const std::vector<Row>& rows) {
  std::printf("| Scenario | Veltrin | Reference | Ratio | Target | Met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    const double ratio = row.reference > 0 ? row.veltrin / row.reference : 0;
    const bool met = row.strict ? ratio < row.limit : ratio <= row.limit;
    std::printf("| %s | %s | %s | %.2f | %s | %s |\n", row.scenario.c_str(),
                Figure(row.veltrin, row.bytes).c_str(), Figure(row.reference, row.bytes).c_str(),
                ratio, row.target.c_str(), met ? "yes" : "no");
  }
  std::fflush(stdout);
}

}  // namespace bench
