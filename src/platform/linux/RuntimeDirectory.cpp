#include "platform/linux/RuntimeDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace standin {

std::optional<std::filesystem::path> RuntimeDirectory() {
  std::filesystem::path folder;
  // The XDG base directory rules ignore relative values.
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && xdg[0] == '/') {
    folder = std::filesystem::path(xdg) / "veltrin-standin";
  } else {
    folder = "/tmp/veltrin-standin-" + std::to_string(::geteuid());
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  struct stat info {};
  // lstat: a symbolic link planted in a shared folder must not lead elsewhere.
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
    return std::nullopt;
  }
  if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) return std::nullopt;
  return folder;
}

}  // namespace standin
