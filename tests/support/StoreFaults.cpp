#include "support/StoreFaults.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>

namespace support {

namespace fs = std::filesystem;

StoreLockHolder::StoreLockHolder(const fs::path& file, std::chrono::milliseconds hold)
    : hold_(hold) {
  process_.start(QCoreApplication::applicationDirPath() + "/store-locker",
                 {QString::fromStdString(file.string())});
}

StoreLockHolder::~StoreLockHolder() {
  // Its input ends: the lock goes at once.
  process_.closeWriteChannel();
  process_.waitForFinished(10000);
}

bool StoreLockHolder::Locked() {
  return process_.waitForReadyRead(10000) && process_.readLine().trimmed() == "locked";
}

void StoreLockHolder::Release() {
  process_.write(QByteArray::number(static_cast<qint64>(hold_.count())) + "\n");
  process_.waitForBytesWritten(10000);
}

std::string EnterPrivateMountNamespace() {
  if (unshare(CLONE_NEWNS) != 0 ||
      mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    return std::string("no mount namespace of our own: ") + std::strerror(errno);
  }
  return "";
}

void MountSmallDisk(const fs::path& folder, const char* size) {
  std::map<fs::path, std::string> kept;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    kept[entry.path().filename()].assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_EQ(mount("none", folder.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()), 0)
      << std::strerror(errno);
  for (const auto& [name, bytes] : kept) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
}

void FillDisk(const fs::path& folder) {
  std::ofstream filler(folder / "filler", std::ios::binary);
  const std::string block(4096, 'f');
  while (filler.write(block.data(), block.size()) && filler.flush()) {
  }
}

std::string IntegrityOf(const fs::path& file) {
  sqlite3* db = nullptr;
  std::string verdict;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
          *static_cast<std::string*>(out) += values[0] != nullptr ? values[0] : "";
          return 0;
        },
        &verdict, nullptr);
  }
  sqlite3_close(db);
  return verdict.empty() ? "cannot be read" : verdict;
}

}  // namespace support
