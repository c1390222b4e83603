#include "platform/linux/TrashDirectories.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <string_view>
#include <utility>

#include "platform/linux/SafeDirectory.h"
#include "platform/linux/TreeRemoval.h"

namespace standin {
namespace {

constexpr std::string_view kInfoSuffix = ".trashinfo";

bool IsReadOnly(int fd) {
  struct statvfs info {};
  return fstatvfs(fd, &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

// The directories of one mount's top that may hold the user's trash.
std::vector<TrashDirectory> TrashesOnMount(const Mount& mount, uid_t user) {
  std::vector<TrashDirectory> found;
  if (mount.readOnly || IsPseudoFileSystem(mount.type)) return found;
  const UniqueFd top(open(mount.point.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!top.Valid() || IsReadOnly(top.Get())) return found;
  const std::string id = std::to_string(user);
  struct stat shared {};
  // The shared .Trash is usually the administrator's: only its kind and sticky bit matter.
  if (UniqueFd sharedTrash = OpenSubdirectory(top.Get(), ".Trash", std::nullopt, &shared);
      sharedTrash.Valid() && (shared.st_mode & S_ISVTX) != 0) {
    if (UniqueFd own = OpenSubdirectory(sharedTrash.Get(), id, user); own.Valid()) {
      found.push_back({mount.point / ".Trash" / id, std::move(own)});
    }
  }
  if (UniqueFd own = OpenSubdirectory(top.Get(), ".Trash-" + id, user); own.Valid()) {
    found.push_back({mount.point / (".Trash-" + id), std::move(own)});
  }
  return found;
}

// A part of a trash directory: missing, a real directory of the user, or something else.
struct Part {
  bool trusted;
  UniqueFd fd;
};

Part OpenPart(const TrashDirectory& trash, const char* name, uid_t user) {
  UniqueFd fd = OpenSubdirectory(trash.fd.Get(), name, user);
  if (fd.Valid()) return {true, std::move(fd)};
  return {errno == ENOENT, UniqueFd()};
}

// Removes the .trashinfo files whose item no longer stands in files/, so that what could not
// be removed still shows in the trash with its original place.
bool RemoveInfoOfRemovedItems(int info, const Part& files) {
  bool complete = true;
  const auto names = EntryNames(info);
  if (!names) return false;
  for (const std::string& name : *names) {
    if (name.size() <= kInfoSuffix.size() || !name.ends_with(kInfoSuffix)) continue;
    const std::string item = name.substr(0, name.size() - kInfoSuffix.size());
    struct stat ignored {};
    if (files.fd.Valid() &&
        (fstatat(files.fd.Get(), item.c_str(), &ignored, AT_SYMLINK_NOFOLLOW) == 0 ||
         errno != ENOENT)) {
      complete = false;
      continue;
    }
    if (unlinkat(info, name.c_str(), 0) != 0 && errno != ENOENT) complete = false;
  }
  return complete;
}

}  // namespace

std::vector<TrashDirectory> FindTrashDirectories(const std::filesystem::path& dataHome,
                                                 const std::vector<Mount>& mounts, uid_t user) {
  std::vector<TrashDirectory> candidates;
  if (!dataHome.empty()) {
    const UniqueFd home(open(dataHome.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (home.Valid()) {
      if (UniqueFd trash = OpenSubdirectory(home.Get(), "Trash", user); trash.Valid()) {
        candidates.push_back({dataHome / "Trash", std::move(trash)});
      }
    }
  }
  for (const Mount& mount : mounts) {
    for (TrashDirectory& trash : TrashesOnMount(mount, user)) {
      candidates.push_back(std::move(trash));
    }
  }
  std::vector<TrashDirectory> unique;
  std::set<std::pair<dev_t, ino_t>> seen;
  for (TrashDirectory& trash : candidates) {
    struct stat info {};
    if (fstat(trash.fd.Get(), &info) == 0 && seen.insert({info.st_dev, info.st_ino}).second) {
      unique.push_back(std::move(trash));
    }
  }
  return unique;
}

bool EmptyTrashDirectory(const TrashDirectory& trash, uid_t user) {
  const Part files = OpenPart(trash, "files", user);
  const Part info = OpenPart(trash, "info", user);
  if (!files.trusted || !info.trusted) return false;
  for (const int fd : {trash.fd.Get(), files.fd.Get(), info.fd.Get()}) {
    if (fd >= 0) LetOwnerChange(fd);
  }
  bool complete = !files.fd.Valid() || RemoveContents(files.fd.Get());
  if (info.fd.Valid() && !RemoveInfoOfRemovedItems(info.fd.Get(), files)) complete = false;
  if (unlinkat(trash.fd.Get(), "directorysizes", 0) != 0 && errno != ENOENT) complete = false;
  return complete;
}

}  // namespace standin
