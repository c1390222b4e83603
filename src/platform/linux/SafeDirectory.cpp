#include "platform/linux/SafeDirectory.h"

#include <dirent.h>
#include <fcntl.h>

#include <cerrno>
#include <memory>
#include <string_view>

namespace standin {

std::optional<unsigned long long> MountId(int fd) {
  struct statx info {};
  if (statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &info) != 0 ||
      (info.stx_mask & STATX_MNT_ID) == 0) {
    return std::nullopt;
  }
  return info.stx_mnt_id;
}

bool IsSameDirectory(int fd, const struct stat& expected, std::optional<unsigned long long> mount) {
  struct stat opened {};
  return fstat(fd, &opened) == 0 && S_ISDIR(opened.st_mode) && opened.st_dev == expected.st_dev &&
         opened.st_ino == expected.st_ino && MountId(fd) == mount;
}

UniqueFd OpenSubdirectory(int parent, const std::string& name, std::optional<uid_t> owner,
                          struct stat* found) {
  struct stat parentInfo {};
  struct stat info {};
  if (fstat(parent, &parentInfo) != 0) return UniqueFd();
  if (fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return UniqueFd();
  if (found != nullptr) *found = info;
  errno = ENOTDIR;
  if (!S_ISDIR(info.st_mode) || info.st_dev != parentInfo.st_dev) return UniqueFd();
  if (owner && info.st_uid != *owner) return UniqueFd();
  UniqueFd fd(openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  // The entry may have been swapped between the look and the open: only the same one counts.
  if (fd.Valid() && !IsSameDirectory(fd.Get(), info, MountId(parent))) {
    fd.Reset();
    errno = ENOTDIR;
  }
  return fd;
}

std::optional<std::vector<std::string>> EntryNames(int fd) {
  struct Closer {
    void operator()(DIR* stream) const { closedir(stream); }
  };
  // A duplicate, not a reopening of ".", which fails once the directory has been removed.
  UniqueFd copy(fcntl(fd, F_DUPFD_CLOEXEC, 0));
  if (!copy.Valid()) return std::nullopt;
  std::unique_ptr<DIR, Closer> stream(fdopendir(copy.Get()));
  if (stream == nullptr) return std::nullopt;
  copy.Release();
  rewinddir(stream.get());
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = readdir(stream.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
    errno = 0;
  }
  if (errno != 0) return std::nullopt;
  return names;
}

void LetOwnerChange(int fd) {
  struct stat info {};
  if (fstat(fd, &info) == 0 && (info.st_mode & S_IRWXU) != S_IRWXU) {
    fchmod(fd, (info.st_mode & 07777) | S_IRWXU);
  }
}

}  // namespace standin
