#include "platform/linux/MountTable.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace standin {
namespace {

// The kernel writes blanks, tabs, newlines and backslashes in paths as \ooo octal escapes.
std::string Unescape(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        text += static_cast<char>(((digits[0] - '0') << 6) | ((digits[1] - '0') << 3) |
                                  (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    text += field[i];
  }
  return text;
}

bool HasOption(const std::string& options, std::string_view wanted) {
  std::istringstream list(options);
  std::string option;
  while (std::getline(list, option, ',')) {
    if (option == wanted) return true;
  }
  return false;
}

}  // namespace

std::vector<Mount> ParseMountInfo(std::istream& table) {
  std::vector<Mount> mounts;
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::vector<std::string> field;
    for (std::string word; fields >> word;) field.push_back(word);
    // id, parent, device, root, mount point, options, optional fields..., "-", type, source,
    // file system options.
    const auto separator = std::find(field.begin() + std::min<std::size_t>(field.size(), 6),
                                     field.end(), std::string("-"));
    if (field.size() < 6 || separator == field.end() || field.end() - separator < 4) continue;
    const std::string& superOptions = *(separator + 3);
    mounts.push_back({Unescape(field[4]), Unescape(*(separator + 1)),
                      HasOption(field[5], "ro") || HasOption(superOptions, "ro")});
  }
  return mounts;
}

std::vector<Mount> MountedDrives() {
  const char* replacement = std::getenv("STANDIN_MOUNTINFO");
  if (replacement != nullptr && replacement[0] == '\0') return {};
  std::ifstream table(replacement != nullptr ? replacement : "/proc/self/mountinfo");
  return ParseMountInfo(table);
}

bool IsPseudoFileSystem(std::string_view type) {
  static constexpr std::string_view kPseudo[] = {"autofs",
                                                 "binfmt_misc",
                                                 "bpf",
                                                 "cgroup",
                                                 "cgroup2",
                                                 "configfs",
                                                 "debugfs",
                                                 "devpts",
                                                 "devtmpfs",
                                                 "efivarfs",
                                                 "fuse.gvfsd-fuse",
                                                 "fuse.portal",
                                                 "fusectl",
                                                 "hugetlbfs",
                                                 "mqueue",
                                                 "nfsd",
                                                 "nsfs",
                                                 "proc",
                                                 "pstore",
                                                 "rootfs",
                                                 "rpc_pipefs",
                                                 "securityfs",
                                                 "selinuxfs",
                                                 "sysfs",
                                                 "tracefs"};
  return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

}  // namespace standin
