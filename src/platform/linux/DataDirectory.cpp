#include "platform/linux/DataDirectory.h"

#include <cstdlib>

namespace standin {

std::filesystem::path DataDirectory() {
  std::filesystem::path base;
  // The XDG base directory rules ignore relative values.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    base = "/tmp";
  }
  return base / "veltrin-standin";
}

}  // namespace standin
