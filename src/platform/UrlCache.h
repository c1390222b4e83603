#pragma once
// The current user's URL cache: enumerating its entries and deleting them by URL name.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

inline constexpr DWORD NORMAL_CACHE_ENTRY = 0x00000001;
inline constexpr DWORD COOKIE_CACHE_ENTRY = 0x00100000;
inline constexpr DWORD URLHISTORY_CACHE_ENTRY = 0x00200000;

// One cache entry; the strings it points to follow it in the caller's buffer.
struct INTERNET_CACHE_ENTRY_INFOA {
  DWORD dwStructSize;
  LPSTR lpszSourceUrlName;
  LPSTR lpszLocalFileName;
  DWORD CacheEntryType;
  DWORD dwUseCount;
  DWORD dwHitRate;
  DWORD dwSizeLow;
  DWORD dwSizeHigh;
  FILETIME LastModifiedTime;
  FILETIME ExpireTime;
  FILETIME LastAccessTime;
  FILETIME LastSyncTime;
  LPSTR lpHeaderInfo;
  DWORD dwHeaderInfoSize;
  LPSTR lpszFileExtension;
  DWORD dwExemptDelta;
};

namespace platform {

class UrlCache : public Service {
 public:
  // Starts a search and fetches its first entry. Null on failure: with
  // ERROR_INSUFFICIENT_BUFFER and *size set to the bytes needed when the buffer is missing or
  // too small, with ERROR_NO_MORE_ITEMS when the cache is empty.
  virtual HANDLE FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                         LPDWORD size) = 0;
  // Fetches the next entry of a search; FALSE with the codes above, or with
  // ERROR_INVALID_PARAMETER for a null handle.
  virtual BOOL FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry,
                                      LPDWORD size) = 0;
  // Ends a search; a null handle is accepted and reported as FALSE.
  virtual BOOL FindCloseUrlCache(HANDLE search) = 0;
  // Removes the entry with exactly this URL name.
  virtual BOOL DeleteUrlCacheEntry(LPCSTR urlName) = 0;
};

}  // namespace platform

inline HANDLE FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                      LPDWORD size) {
  return platform::Installed<platform::UrlCache>::Get().FindFirstUrlCacheEntryA(pattern, entry,
                                                                                size);
}
inline BOOL FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry, LPDWORD size) {
  return platform::Installed<platform::UrlCache>::Get().FindNextUrlCacheEntryA(search, entry, size);
}
inline BOOL FindCloseUrlCache(HANDLE search) {
  return platform::Installed<platform::UrlCache>::Get().FindCloseUrlCache(search);
}
inline BOOL DeleteUrlCacheEntry(LPCSTR urlName) {
  return platform::Installed<platform::UrlCache>::Get().DeleteUrlCacheEntry(urlName);
}
