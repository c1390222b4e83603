#include "platform/linux/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace standin {

std::optional<ProcessIdentity> RunningProcess(pid_t pid) {
  if (pid <= 0) return std::nullopt;
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(file, stat)) return std::nullopt;
  // The command name in parentheses may hold blanks and parentheses of its own.
  const std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string state;
  fields >> state;
  // A zombie (Z) or a dead process (X, x) has ended.
  if (state.empty() || state == "Z" || state == "X" || state == "x") return std::nullopt;
  // The start time is the 22nd field; the state, just read, is the 3rd.
  std::string skipped;
  for (int field = 4; field < 22; ++field) fields >> skipped;
  std::uint64_t startTime = 0;
  if (!(fields >> startTime)) return std::nullopt;
  return ProcessIdentity{pid, startTime};
}

ProcessIdentity CurrentProcess() {
  return RunningProcess(::getpid()).value_or(ProcessIdentity{::getpid(), 0});
}

bool IsRunning(const ProcessIdentity& process) {
  return RunningProcess(process.pid) == process;
}

}  // namespace standin
