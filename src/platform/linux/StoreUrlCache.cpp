#include "platform/linux/StoreUrlCache.h"

#include <cstring>
#include <limits>

#include "platform/Errors.h"

namespace standin {
namespace {

// Entries read with one query: enough to make the per-entry cost small, few enough that a
// walk abandoned early wastes little.
constexpr int kReadAhead = 256;

void FillFileTime(FILETIME& target, std::uint64_t value) {
  target.dwLowDateTime = static_cast<DWORD>(value);
  target.dwHighDateTime = static_cast<DWORD>(value >> 32);
}

}  // namespace

StoreUrlCache::StoreUrlCache(std::filesystem::path file) : store_(std::move(file)) {}

StoreUrlCache::~StoreUrlCache() = default;

DWORD StoreUrlCache::BytesNeeded(const CacheEntry& entry) {
  const std::size_t bytes = sizeof(INTERNET_CACHE_ENTRY_INFOA) + entry.url.size() + 1;
  // A name too long for a 32-bit count is one no caller could fetch; it never fits.
  return bytes > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                   : static_cast<DWORD>(bytes);
}

BOOL StoreUrlCache::Fetch(const StoredEntry& found, INTERNET_CACHE_ENTRY_INFOA* entry,
                          LPDWORD size) {
  const CacheEntry& source = found.entry;
  const DWORD needed = BytesNeeded(source);
  if (entry == nullptr || *size < needed || needed == std::numeric_limits<DWORD>::max()) {
    *size = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  // The caller's dwStructSize is neither required nor trusted.
  std::memset(entry, 0, sizeof(*entry));
  char* name = reinterpret_cast<char*>(entry + 1);
  std::memcpy(name, source.url.data(), source.url.size());
  name[source.url.size()] = '\0';
  entry->dwStructSize = sizeof(*entry);
  entry->lpszSourceUrlName = name;
  entry->CacheEntryType = source.type;
  entry->dwHitRate = source.hits;
  entry->dwUseCount = 0;
  FillFileTime(entry->LastModifiedTime, source.modified);
  FillFileTime(entry->ExpireTime, source.expires);
  FillFileTime(entry->LastAccessTime, source.accessed);
  *size = needed;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

const StoredEntry* StoreUrlCache::Upcoming(Search& search) {
  if (search.next >= search.ahead.size() || store_.Writes() != search.writes) {
    search.ahead = store_.Batch(search.lastId, search.newestId, kReadAhead);
    search.next = 0;
    search.writes = store_.Writes();
  }
  return search.next < search.ahead.size() ? &search.ahead[search.next] : nullptr;
}

HANDLE StoreUrlCache::FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                              LPDWORD size) {
  // Only the search of every entry is offered.
  if (pattern != nullptr || size == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto search = std::make_unique<Search>();
  search->newestId = store_.BeginWalk();
  const StoredEntry* first = Upcoming(*search);
  if (first == nullptr) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return nullptr;
  }
  if (!Fetch(*first, entry, size)) return nullptr;
  search->lastId = first->id;
  ++search->next;
  HANDLE handle = search.get();
  searches_.emplace(handle, std::move(search));
  return handle;
}

BOOL StoreUrlCache::FindNextUrlCacheEntryA(HANDLE handle, INTERNET_CACHE_ENTRY_INFOA* entry,
                                           LPDWORD size) {
  if (handle == nullptr || size == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto live = searches_.find(handle);
  if (live == searches_.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Search& search = *live->second;
  const StoredEntry* next = Upcoming(search);
  if (next == nullptr) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  if (!Fetch(*next, entry, size)) return FALSE;
  search.lastId = next->id;
  ++search.next;
  return TRUE;
}

BOOL StoreUrlCache::FindCloseUrlCache(HANDLE handle) {
  deletions_.Commit();
  if (searches_.erase(handle) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL StoreUrlCache::DeleteUrlCacheEntry(LPCSTR urlName) {
  if (urlName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!deletions_.BeforeDeletion()) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  const auto removed = store_.Remove(urlName);
  if (!removed) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  // Deleting the entry a search just fetched, the usual case, leaves what it read ahead good.
  for (auto& [handle, search] : searches_) {
    if (*removed > search->lastId) search->next = search->ahead.size();
  }
  return TRUE;
}

}  // namespace standin
