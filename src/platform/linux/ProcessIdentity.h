#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>

namespace standin {

// One process for as long as it lives: its number with its start time, so that a process
// that gets the number of one that has ended is not taken for it.
struct ProcessIdentity {
  pid_t pid = 0;
  std::uint64_t startTime = 0;  // clock ticks after boot

  bool operator==(const ProcessIdentity&) const = default;
};

ProcessIdentity CurrentProcess();

// The identity of the process with that number while it runs; nothing for one that has
// ended, even when its parent has not collected it yet.
std::optional<ProcessIdentity> RunningProcess(pid_t pid);

// Whether that very process still runs.
bool IsRunning(const ProcessIdentity& process);

}  // namespace standin
