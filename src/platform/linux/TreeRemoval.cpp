#include "platform/linux/TreeRemoval.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/SafeDirectory.h"

namespace standin {
namespace {

// Open directories kept along the current path; those further up are reopened through "..".
constexpr std::size_t kOpenLevels = 16;

// One directory on the path from the top of the walk to where it is now.
struct Level {
  UniqueFd fd;  // closed while the walk is far below
  struct stat info;
  std::string name;                 // in the level above
  std::vector<std::string> unseen;  // entries still to remove
};

// A failure to remove that the walk reports; an entry already gone is no failure.
bool Failed(int result) {
  return result != 0 && errno != ENOENT;
}

class Walk {
 public:
  explicit Walk(int top) : mount_(MountId(top)) {
    Level level{UniqueFd(fcntl(top, F_DUPFD_CLOEXEC, 0)), {}, {}, {}};
    auto names = EntryNames(top);
    if (!level.fd.Valid() || fstat(top, &level.info) != 0 || !names) {
      complete_ = false;
      return;
    }
    level.unseen = std::move(*names);
    levels_.push_back(std::move(level));
  }

  bool Run() {
    while (!levels_.empty()) {
      Level& level = levels_.back();
      if (!level.unseen.empty()) {
        const std::string name = std::move(level.unseen.back());
        level.unseen.pop_back();
        Remove(level, name);
      } else if (levels_.size() > 1) {
        if (!Leave()) return false;
      } else {
        break;
      }
    }
    return complete_;
  }

 private:
  void Remove(Level& level, const std::string& name) {
    struct stat info {};
    if (fstatat(level.fd.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) complete_ = false;
      return;
    }
    if (!S_ISDIR(info.st_mode)) {
      if (Failed(unlinkat(level.fd.Get(), name.c_str(), 0))) complete_ = false;
      return;
    }
    // Another file system mounted here is not ours to empty.
    if (info.st_dev != level.info.st_dev) {
      complete_ = false;
      return;
    }
    if (info.st_uid == geteuid() && (info.st_mode & S_IRWXU) != S_IRWXU) {
      fchmodat(level.fd.Get(), name.c_str(), (info.st_mode & 07777) | S_IRWXU, AT_SYMLINK_NOFOLLOW);
    }
    UniqueFd child = OpenSubdirectory(level.fd.Get(), name, std::nullopt, &info);
    auto names = child.Valid() ? EntryNames(child.Get()) : std::nullopt;
    if (!names) {
      if (errno != ENOENT) complete_ = false;
      return;
    }
    levels_.push_back(Level{std::move(child), info, name, std::move(*names)});
    CloseFarLevels();
  }

  // Removes the directory just emptied, from the level above it.
  bool Leave() {
    Level done = std::move(levels_.back());
    levels_.pop_back();
    Level& parent = levels_.back();
    if (!parent.fd.Valid()) {
      parent.fd = UniqueFd(openat(done.fd.Get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      // Moved elsewhere while the walk was below: stop rather than act on another directory.
      if (!parent.fd.Valid() || !IsSameDirectory(parent.fd.Get(), parent.info, mount_)) {
        return false;
      }
    }
    done.fd.Reset();
    if (Failed(unlinkat(parent.fd.Get(), done.name.c_str(), AT_REMOVEDIR))) complete_ = false;
    return true;
  }

  void CloseFarLevels() {
    if (levels_.size() <= kOpenLevels + 1) return;
    // The top stays open; the one just below the kept window closes.
    levels_[levels_.size() - kOpenLevels - 1].fd.Reset();
  }

  std::optional<unsigned long long> mount_;
  std::vector<Level> levels_;
  bool complete_ = true;
};

}  // namespace

bool RemoveContents(int directory) {
  return Walk(directory).Run();
}

}  // namespace standin
