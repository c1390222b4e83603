// The window over a URL cache store it cannot have its way with: one it may not write, one
// another process holds locked, one on a full disk. The list still shows the store, deleting
// waits no longer than the store's lock timeout, and nothing goes that was not checked.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/EndToEndFixture.h"
#include "platform/Errors.h"
#include "platform/TrashTestSupport.h"
#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/UrlCacheStore.h"
#include "support/StoreFaults.h"

namespace {

namespace fs = std::filesystem;
using standin::CacheEntry;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
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

// The stand-in cache, with another process changing the store right after the size query for
// the `query`-th entry of each walk, before that entry is fetched.
class RacedCache final : public platform::UrlCache {
 public:
  RacedCache(const fs::path& file, int query, std::vector<QStringList> changes)
      : cache_(file), query_(query), changes_(std::move(changes)) {}

  HANDLE FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                 LPDWORD size) override {
    if (entry == nullptr) queries_ = 0;
    return Raced(entry, cache_.FindFirstUrlCacheEntryA(pattern, entry, size));
  }
  BOOL FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry,
                              LPDWORD size) override {
    return Raced(entry, cache_.FindNextUrlCacheEntryA(search, entry, size));
  }
  BOOL FindCloseUrlCache(HANDLE search) override { return cache_.FindCloseUrlCache(search); }
  BOOL DeleteUrlCacheEntry(LPCSTR urlName) override { return cache_.DeleteUrlCacheEntry(urlName); }

 private:
  template <typename Result>
  Result Raced(const INTERNET_CACHE_ENTRY_INFOA* entry, Result result) {
    if (entry == nullptr && ++queries_ == query_) {
      const DWORD error = GetLastError();
      for (const QStringList& change : changes_) {
        EXPECT_EQ(
            QProcess::execute(QCoreApplication::applicationDirPath() + "/../src/standin", change),
            0);
      }
      SetLastError(error);
    }
    return result;
  }

  standin::StoreUrlCache cache_;
  const int query_;
  const std::vector<QStringList> changes_;
  int queries_ = 0;
};

// Another process changes the cache between the size query for the second entry of the walk
// and its fetch. The two calls still agree, so the walk goes on without a failed fetch or an
// error box and lists the cache as it stood when the walk began, each entry once; the next
// walk shows it as it is.
TEST_F(StoreFaultsTest, AnotherProcessChangingTheCacheDuringAWalkShowsInTheNextWalk) {
  const QStringList removeTwo = {"cache", "remove", "Cookie:b@two.example/"};
  const QStringList addFive = {"cache", "add", "Cookie:d@five.example/", "--cookie"};
  struct RaceCase {
    const char* name;
    std::vector<QStringList> changes;
    std::vector<std::string> refreshed;
  };
  const RaceCase cases[] = {
      {"the entry about to be fetched deleted", {removeTwo}, {"one.example", "four.example"}},
      {"an entry ahead deleted",
       {{"cache", "remove", "Cookie:c@four.example/"}},
       {"one.example", "two.example"}},
      {"an entry added", {addFive}, {"one.example", "two.example", "four.example", "five.example"}},
      {"the entry deleted and a longer one added",
       {removeTwo, {"cache", "add", "Cookie:b@two.example/a/longer/path", "--cookie"}},
       {"one.example", "four.example", "two.example/a/longer/path"}},
      {"an entry fetched deleted and added again",
       {{"cache", "remove", "Cookie:a@one.example/"},
        {"cache", "add", "Cookie:a@one.example/", "--cookie"}},
       {"two.example", "four.example", "one.example"}},
  };
  for (const RaceCase& c : cases) {
    {
      RacedCache raced(file_, 2, c.changes);
      const platform::Installed<platform::UrlCache> installed(raced);
      TMainForm& form = Open();
      EXPECT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example")) << c.name;
      EXPECT_EQ(form.edCookieCount->text(), "3") << c.name;
    }
    MainForm->btnRefreshClick(nullptr);
    EXPECT_THAT(Captions(), ElementsAreArray(c.refreshed)) << c.name;
    delete MainForm;
    MainForm = nullptr;
    standin::UrlCacheStore store(file_);
    for (const CacheEntry& entry : store.All()) store.Remove(entry.url);
    ASSERT_TRUE(store.PutAll(entries_));
  }
}

TEST_F(StoreFaultsTest, AStoreLockedByAnotherProcessIsListedAndDeletesOnceItIsFree) {
  const auto hold = std::chrono::milliseconds(300);
  std::chrono::steady_clock::duration took{};
  {
    support::StoreLockHolder holder(file_, hold);
    ASSERT_TRUE(holder.Locked());
    TMainForm& form = Open();
    ASSERT_THAT(Captions(), ElementsAre("one.example", "two.example", "four.example"));
    form.lvCookies->Items->Item(1)->SetChecked(true);
    holder.Release();
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
    support::StoreLockHolder holder(file_, std::chrono::seconds(20));
    ASSERT_TRUE(holder.Locked());
    TMainForm& form = Open();
    form.ToolButton1->Click();
    holder.Release();
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
  if (const std::string why = support::EnterPrivateMountNamespace(); !why.empty()) {
    GTEST_SKIP() << why;
  }
  const fs::path folder = file_.parent_path();
  support::MountSmallDisk(folder, "256k");
  support::FillDisk(folder);
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
  EXPECT_EQ(support::IntegrityOf(file_), "ok");
  umount2(folder.c_str(), MNT_DETACH);
}

}  // namespace
