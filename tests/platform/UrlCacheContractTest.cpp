// What the program relies on of the URL cache, checked once against the recording fake and once
// against the stand-in store, so that the two cannot drift apart.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "platform/UrlCache.h"
#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UrlCacheStore.h"
#include "support/TempProfile.h"

namespace {

using ::testing::ElementsAre;

struct Seed {
  std::string url;
  DWORD type;
  DWORD hits;
};

// One implementation under test, seeded with entries in walk order.
class CacheUnderTest {
 public:
  virtual ~CacheUnderTest() = default;
  virtual void Seed(const std::vector<::Seed>& entries) = 0;
  // An entry added by someone else while a walk is under way.
  virtual void AddLater(const ::Seed& entry) = 0;
};

class FakeCache final : public CacheUnderTest {
 public:
  void Seed(const std::vector<::Seed>& entries) override {
    for (const auto& entry : entries) AddLater(entry);
  }
  void AddLater(const ::Seed& entry) override {
    fake_.cache.push_back({entry.url, entry.type, entry.hits, 1, 2});
  }

 private:
  fakes::FakePlatform fake_;
};

class StoreCache final : public CacheUnderTest {
 public:
  void Seed(const std::vector<::Seed>& entries) override {
    for (const auto& entry : entries) AddLater(entry);
  }
  void AddLater(const ::Seed& entry) override {
    // A second connection, as another process would hold.
    standin::UrlCacheStore other(file_);
    ASSERT_TRUE(other.Put({entry.url, entry.type, entry.hits, 1, 2, 3}));
  }

 private:
  support::TempProfile profile_;
  std::filesystem::path file_ = standin::UrlCacheStore::DefaultFile();
  standin::ThreadErrors errors_;
  standin::StoreUrlCache cache_{file_};
  platform::Installed<platform::Errors> installedErrors_{errors_};
  platform::Installed<platform::UrlCache> installedCache_{cache_};
};

// Fetches the next entry with the two-call protocol; its URL name, or nothing at the end.
std::optional<std::string> FetchNext(HANDLE search) {
  DWORD size = 0;
  if (FindNextUrlCacheEntryA(search, nullptr, &size)) return std::nullopt;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  std::vector<char> buffer(size);
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  if (!FindNextUrlCacheEntryA(search, entry, &size)) return std::nullopt;
  return std::string(entry->lpszSourceUrlName);
}

class UrlCacheContract : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "fake") {
      cache_ = std::make_unique<FakeCache>();
    } else {
      cache_ = std::make_unique<StoreCache>();
    }
  }

  // Starts a walk; the first entry's URL name goes to *first.
  HANDLE Start(std::string* first) {
    DWORD size = 0;
    EXPECT_EQ(FindFirstUrlCacheEntryA(nullptr, nullptr, &size), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    buffer_.assign(size, '\0');
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data());
    HANDLE search = FindFirstUrlCacheEntryA(nullptr, entry, &size);
    if (search != nullptr) *first = entry->lpszSourceUrlName;
    return search;
  }

  std::unique_ptr<CacheUnderTest> cache_;
  std::vector<char> buffer_;
};

TEST_P(UrlCacheContract, EmptyCacheReportsNoSizeAndNullHandleEndsWith87) {
  DWORD size = 0;
  EXPECT_EQ(FindFirstUrlCacheEntryA(nullptr, nullptr, &size), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(size, 0u);
  EXPECT_FALSE(FindNextUrlCacheEntryA(nullptr, nullptr, &size));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(size, 0u);
  EXPECT_FALSE(FindCloseUrlCache(nullptr));
}

TEST_P(UrlCacheContract, SizeQueryAsksForExactlyTheBytesTheFetchNeeds) {
  cache_->Seed({{"Cookie:jane@example.com/", COOKIE_CACHE_ENTRY, 42}});
  DWORD size = 0;
  ASSERT_EQ(FindFirstUrlCacheEntryA(nullptr, nullptr, &size), nullptr);
  ASSERT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  const DWORD needed = size;
  EXPECT_EQ(needed, sizeof(INTERNET_CACHE_ENTRY_INFOA) +
                        std::string("Cookie:jane@example.com/").size() + 1);

  std::vector<char> tooSmall(needed - 1);
  size = needed - 1;
  EXPECT_EQ(FindFirstUrlCacheEntryA(
                nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(tooSmall.data()), &size),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, needed);

  // A buffer of exactly that size, not zeroed and with no dwStructSize written, is enough.
  std::vector<char> exact(needed, '\x5A');
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(exact.data());
  HANDLE search = FindFirstUrlCacheEntryA(nullptr, entry, &size);
  ASSERT_NE(search, nullptr);
  EXPECT_STREQ(entry->lpszSourceUrlName, "Cookie:jane@example.com/");
  EXPECT_EQ(entry->CacheEntryType, COOKIE_CACHE_ENTRY);
  EXPECT_EQ(entry->dwHitRate, 42u);
  EXPECT_EQ(entry->LastModifiedTime.dwLowDateTime, 1u);
  EXPECT_EQ(entry->ExpireTime.dwLowDateTime, 2u);
  EXPECT_TRUE(FindCloseUrlCache(search));
}

TEST_P(UrlCacheContract, WalkYieldsEveryEntryInOrderThenNoMoreItems) {
  cache_->Seed({{"a", NORMAL_CACHE_ENTRY, 1},
                {"Cookie:b@b/", COOKIE_CACHE_ENTRY, 2},
                {"c", URLHISTORY_CACHE_ENTRY, 3}});
  std::string first;
  HANDLE search = Start(&first);
  ASSERT_NE(search, nullptr);
  std::vector<std::string> seen{first};
  while (auto next = FetchNext(search)) seen.push_back(*next);
  EXPECT_THAT(seen, ElementsAre("a", "Cookie:b@b/", "c"));
  DWORD size = 0;
  EXPECT_FALSE(FindNextUrlCacheEntryA(search, nullptr, &size));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  EXPECT_TRUE(FindCloseUrlCache(search));
}

TEST_P(UrlCacheContract, SearchSurvivesDeletingTheEntryJustFetched) {
  cache_->Seed({{"a", 1, 0}, {"b", 1, 0}, {"c", 1, 0}});
  std::string first;
  HANDLE search = Start(&first);
  ASSERT_NE(search, nullptr);
  std::vector<std::string> deleted;
  for (std::optional<std::string> url = first; url; url = FetchNext(search)) {
    EXPECT_TRUE(DeleteUrlCacheEntry(url->c_str()));
    deleted.push_back(*url);
  }
  EXPECT_THAT(deleted, ElementsAre("a", "b", "c"));
  FindCloseUrlCache(search);
  DWORD size = 0;
  EXPECT_EQ(FindFirstUrlCacheEntryA(nullptr, nullptr, &size), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
}

TEST_P(UrlCacheContract, EntryAddedDuringWalkWaitsForTheNextWalkAndDeletingTwiceFails) {
  cache_->Seed({{"a", 1, 0}});
  std::string first;
  HANDLE search = Start(&first);
  ASSERT_NE(search, nullptr);
  cache_->AddLater({"late", 1, 0});
  EXPECT_EQ(FetchNext(search), std::nullopt);
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  FindCloseUrlCache(search);
  search = Start(&first);
  EXPECT_EQ(first, "a");
  EXPECT_EQ(FetchNext(search), "late");
  FindCloseUrlCache(search);
  EXPECT_TRUE(DeleteUrlCacheEntry("a"));
  EXPECT_FALSE(DeleteUrlCacheEntry("a"));
  EXPECT_FALSE(DeleteUrlCacheEntry("never there"));
}

INSTANTIATE_TEST_SUITE_P(Implementations, UrlCacheContract, ::testing::Values("fake", "store"),
                         [](const auto& param) { return param.param; });

}  // namespace
