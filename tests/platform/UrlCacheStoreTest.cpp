// The stand-in store's own promises: what it does with files that are missing, damaged or not
// its own, and with another process changing it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UrlCacheStore.h"
#include "support/TempProfile.h"

namespace {

using standin::CacheEntry;
using standin::UrlCacheStore;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class UrlCacheStoreTest : public ::testing::Test {
 protected:
  // Walks the store through the platform calls and deletes what it can, as the program does.
  std::size_t WalkAndDelete() {
    standin::StoreUrlCache cache(file_);
    platform::Installed<platform::Errors> installed(errors_);
    DWORD size = 0;
    EXPECT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size), nullptr);
    EXPECT_FALSE(cache.DeleteUrlCacheEntry("Cookie:a@a/"));
    return size;
  }

  support::TempProfile profile_;
  std::filesystem::path file_ = UrlCacheStore::DefaultFile();
  standin::ThreadErrors errors_;
};

TEST_F(UrlCacheStoreTest, MissingStoreIsAnEmptyCacheAndIsNotCreatedByReading) {
  EXPECT_EQ(WalkAndDelete(), 0u);
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(UrlCacheStoreTest, DamagedFileIsAnEmptyCacheAndIsNeverWritten) {
  std::filesystem::create_directories(file_.parent_path());
  const std::string garbage = "this is not a database\n" + std::string(5000, '\x01');
  std::ofstream(file_, std::ios::binary) << garbage;
  EXPECT_EQ(WalkAndDelete(), 0u);
  UrlCacheStore store(file_);
  EXPECT_FALSE(store.Put({"Cookie:a@a/", 1, 1, 1, 1, 1}));
  EXPECT_TRUE(store.All().empty());
  EXPECT_EQ(Contents(file_), garbage);
}

TEST_F(UrlCacheStoreTest, TruncatedStoreLosesNoMoreThanWasCut) {
  {
    UrlCacheStore store(file_);
    for (int i = 0; i < 2000; ++i) {
      ASSERT_TRUE(store.Put({"Cookie:u@site" + std::to_string(i) + "/", 1, 1, 1, 1, 1}));
    }
  }
  // Fold the write-ahead log in, then cut the file in half.
  sqlite3* db = nullptr;
  sqlite3_open(file_.c_str(), &db);
  sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  std::filesystem::resize_file(file_, std::filesystem::file_size(file_) / 2);
  const std::string cut = Contents(file_);
  WalkAndDelete();
  UrlCacheStore(file_).All();
  EXPECT_EQ(Contents(file_), cut);
}

TEST_F(UrlCacheStoreTest, DatabaseOfSomethingElseIsLeftAlone) {
  std::filesystem::create_directories(file_.parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file_.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const std::string before = Contents(file_);
  EXPECT_FALSE(UrlCacheStore(file_).Put({"Cookie:a@a/", 1, 1, 1, 1, 1}));
  EXPECT_EQ(Contents(file_), before);
}

TEST_F(UrlCacheStoreTest, PutReplacesAnEntryInItsPlaceAndKeepsBytesThatAreNotText) {
  UrlCacheStore store(file_);
  const std::string odd = "Cookie:x@\xff\xfe\x01/";
  ASSERT_TRUE(store.Put({"first", 1, 1, 0, 0, 0}));
  ASSERT_TRUE(store.Put({odd, COOKIE_CACHE_ENTRY, 4294967295u, 0xFFFFFFFFFFFFFFFFull, 0, 0}));
  ASSERT_TRUE(store.Put({"first", 1, 9, 0, 0, 0}));
  EXPECT_THAT(store.All(), ElementsAre(CacheEntry{"first", 1, 9, 0, 0, 0},
                                       CacheEntry{odd, COOKIE_CACHE_ENTRY, 4294967295u,
                                                  0xFFFFFFFFFFFFFFFFull, 0, 0}));
}

TEST_F(UrlCacheStoreTest, DeletionsOfAnotherConnectionShowAtOnce) {
  UrlCacheStore writer(file_);
  ASSERT_TRUE(writer.Put({"a", 1, 0, 0, 0, 0}));
  ASSERT_TRUE(writer.Put({"b", 1, 0, 0, 0, 0}));
  UrlCacheStore reader(file_);
  const std::int64_t last = reader.BeginWalk();
  const auto first = reader.Batch(0, last, 1);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_TRUE(writer.Remove("b"));
  EXPECT_THAT(reader.Batch(first[0].id, last, 1), IsEmpty());
  EXPECT_THAT(reader.All(), ElementsAre(Field(&CacheEntry::url, "a")));
}

TEST_F(UrlCacheStoreTest, DeletionsCommitInGroupsWhenAWalkClosesOrTheEventLoopRuns) {
  UrlCacheStore other(file_);
  ASSERT_TRUE(other.PutAll({{"a", 1, 0, 0, 0, 0}, {"b", 1, 0, 0, 0, 0}, {"c", 1, 0, 0, 0, 0}}));
  platform::Installed<platform::Errors> installed(errors_);
  standin::StoreUrlCache cache(file_);
  EXPECT_TRUE(cache.DeleteUrlCacheEntry("a"));
  EXPECT_FALSE(cache.DeleteUrlCacheEntry("a")) << "its own deletion shows to itself at once";
  EXPECT_EQ(other.All().size(), 3u) << "held until the group commits";
  QCoreApplication::processEvents();
  EXPECT_EQ(other.All().size(), 2u);
  EXPECT_TRUE(cache.DeleteUrlCacheEntry("b"));
  cache.FindCloseUrlCache(nullptr);
  EXPECT_THAT(other.All(), ElementsAre(Field(&CacheEntry::url, "c")));
}

// Another connection deletes entries behind and ahead of the walk (within its read-ahead and
// beyond it), adds entries, adds a deleted one again and replaces entries, between entries and
// between a size query and its fetch: each entry is listed at most once, and every entry that
// stayed throughout is listed.
TEST_F(UrlCacheStoreTest, AWalkChangedByAnotherConnectionListsEveryEntryThatStayedOnce) {
  auto url = [](int i) { return "Cookie:u@site" + std::to_string(i) + ".example/"; };
  UrlCacheStore other(file_);
  std::vector<CacheEntry> entries;
  for (int i = 0; i < 700; ++i) entries.push_back({url(i), COOKIE_CACHE_ENTRY, 1, 0, 0, 0});
  ASSERT_TRUE(other.PutAll(entries));
  std::set<std::string> changed;
  auto change = [&](int step) {
    for (const int i : {step - 3, step + 5, step + 300}) {
      if (other.Remove(url(i))) changed.insert(url(i));
    }
    ASSERT_TRUE(other.Put({url(step - 3), COOKIE_CACHE_ENTRY, 1, 0, 0, 0}));  // added again
    const std::string added = url(1000 + step);
    ASSERT_TRUE(other.Put({added, COOKIE_CACHE_ENTRY, 1, 0, 0, 0}));
    changed.insert(added);
    // Replaced in place: it keeps its place in the walk.
    ASSERT_TRUE(other.Put({url(step + 7), COOKIE_CACHE_ENTRY, 99, 1, 1, 1}));
  };

  platform::Installed<platform::Errors> installed(errors_);
  standin::StoreUrlCache cache(file_);
  std::map<std::string, int> listed;
  std::vector<char> buffer;
  auto room = [&buffer](DWORD size) {
    buffer.assign(size, '\0');
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  };
  DWORD size = 0;
  cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  auto* first = room(size);
  HANDLE search = cache.FindFirstUrlCacheEntryA(nullptr, first, &size);
  ASSERT_NE(search, nullptr);
  ++listed[first->lpszSourceUrlName];
  for (int step = 1; step < 5000; ++step) {
    size = 0;
    ASSERT_FALSE(cache.FindNextUrlCacheEntryA(search, nullptr, &size));
    if (GetLastError() == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    if (step % 7 == 3) change(step);
    auto* fetched = room(size);
    if (!cache.FindNextUrlCacheEntryA(search, fetched, &size)) {
      ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
      continue;  // the next entry grew meanwhile: ask again
    }
    ++listed[fetched->lpszSourceUrlName];
    if (step % 11 == 5) change(step + 1);
  }
  EXPECT_TRUE(cache.FindCloseUrlCache(search));

  for (const auto& [name, times] : listed) EXPECT_EQ(times, 1) << name;
  for (const CacheEntry& stayed : other.All()) {
    if (changed.count(stayed.url) == 0) {
      EXPECT_EQ(listed.count(stayed.url), 1u) << stayed.url;
    }
  }
}

}  // namespace
