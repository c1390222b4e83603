// The URL cache, recent documents and recycle bin clean-ups: the calls in their order, how the
// cache walk ends, and the one message a clean-up shows.

#include <gmock/gmock.h>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int kUrlCache = 1;
constexpr int kRecentDocuments = 4;
constexpr int kRecycleBin = 5;

std::string Size(const std::string& url) {
  return std::to_string(sizeof(INTERNET_CACHE_ENTRY_INFOA) + url.size() + 1);
}

using HistoryCleanUpTest = MainFormTest;

TEST_F(HistoryCleanUpTest, EmptyCacheStartsNoSearchAndClosesTheNullHandleOnce) {
  RunCleanUp(kUrlCache);
  EXPECT_THAT(fake.calls,
              ElementsAre("FindFirstUrlCacheEntryA(null, null, 0)",
                          "FindFirstUrlCacheEntryA(null, null, 0)", "FindCloseUrlCache(null)"));
}

TEST_F(HistoryCleanUpTest, EveryEntryOfEveryTypeGoesInWalkOrderAndTheListKeepsItsRows) {
  const std::string cookie = "Cookie:jane@example.com/";
  const std::string page = "https://example.com/index.html";
  const std::string visited = "Visited: jane@https://example.com/";
  AddCookie(cookie);
  fake.cache.push_back({page, NORMAL_CACHE_ENTRY});
  fake.cache.push_back({visited, URLHISTORY_CACHE_ENTRY});
  RunCleanUp(kUrlCache);
  const std::string c = Size(cookie);
  const std::string p = Size(page);
  const std::string v = Size(visited);
  EXPECT_THAT(fake.calls, ElementsAreArray(std::vector<std::string>{
                              "FindFirstUrlCacheEntryA(null, null, 0)",
                              "LocalAlloc(0, " + c + ")",
                              "FindFirstUrlCacheEntryA(null, buf" + c + ", " + c + ")",
                              "DeleteUrlCacheEntry(\"" + cookie + "\")",
                              "LocalFree(buf" + c + ")",
                              "FindNextUrlCacheEntryA(h2, null, 0)",
                              "LocalAlloc(0, " + p + ")",
                              "FindNextUrlCacheEntryA(h2, buf" + p + ", " + p + ")",
                              "DeleteUrlCacheEntry(\"" + page + "\")",
                              "LocalFree(buf" + p + ")",
                              "FindNextUrlCacheEntryA(h2, null, 0)",
                              "LocalAlloc(0, " + v + ")",
                              "FindNextUrlCacheEntryA(h2, buf" + v + ", " + v + ")",
                              "DeleteUrlCacheEntry(\"" + visited + "\")",
                              "LocalFree(buf" + v + ")",
                              "FindNextUrlCacheEntryA(h2, null, 0)",
                              "FindNextUrlCacheEntryA(h2, null, 0)",
                              "FindCloseUrlCache(h2)",
                          }));
  EXPECT_THAT(fake.cache, IsEmpty());
  EXPECT_EQ(fake.LiveBlocks(), 0u);
  // Nothing on the window follows: the bar stays, the first tab keeps its row until refreshed.
  EXPECT_EQ(MainForm->ProgressBar->Max(), 100);
  EXPECT_EQ(MainForm->ProgressBar->Position(), 0);
  EXPECT_THAT(Captions(), ElementsAre("example.com"));
}

TEST_F(HistoryCleanUpTest, TheWalkEndsAtTheFirstFailedFetchAndAnEntryThatStaysIsPassed) {
  struct WalkCase {
    const char* name;
    std::set<std::string> undeletable;
    std::map<std::string, DWORD> grows;
    int failAllocation;
    std::vector<std::string> deleted;
    std::vector<std::string> left;
  };
  const WalkCase cases[] = {
      {"an entry that cannot go", {"b"}, {}, 0, {"a", "b", "c"}, {"b"}},
      {"an entry that grows before its fetch", {}, {{"b", 16}}, 0, {"a"}, {"b", "c"}},
      {"a buffer that cannot be had", {}, {}, 2, {"a"}, {"b", "c"}},
  };
  for (const WalkCase& c : cases) {
    fakes::FakePlatform fresh;
    fresh.cache = {{"a", NORMAL_CACHE_ENTRY}, {"b", COOKIE_CACHE_ENTRY}, {"c", NORMAL_CACHE_ENTRY}};
    fresh.undeletable = c.undeletable;
    fresh.growsBeforeFetch = c.grows;
    fresh.failAllocation = c.failAllocation;
    ASSERT_EQ(MainForm, nullptr);
    TMainForm form;
    form.CheckListBox1->SetChecked(kUrlCache, true);
    form.ToolButton11->click();
    std::vector<std::string> deleted;
    for (const std::string& call : fresh.CallsOf("DeleteUrlCacheEntry")) {
      deleted.push_back(call.substr(21, call.size() - 23));
    }
    EXPECT_EQ(deleted, c.deleted) << c.name;
    std::vector<std::string> left;
    for (const fakes::FakeCacheEntry& entry : fresh.cache) left.push_back(entry.url);
    EXPECT_EQ(left, c.left) << c.name;
    // The search is closed once on every path, an allocation failure in mid-walk included.
    EXPECT_THAT(fresh.CallsOf("FindCloseUrlCache"), ElementsAre("FindCloseUrlCache(h1)")) << c.name;
    EXPECT_EQ(fresh.LiveBlocks(), 0u) << c.name;
  }
}

TEST_F(HistoryCleanUpTest, RecentDocumentsAreClearedWithOneShellCall) {
  RunCleanUp(kRecentDocuments);
  EXPECT_THAT(fake.calls, ElementsAre("SHAddToRecentDocs(2, null)"));
}

TEST_F(HistoryCleanUpTest, RecycleBinIsEmptiedThroughShell32OrOneMessageSaysWhyNot) {
  struct BinCase {
    const char* name;
    bool loads;
    bool exported;
    std::vector<std::string> calls;
  };
  const std::string load = "LoadLibraryA(\"Shell32.dll\")";
  const std::string lookUp = "GetProcAddress(shell32, \"SHEmptyRecycleBinA\")";
  const std::string free = "FreeLibrary(shell32)";
  const BinCase cases[] = {
      {"emptied", true, true, {load, lookUp, "SHEmptyRecycleBinA(hwnd, null, 7)", free}},
      {"export missing", true, false, {load, lookUp, free}},
      {"library missing",
       false,
       true,
       {load, "MessageBoxA(\"Failed to load Shell32.dll.\", \"app_tests\", 0)"}},
  };
  Create();
  for (const BinCase& c : cases) {
    fake.shell32Loads = c.loads;
    fake.exportsEmptyRecycleBin = c.exported;
    fake.messageBoxes.clear();
    fake.emptyRecycleBinOwners.clear();
    RunCleanUp(kRecycleBin);
    EXPECT_THAT(fake.calls, ElementsAreArray(c.calls)) << c.name;
    for (const HWND owner : fake.emptyRecycleBinOwners) {
      EXPECT_EQ(owner, toolkit::Application->Handle()) << c.name;
    }
    for (const fakes::MessageBoxCall& box : fake.messageBoxes) {
      EXPECT_EQ(box.owner, nullptr) << c.name;
      EXPECT_EQ(box.type, MB_OK) << c.name;
    }
  }
}

}  // namespace
