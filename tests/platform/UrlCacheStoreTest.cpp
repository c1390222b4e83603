// The stand-in store's own promises: what it does with files that are missing, damaged or not
// its own, and with another process changing it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>

#include <fstream>
#include <iterator>

#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UrlCacheStore.h"
#include "support/TempProfile.h"

namespace {

using standin::CacheEntry;
using standin::UrlCacheStore;
using ::testing::ElementsAre;
using ::testing::Field;

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
  const auto first = reader.After(0);
  ASSERT_TRUE(first);
  EXPECT_TRUE(writer.Remove("b"));
  EXPECT_FALSE(reader.After(first->id));
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

}  // namespace
