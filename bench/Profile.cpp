#include "Profile.h"

#include <sqlite3.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/UrlCache.h"
#include "platform/linux/UrlCacheStore.h"
#include "tools/FileTimes.h"

namespace bench {

Profile::Profile() {
  std::string pattern = (std::filesystem::temp_directory_path() / "veltrin-bench-XXXXXX").string();
  root_ = mkdtemp(pattern.data());
  std::filesystem::create_directories(root_ / "data");
  std::filesystem::create_directories(root_ / "runtime");
  std::filesystem::permissions(root_ / "runtime", std::filesystem::perms::owner_all);
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root_ / "runtime").c_str(), 1);
}

Profile::~Profile() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void Profile::SeedCache(int entries, int cookieEvery) {
  // Emptied in place: the program under test may hold the store open.
  const auto file = standin::UrlCacheStore::DefaultFile();
  if (std::filesystem::exists(file)) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "DELETE FROM entries", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  std::vector<standin::CacheEntry> seeded;
  seeded.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    const bool cookie = i % cookieEvery == 0;
    // Sites in no particular order, so that sorting has work to do.
    const std::string site = "site" + std::to_string((i * 7919L) % entries) + ".example.com/";
    seeded.push_back(
        {cookie ? "Cookie:user@" + site : "https://" + site + "index.html",
         cookie ? COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY : NORMAL_CACHE_ENTRY,
         static_cast<DWORD>((i * 31) % 5000),
         standin::FileTimeOf(1995 + i % 30, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 60),
         standin::FileTimeOf(2027 + i % 10, 1 + i % 12, 1 + i % 28), 0});
  }
  standin::UrlCacheStore(file).PutAll(seeded);
}

}  // namespace bench
