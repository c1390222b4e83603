#include "platform/linux/RecentDocuments.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/linux/DataDirectory.h"
#include "platform/linux/UniqueFd.h"

namespace standin {
namespace {

constexpr std::string_view kEmptyList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "</xbel>\n";

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file beside the list, removed again unless it took the list's place.
class Replacement {
 public:
  explicit Replacement(const std::filesystem::path& file)
      : path_(file.string() + ".XXXXXX"), fd_(mkostemp(path_.data(), O_CLOEXEC)) {}
  ~Replacement() {
    if (fd_.Valid() && !renamed_) unlink(path_.c_str());
  }
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  // Writes the empty list with the mode and, where allowed, the owner of `original`.
  bool Write(const struct stat& original) {
    if (!fd_.Valid()) return false;
    // Best effort: only the administrator may give the file to another user.
    static_cast<void>(fchown(fd_.Get(), original.st_uid, original.st_gid) == 0);
    return fchmod(fd_.Get(), original.st_mode & 07777) == 0 && WriteAll(fd_.Get(), kEmptyList) &&
           fsync(fd_.Get()) == 0;
  }

  bool RenameOver(const std::filesystem::path& file) {
    renamed_ = rename(path_.c_str(), file.c_str()) == 0;
    return renamed_;
  }

 private:
  std::string path_;
  UniqueFd fd_;
  bool renamed_ = false;
};

}  // namespace

std::filesystem::path RecentDocumentsFile() {
  const std::filesystem::path home = UserDataHome();
  return home.empty() ? home : home / "recently-used.xbel";
}

bool ClearRecentDocuments(const std::filesystem::path& file) {
  if (file.empty()) return true;
  struct stat original {};
  if (lstat(file.c_str(), &original) != 0) return errno == ENOENT;
  if (!S_ISREG(original.st_mode)) return false;
  Replacement replacement(file);
  if (!replacement.Write(original) || !replacement.RenameOver(file)) return false;
  // The rename is durable once the folder holding it is.
  const UniqueFd folder(open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) fsync(folder.Get());
  return true;
}

}  // namespace standin
