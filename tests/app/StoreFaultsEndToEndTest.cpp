// The window over a URL cache store it cannot have its way with: one it may not write, one
// another connection holds locked, one on a full disk. The list still shows the store, deleting
// waits no longer than the store's lock timeout, and nothing goes that was not checked.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/EndToEndFixture.h"
#include "platform/TrashTestSupport.h"
#include "platform/linux/UrlCacheStore.h"

namespace {

namespace fs = std::filesystem;
using standin::CacheEntry;
using ::testing::ElementsAre;
using ::testing::Key;

// Each file of the folder by name, with its size and a hash of its bytes.
std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string bytes = support::ReadFile(entry.path());
    contents[entry.path().filename().string()] = std::to_string(bytes.size()) + " bytes, hash " +
                                                 std::to_string(std::hash<std::string>{}(bytes));
  }
  return contents;
}

class StoreFaultsTest : public support::EndToEndFixture {
 protected:
  StoreFaultsTest() {
    // Written and closed, so that the store is one file with nothing pending beside it.
    standin::UrlCacheStore store(file_);
    EXPECT_TRUE(store.PutAll(entries_));
  }

  std::vector<CacheEntry> Stored() {
    standin::UrlCacheStore store(file_);
    return store.All();
  }

  const fs::path file_ = standin::UrlCacheStore::DefaultFile();
  const std::vector<CacheEntry> entries_ = {
      {"Cookie:a@one.example/", COOKIE_CACHE_ENTRY, 1, 0, 0, 0},
      {"Cookie:b@two.example/", COOKIE_CACHE_ENTRY, 2, 0, 0, 0},
      {"https://three.example/", NORMAL_CACHE_ENTRY, 3, 0, 0, 0},
      {"Cookie:c@four.example/", COOKIE_CACHE_ENTRY, 4, 0, 0, 0},
  };
};

TEST_F(StoreFaultsTest, AStoreThatMayNotBeWrittenIsListedAndLeftAsItWas) {
  const fs::path folder = file_.parent_path();
  const std::string before = support::ReadFile(file_);
  struct ModeCase {
    const char* name;
    mode_t file;
    mode_t folder;
  };
  for (const ModeCase& c :
       {ModeCase{"read-only file", 0444, 0755}, ModeCase{"read-only folder", 0644, 0555},
        ModeCase{"both read-only", 0444, 0555}}) {
    ASSERT_THAT(FolderContents(folder), ElementsAre(Key("urlcache.db"))) << c.name;
    ASSERT_EQ(chmod(file_.c_str(), c.file), 0);
    ASSERT_EQ(chmod(folder.c_str(), c.folder), 0);
    {
      const support::WithoutPermissionOverride plainUser;
      // A cache of its own, so that no connection opened earlier while writable is reused.
      standin::StoreUrlCache cache(file_);
      const platform::Installed<platform::UrlCache> installed(cache);
      TMainForm& form = Open();
      EXPECT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example")) << c.name;
      form.ToolButton1->Click();
      form.ToolButton5->Click();
      EXPECT_EQ(form.edCookieCount->text(), "3") << c.name;
      delete MainForm;
      MainForm = nullptr;
    }
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod(file_.c_str(), 0644), 0);
    // A reader may leave an empty log and its index beside the store; the store is unchanged.
    EXPECT_EQ(support::ReadFile(file_), before) << c.name;
    EXPECT_EQ(support::ReadFile(file_.string() + "-wal"), "") << c.name;
    EXPECT_EQ(Stored(), entries_) << c.name;
  }
}

// Another connection takes the write lock, and keeps it until `hold` after the window's
// deletion has begun, or until the object goes.
class LockHolder {
 public:
  LockHolder(const fs::path& file, std::chrono::milliseconds hold)
      : thread_([this, file, hold] { Hold(file, hold); }) {}
  ~LockHolder() {
    deleting_ = released_ = true;
    thread_.join();
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  // Whether the lock was taken; waits for the attempt.
  bool Locked() {
    return locked_.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready &&
           gotLock_;
  }
  void DeletionBegins() { deleting_ = true; }

 private:
  void Hold(const fs::path& file, std::chrono::milliseconds hold) {
    sqlite3* db = nullptr;
    gotLock_ = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
               sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    locked_.set_value();
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + std::chrono::seconds(30);
    while (!deleting_ && Clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto release = Clock::now() + hold;
    while (!released_ && Clock::now() < release) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }

  std::promise<void> locked_;
  bool gotLock_ = false;
  std::atomic<bool> deleting_ = false;
  std::atomic<bool> released_ = false;
  std::thread thread_;
};

TEST_F(StoreFaultsTest, AStoreLockedByAnotherConnectionIsListedAndDeletesOnceItIsFree) {
  const auto hold = std::chrono::milliseconds(300);
  std::chrono::steady_clock::duration took{};
  {
    LockHolder holder(file_, hold);
    ASSERT_TRUE(holder.Locked());
    TMainForm& form = Open();
    ASSERT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example"));
    form.lvCookies->Items->Item(1)->SetChecked(true);
    holder.DeletionBegins();
    const auto began = std::chrono::steady_clock::now();
    form.ToolButton5->Click();
    took = std::chrono::steady_clock::now() - began;
    EXPECT_THAT(Captions(), ElementsAre("one.example", "four.example"));
  }
  EXPECT_GE(took, hold - std::chrono::milliseconds(50));
  EXPECT_LT(took, std::chrono::seconds(5));
  EXPECT_EQ(Stored(), (std::vector<CacheEntry>{entries_[0], entries_[2], entries_[3]}));
}

TEST_F(StoreFaultsTest, ADeletionFromAStoreLockedForLongGivesUpAfterOneLockTimeout) {
  std::chrono::steady_clock::duration took{};
  {
    LockHolder holder(file_, std::chrono::seconds(20));
    ASSERT_TRUE(holder.Locked());
    TMainForm& form = Open();
    form.ToolButton1->Click();
    holder.DeletionBegins();
    const auto began = std::chrono::steady_clock::now();
    form.ToolButton5->Click();
    took = std::chrono::steady_clock::now() - began;
    EXPECT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example"));
  }
  // The store's lock timeout is 5 s: one wait for the whole deletion, not one per entry.
  EXPECT_LT(took, std::chrono::seconds(8));
  EXPECT_EQ(Stored(), entries_);
}

// A full disk needs a mount namespace of the test's own; where that is not allowed the test is
// skipped.
TEST_F(StoreFaultsTest, OnAFullDiskTheStoreIsListedAndKeptWholeAndDeletesOnceThereIsRoom) {
  if (unshare(CLONE_NEWNS) != 0 ||
      mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    GTEST_SKIP() << "no mount namespace of our own: " << std::strerror(errno);
  }
  const fs::path folder = file_.parent_path();
  const std::string store = support::ReadFile(file_);
  ASSERT_EQ(mount("none", folder.c_str(), "tmpfs", 0, "size=256k"), 0);
  support::WriteFile(file_, store);
  {
    // Filled to the last block.
    std::ofstream filler(folder / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  TMainForm& form = Open();
  EXPECT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example"));
  form.ToolButton1->Click();
  form.ToolButton5->Click();
  EXPECT_EQ(Stored(), entries_);

  // Once there is room again, the same window deletes.
  fs::remove(folder / "filler");
  form.btnRefreshClick(nullptr);
  form.ToolButton1->Click();
  form.ToolButton5->Click();
  EXPECT_EQ(form.edCookieCount->text(), "0");
  EXPECT_EQ(Stored(), std::vector<CacheEntry>{entries_[2]});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file_.c_str(), &db), SQLITE_OK);
  std::string verdict;
  sqlite3_exec(
      db, "PRAGMA integrity_check",
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += values[0];
        return 0;
      },
      &verdict, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(verdict, "ok");
  umount2(folder.c_str(), MNT_DETACH);
}

}  // namespace
