#pragma once
// The file systems mounted on this machine, as the kernel lists them for this process.

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Mount {
  std::filesystem::path point;
  std::string type;
  bool readOnly = false;

  bool operator==(const Mount&) const = default;
};

// The mounts of a table in the format of /proc/self/mountinfo; malformed lines are skipped.
std::vector<Mount> ParseMountInfo(std::istream& table);

// The mounts of /proc/self/mountinfo, or of the file that STANDIN_MOUNTINFO names instead (no
// mounts at all when it is set but empty or unreadable), so that tests and demonstrations
// never reach the drives of the machine.
std::vector<Mount> MountedDrives();

// Kernel and virtual file systems, which hold no user's files.
bool IsPseudoFileSystem(std::string_view type);

}  // namespace standin
