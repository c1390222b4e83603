#include "platform/linux/DataDirectory.h"

#include <cstdlib>

namespace standin {

std::filesystem::path UserDataHome() {
  // The XDG base directory rules ignore relative values.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    return xdg;
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    return std::filesystem::path(home) / ".local" / "share";
  }
  return {};
}

std::filesystem::path DataDirectory() {
  const std::filesystem::path base = UserDataHome();
  return (base.empty() ? std::filesystem::path("/tmp") : base) / "veltrin-standin";
}

}  // namespace standin
