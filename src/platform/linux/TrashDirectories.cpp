#include "platform/linux/TrashDirectories.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <set>
#include <string>
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

// A program that puts an item in the trash writes its .trashinfo first and moves the item into
// files/ after: an info whose item this emptying never saw is taken for such an item, on its
// way, until it is older than this.
constexpr time_t kTrashingSeconds = 60;

// Removes the .trashinfo files of the items that stood in files/ when the emptying began and
// are gone now, so that what could not be removed still shows in the trash with its original
// place; and those of no item that are older than a trashing. Items that came meanwhile, and
// their info, stay for the next emptying.
bool RemoveInfoOfRemovedItems(int info, const Part& files, const std::set<std::string>& itemsBefore,
                              time_t began) {
  bool complete = true;
  const auto names = EntryNames(info);
  if (!names) return false;
  for (const std::string& name : *names) {
    if (name.size() <= kInfoSuffix.size() || !name.ends_with(kInfoSuffix)) continue;
    const std::string item = name.substr(0, name.size() - kInfoSuffix.size());
    const bool seen = itemsBefore.contains(item);
    struct stat meta {};
    if (files.fd.Valid() &&
        (fstatat(files.fd.Get(), item.c_str(), &meta, AT_SYMLINK_NOFOLLOW) == 0 ||
         errno != ENOENT)) {
      if (seen) complete = false;
      continue;
    }
    if (!seen && (fstatat(info, name.c_str(), &meta, AT_SYMLINK_NOFOLLOW) != 0 ||
                  meta.st_mtime > began - kTrashingSeconds)) {
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
  const time_t began = time(nullptr);
  std::set<std::string> itemsBefore;
  if (files.fd.Valid()) {
    if (const auto names = EntryNames(files.fd.Get()))
      itemsBefore.insert(names->begin(), names->end());
  }
  bool complete = !files.fd.Valid() || RemoveContents(files.fd.Get());
  if (info.fd.Valid() && !RemoveInfoOfRemovedItems(info.fd.Get(), files, itemsBefore, began)) {
    complete = false;
  }
  if (unlinkat(trash.fd.Get(), "directorysizes", 0) != 0 && errno != ENOENT) complete = false;
  return complete;
}

}  // namespace standin
