#pragma once
// What the store fault tests do to a store from outside: hold its write lock from another
// process, fill its disk, and check that what is left is whole.

#include <QProcess>

#include <chrono>
#include <filesystem>
#include <string>

namespace support {

// Another process takes the write lock of an SQLite file, and keeps it until `hold` after
// Release() was called, or until the object goes.
class StoreLockHolder {
 public:
  StoreLockHolder(const std::filesystem::path& file, std::chrono::milliseconds hold);
  ~StoreLockHolder();
  StoreLockHolder(const StoreLockHolder&) = delete;
  StoreLockHolder& operator=(const StoreLockHolder&) = delete;

  // Whether the lock was taken; waits for the attempt.
  bool Locked();
  // Starts the countdown of `hold`.
  void Release();

 private:
  const std::chrono::milliseconds hold_;
  QProcess process_;
};

// Moves the test process into a mount namespace of its own, so that it may mount a small file
// system without touching the machine's; the reason when that is not allowed.
std::string EnterPrivateMountNamespace();

// Mounts a tmpfs of `size` (as mount(8) writes it) over `folder`, keeping the files it holds.
void MountSmallDisk(const std::filesystem::path& folder, const char* size);

// Fills the disk that holds `folder` to its last block with the file `folder`/filler.
void FillDisk(const std::filesystem::path& folder);

// SQLite's verdict on the file: "ok" when it is whole.
std::string IntegrityOf(const std::filesystem::path& file);

}  // namespace support
