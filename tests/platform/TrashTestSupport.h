#pragma once
// Building trash directories, mount tables and hostile trees for the trash tests, in the test's
// own temporary folders: no test reaches the trash of a real drive.

#include <linux/capability.h>
#include <sys/types.h>

#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempProfile.h"

namespace support {

// A fresh data home and a folder for pretend drives; STANDIN_MOUNTINFO names a mount table of
// the test's making (none until Mounts is called) for the object's lifetime.
class TrashProfile {
 public:
  TrashProfile();
  ~TrashProfile();
  TrashProfile(const TrashProfile&) = delete;
  TrashProfile& operator=(const TrashProfile&) = delete;

  std::filesystem::path DataHome() const { return profile_.DataHome(); }
  std::filesystem::path HomeTrash() const { return DataHome() / "Trash"; }
  // A new folder standing for the top of a drive.
  std::filesystem::path Drive(const std::string& name) const;
  // Writes the mount table: one line per mount point, with its type and mount options.
  struct Line {
    std::filesystem::path point;
    std::string type = "ext4";
    std::string options = "rw,relatime";
  };
  void Mounts(const std::vector<Line>& lines) const;

 private:
  TempProfile profile_;
  QTemporaryDir drives_;
  std::filesystem::path table_;
};

// Creates files/ and info/ of a trash directory.
void MakeTrash(const std::filesystem::path& trash);
// Puts an item in a trash: files/NAME as a file with `content`, and info/NAME.trashinfo.
void PutInTrash(const std::filesystem::path& trash, const std::string& name,
                const std::string& content = "x");
std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

// For the lifetime of the object, the calling thread meets the permission checks of a plain
// user even when it runs as the administrator, who would pass them all.
class WithoutPermissionOverride {
 public:
  WithoutPermissionOverride();
  ~WithoutPermissionOverride();
  WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
  WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

 private:
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2] = {};
  bool dropped_ = false;
};

}  // namespace support
