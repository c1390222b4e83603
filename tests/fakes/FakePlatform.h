#pragma once
// A scriptable, recording stand-in for every platform service, installed for its lifetime.
// It keeps seeded state, a log of every call with its arguments, and the faults to inject.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeRegistry.h"
#include "platform/Errors.h"
#include "platform/Locale.h"
#include "platform/Memory.h"
#include "platform/Modules.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Time.h"
#include "platform/UrlCache.h"
#include "platform/WindowMessaging.h"
#include "platform/Windowing.h"

namespace fakes {

struct FakeCacheEntry {
  std::string url;
  DWORD type = COOKIE_CACHE_ENTRY;
  DWORD hits = 0;
  std::uint64_t modified = 0;
  std::uint64_t expires = 0;
};

// A window of another program, as the searches see it.
struct FakeWindow {
  std::string className;
  std::string title;
  HWND parent = nullptr;  // null: a top-level window
  int controlId = 0;
  // Top-level windows are found from this FindWindowA search for their class and title on
  // (1-based), and no longer from `goneFromSearch` on (0: never gone).
  int foundFromSearch = 1;
  int goneFromSearch = 0;
};

struct WindowMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

class FakePlatform final : public platform::Errors,
                           public platform::Locale,
                           public platform::Memory,
                           public platform::Modules,
                           public platform::Time,
                           public platform::UrlCache,
                           public platform::Windowing,
                           public platform::Registry,
                           public platform::Shell,
                           public platform::WindowMessaging,
                           public platform::Processes {
 public:
  FakePlatform();
  ~FakePlatform() override;

  // Every call so far, as "Name(arg, ...)": null pointers as null, heap blocks as buf<size>,
  // search handles as h1, h2, ..., windows as w1, w2, ... in the order they were added.
  std::vector<std::string> calls;
  // The calls whose name is `name`, in order.
  std::vector<std::string> CallsOf(const std::string& name) const;
  // Runs after each call is logged, before it answers.
  std::function<void(const std::string& call)> onCall;

  // URL cache: the entries in walk order, and its faults.
  std::vector<FakeCacheEntry> cache;
  std::set<std::string> undeletable;
  // Entries that grow by this many bytes between their size query and the fetch.
  std::map<std::string, DWORD> growsBeforeFetch;
  // FindNextUrlCacheEntryA size queries (1-based) that fail with this code instead.
  std::map<int, DWORD> sizeQueryFails;
  // Every FindNextUrlCacheEntryA size query fails with this code.
  std::optional<DWORD> everySizeQueryFails;

  // Heap: the LocalAlloc call (1-based) that finds no memory; 0 for none.
  int failAllocation = 0;
  std::size_t LiveBlocks() const { return blocks_.size(); }

  // Libraries: the handle LoadLibraryA("shlwapi.dll") answers (null or a small value for
  // failure), whether it exports DllGetVersion, and what that reports.
  std::optional<std::uintptr_t> shlwapiHandle;
  bool exportsDllGetVersion = true;
  HRESULT dllGetVersionResult = S_OK;
  DWORD shellMajorVersion = 6;

  // Time: the local clock's offset from UTC, and whether converting to it fails.
  std::int64_t utcOffsetSeconds = 0;
  bool localConversionFails = false;

  // The local clock.
  SYSTEMTIME now{2026, 12, 5, 11, 9, 30, 0, 0};

  // Collation: letters compare without case first, then lower case before upper case, as in
  // many user locales; unlike byte order, "a" < "B" < "b".
  static std::string CollationKey(const std::string& text);

  // Message boxes shown, answered at once with IDOK.
  std::vector<MessageBoxCall> messageBoxes;

  // Registry: keys and values under HKEY_CURRENT_USER, and their faults. Open keys show in
  // the log as hk1, hk2, ...
  FakeRegistry registry;

  // Shell: whether "Shell32.dll" loads and exports SHEmptyRecycleBinA, and the owners that
  // export was called with.
  bool shell32Loads = true;
  bool exportsEmptyRecycleBin = true;
  std::vector<HWND> emptyRecycleBinOwners;
  // Windows of other programs: added in creation order, closed at any time.
  HWND AddWindow(FakeWindow window);
  void CloseWindow(HWND window);
  // The last text WM_SETTEXT gave the window.
  std::string TextOf(HWND window) const;
  std::vector<WindowMessage> posted;
  UINT winExecResult = 33;
  // Milliseconds spent in Sleep: the only clock that moves while the fake runs.
  std::uint64_t slept = 0;

  DWORD GetLastError() override;
  void SetLastError(DWORD code) override;
  HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) override;
  HLOCAL LocalFree(HLOCAL block) override;
  HMODULE LoadLibraryA(LPCSTR fileName) override;
  FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override;
  BOOL FreeLibrary(HMODULE module) override;
  BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) override;
  BOOL FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) override;
  void GetLocalTime(SYSTEMTIME* clock) override;
  int CompareStringA(LCID locale, DWORD flags, LPCSTR text1, int length1, LPCSTR text2,
                     int length2) override;
  int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceLength, LPSTR destination,
                   int destinationSize) override;
  HANDLE FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                 LPDWORD size) override;
  BOOL FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry,
                              LPDWORD size) override;
  BOOL FindCloseUrlCache(HANDLE search) override;
  BOOL DeleteUrlCacheEntry(LPCSTR urlName) override;
  int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) override;
  LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) override;
  LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classLength, LPDWORD reserved,
                        LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                        LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                        LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) override;
  LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                     LPDWORD type, LPBYTE data, LPDWORD dataLength) override;
  LONG RegDeleteValueA(HKEY key, LPCSTR valueName) override;
  LONG RegCloseKey(HKEY key) override;
  void SHAddToRecentDocs(UINT flags, LPCVOID path) override;
  HRESULT SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags) override;
  BOOL MessageBeep(UINT type) override;
  void DispatchPendingMessages() override;
  HWND FindWindowA(LPCSTR className, LPCSTR windowName) override;
  HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) override;
  int GetDlgCtrlID(HWND window) override;
  BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT WinExec(LPCSTR commandLine, UINT show) override;
  void Sleep(DWORD milliseconds) override;

  // The FakePlatform installed now; DllGetVersion reaches it through this.
  static FakePlatform& Current();

 private:
  struct Window {
    FakeWindow shape;
    int searches = 0;
    bool closed = false;
    std::string text;
  };

  struct Search {
    int id;
    std::size_t next;  // index into cache of the next entry to fetch
    std::size_t end;   // and of the first one added after the search began
  };

  void Log(std::string call);
  std::string Pointer(const void* pointer) const;
  std::string Handle(HANDLE search) const;
  std::string WindowName(HWND window) const;
  Window* Find(HWND window);
  DWORD BytesNeeded(const FakeCacheEntry& entry) const;
  BOOL Fetch(std::size_t index, INTERNET_CACHE_ENTRY_INFOA* entry, LPDWORD size);
  static HRESULT DllGetVersion(DLLVERSIONINFO* info);
  static HRESULT EmptyRecycleBin(HWND owner, LPCSTR rootPath, DWORD flags);
  std::string ModuleName(HMODULE module) const;
  std::string KeyName(HKEY key) const;
  // The path of an open key; null for an unknown handle.
  const std::string* OpenKeyPath(HKEY key) const;

  DWORD lastError_ = ERROR_SUCCESS;
  std::map<const void*, SIZE_T> blocks_;
  int allocations_ = 0;
  std::map<HANDLE, Search> searches_;
  int nextSearchId_ = 1;
  int sizeQueries_ = 0;
  std::set<std::string> grown_;
  struct OpenKey {
    int id;
    std::string path;
  };
  std::map<HKEY, OpenKey> openKeys_;
  int nextKeyId_ = 1;
  std::vector<Window> windows_;
  FakePlatform* previous_;
  platform::Installed<platform::Errors> installedErrors_{*this};
  platform::Installed<platform::Locale> installedLocale_{*this};
  platform::Installed<platform::Memory> installedMemory_{*this};
  platform::Installed<platform::Modules> installedModules_{*this};
  platform::Installed<platform::Time> installedTime_{*this};
  platform::Installed<platform::UrlCache> installedUrlCache_{*this};
  platform::Installed<platform::Windowing> installedWindowing_{*this};
  platform::Installed<platform::Registry> installedRegistry_{*this};
  platform::Installed<platform::Shell> installedShell_{*this};
  platform::Installed<platform::WindowMessaging> installedWindowMessaging_{*this};
  platform::Installed<platform::Processes> installedProcesses_{*this};
};

}  // namespace fakes
