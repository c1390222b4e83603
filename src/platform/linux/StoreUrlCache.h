#pragma once
// The URL cache calls over the persistent store.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/UrlCache.h"
#include "platform/linux/DeletionGroups.h"
#include "platform/linux/UrlCacheStore.h"

namespace standin {

class StoreUrlCache final : public platform::UrlCache {
 public:
  explicit StoreUrlCache(std::filesystem::path file);
  ~StoreUrlCache() override;

  HANDLE FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                 LPDWORD size) override;
  BOOL FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry,
                              LPDWORD size) override;
  BOOL FindCloseUrlCache(HANDLE search) override;
  BOOL DeleteUrlCacheEntry(LPCSTR urlName) override;

  // The exact buffer size an entry needs: the record and its URL name with the final NUL.
  static DWORD BytesNeeded(const CacheEntry& entry);

 private:
  struct Search {
    std::int64_t lastId = 0;    // the search goes on after this entry, deleted or not
    std::int64_t newestId = 0;  // and ends at this one, the newest when it began
    // Entries read ahead of the search, read again once this process puts an entry or removes
    // one of them.
    // What other processes change among them shows from the next batch on.
    std::vector<StoredEntry> ahead;
    std::size_t next = 0;
    std::uint64_t writes = 0;
  };

  // The entry the search would fetch next, read ahead in batches; null at the end.
  const StoredEntry* Upcoming(Search& search);

  // Copies `found` into the caller's buffer, or reports the size it needs.
  static BOOL Fetch(const StoredEntry& found, INTERNET_CACHE_ENTRY_INFOA* entry, LPDWORD size);

  UrlCacheStore store_;
  // Also committed when a walk closes.
  DeletionGroups deletions_{store_};
  std::unordered_map<HANDLE, std::unique_ptr<Search>> searches_;
};

}  // namespace standin
