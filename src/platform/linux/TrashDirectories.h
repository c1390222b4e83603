#pragma once
// The current user's trash directories after the freedesktop.org Trash specification: the home
// trash and one per mounted drive, each checked before it is trusted, and their emptying.

#include <sys/types.h>

#include <filesystem>
#include <vector>

#include "platform/linux/MountTable.h"
#include "platform/linux/UniqueFd.h"

namespace standin {

struct TrashDirectory {
  std::filesystem::path path;
  UniqueFd fd;  // the directory as it was checked: emptying goes through this, not the path
};

// $dataHome/Trash, then on every mount that is writable and not a pseudo file system
// $topdir/.Trash/$user (where $topdir/.Trash is a real directory with the sticky bit) and
// $topdir/.Trash-$user. Each must be a real directory owned by `user` on the mount it belongs
// to; links are never followed, what cannot be reached is left out, and a directory reached
// through several mounts is listed once.
std::vector<TrashDirectory> FindTrashDirectories(const std::filesystem::path& dataHome,
                                                 const std::vector<Mount>& mounts, uid_t user);

// Empties one trash directory: everything in files/, the .trashinfo files of info/ whose item
// went (and those of no item once they are a minute old: the item may be on its way), and
// directorysizes. A files/ or info/ that is not a real directory of `user` leaves
// the whole trash alone. True when nothing stayed.
bool EmptyTrashDirectory(const TrashDirectory& trash, uid_t user);

}  // namespace standin
