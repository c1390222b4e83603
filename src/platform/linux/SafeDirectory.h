#pragma once
// Opening directories by name relative to an open parent without ever following a symbolic
// link or leaving the parent's mount, for walks that must stay inside one tree.

#include <sys/stat.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/UniqueFd.h"

namespace standin {

// The identity of the mount an open file lies on; nothing where the kernel cannot tell.
std::optional<unsigned long long> MountId(int fd);

// Whether `fd` is the directory that `expected` (an lstat of it) and `mount` describe.
bool IsSameDirectory(int fd, const struct stat& expected, std::optional<unsigned long long> mount);

// Opens `name` in `parent` when, without following links, it is a real directory on the same
// mount as `parent`, and (unless `owner` is nothing) owned by `owner`. `found` receives its
// lstat. An invalid descriptor otherwise, with errno ENOENT when there is no such entry.
UniqueFd OpenSubdirectory(int parent, const std::string& name, std::optional<uid_t> owner,
                          struct stat* found = nullptr);

// The names in an open directory, "." and ".." left out; nothing when it cannot be read.
std::optional<std::vector<std::string>> EntryNames(int fd);

// Adds the owner's read, write and search bits to an open directory that lacks one, so that
// its entries can be listed and removed.
void LetOwnerChange(int fd);

}  // namespace standin
