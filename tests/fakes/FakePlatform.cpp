#include "fakes/FakePlatform.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/linux/LocalTime.h"

namespace fakes {
namespace {

FakePlatform* current = nullptr;
char shlwapiModule;
char shell32Module;

std::string Text(LPCSTR text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}

std::string Count(LPDWORD size) {
  return size == nullptr ? "null" : std::to_string(*size);
}

HMODULE ShlwapiModule() {
  return reinterpret_cast<HMODULE>(&shlwapiModule);
}

HMODULE Shell32Module() {
  return reinterpret_cast<HMODULE>(&shell32Module);
}

}  // namespace

FakePlatform::FakePlatform() : previous_(current) {
  current = this;
}

FakePlatform::~FakePlatform() {
  current = previous_;
  for (const auto& [block, size] : blocks_) std::free(const_cast<void*>(block));
}

FakePlatform& FakePlatform::Current() {
  if (current == nullptr) throw std::logic_error("no FakePlatform installed");
  return *current;
}

std::vector<std::string> FakePlatform::CallsOf(const std::string& name) const {
  std::vector<std::string> matching;
  for (const std::string& call : calls) {
    if (call.compare(0, name.size() + 1, name + "(") == 0) matching.push_back(call);
  }
  return matching;
}

void FakePlatform::Log(std::string call) {
  calls.push_back(std::move(call));
  if (onCall) onCall(calls.back());
}

std::string FakePlatform::Pointer(const void* pointer) const {
  if (pointer == nullptr) return "null";
  const auto block = blocks_.find(pointer);
  return block == blocks_.end() ? "ptr" : "buf" + std::to_string(block->second);
}

std::string FakePlatform::Handle(HANDLE search) const {
  if (search == nullptr) return "null";
  const auto found = searches_.find(search);
  return found == searches_.end() ? "bad" : "h" + std::to_string(found->second.id);
}

DWORD FakePlatform::GetLastError() {
  Log("GetLastError()");
  return lastError_;
}

void FakePlatform::SetLastError(DWORD code) {
  lastError_ = code;
}

HLOCAL FakePlatform::LocalAlloc(UINT flags, SIZE_T bytes) {
  Log("LocalAlloc(" + std::to_string(flags) + ", " + std::to_string(bytes) + ")");
  if (++allocations_ == failAllocation) {
    lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  // Garbage, not zeros: code that reads what it never wrote shows up.
  std::memset(block, 0xA5, bytes);
  blocks_[block] = bytes;
  return block;
}

HLOCAL FakePlatform::LocalFree(HLOCAL block) {
  Log("LocalFree(" + Pointer(block) + ")");
  if (blocks_.erase(block) == 0) throw std::logic_error("LocalFree of a block never allocated");
  std::free(block);
  return nullptr;
}

HMODULE FakePlatform::LoadLibraryA(LPCSTR fileName) {
  Log("LoadLibraryA(" + Text(fileName) + ")");
  if (fileName != nullptr && strcasecmp(fileName, "shell32.dll") == 0 && shell32Loads) {
    return Shell32Module();
  }
  if (fileName == nullptr || strcasecmp(fileName, "shlwapi.dll") != 0) {
    lastError_ = ERROR_MOD_NOT_FOUND;
    return nullptr;
  }
  if (shlwapiHandle) return reinterpret_cast<HMODULE>(*shlwapiHandle);
  return ShlwapiModule();
}

FARPROC FakePlatform::GetProcAddress(HMODULE module, LPCSTR procName) {
  Log("GetProcAddress(" + ModuleName(module) + ", " + Text(procName) + ")");
  if (module == Shell32Module() && exportsEmptyRecycleBin && procName != nullptr &&
      std::strcmp(procName, "SHEmptyRecycleBinA") == 0) {
    return reinterpret_cast<FARPROC>(&FakePlatform::EmptyRecycleBin);
  }
  if (module == ShlwapiModule() && exportsDllGetVersion && procName != nullptr &&
      std::strcmp(procName, "DllGetVersion") == 0) {
    return reinterpret_cast<FARPROC>(&FakePlatform::DllGetVersion);
  }
  lastError_ = ERROR_PROC_NOT_FOUND;
  return nullptr;
}

BOOL FakePlatform::FreeLibrary(HMODULE module) {
  Log("FreeLibrary(" + ModuleName(module) + ")");
  return module == ShlwapiModule() || module == Shell32Module() ? TRUE : FALSE;
}

std::string FakePlatform::ModuleName(HMODULE module) const {
  if (module == ShlwapiModule()) return "shlwapi";
  return module == Shell32Module() ? "shell32" : "module";
}

HRESULT FakePlatform::DllGetVersion(DLLVERSIONINFO* info) {
  FakePlatform& fake = Current();
  fake.Log("DllGetVersion(cbSize " + std::to_string(info->cbSize) + ", major " +
           std::to_string(info->dwMajorVersion) + ")");
  // Fills the record even when it then reports failure, as a misbehaving library may.
  info->dwMajorVersion = fake.shellMajorVersion;
  info->dwMinorVersion = 0;
  return fake.dllGetVersionResult;
}

BOOL FakePlatform::FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  Log("FileTimeToLocalFileTime()");
  if (localConversionFails) return FALSE;
  const std::uint64_t ticks =
      ((static_cast<std::uint64_t>(utc->dwHighDateTime) << 32) | utc->dwLowDateTime) +
      static_cast<std::uint64_t>(utcOffsetSeconds * 10'000'000);
  local->dwLowDateTime = static_cast<DWORD>(ticks);
  local->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return TRUE;
}

BOOL FakePlatform::FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) {
  Log("FileTimeToDosDateTime()");
  return standin::LocalTime().FileTimeToDosDateTime(time, dosDate, dosTime);
}

void FakePlatform::GetLocalTime(SYSTEMTIME* clock) {
  Log("GetLocalTime()");
  *clock = now;
}

std::string FakePlatform::CollationKey(const std::string& text) {
  std::string key;
  for (const char c : text) key.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
  key.push_back('\x01');
  for (const char c : text) key.push_back(c >= 'A' && c <= 'Z' ? '2' : '1');
  return key;
}

int FakePlatform::CompareStringA(LCID locale, DWORD flags, LPCSTR text1, int length1, LPCSTR text2,
                                 int length2) {
  const std::string a = length1 < 0 ? text1 : std::string(text1, static_cast<std::size_t>(length1));
  const std::string b = length2 < 0 ? text2 : std::string(text2, static_cast<std::size_t>(length2));
  Log("CompareStringA(" + std::to_string(locale) + ", " + std::to_string(flags) + ", " +
      Text(a.c_str()) + ", " + std::to_string(length1) + ", " + Text(b.c_str()) + ", " +
      std::to_string(length2) + ")");
  const int order = CollationKey(a).compare(CollationKey(b));
  return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

int FakePlatform::LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceLength,
                               LPSTR destination, int destinationSize) {
  const std::string text =
      sourceLength < 0 ? source : std::string(source, static_cast<std::size_t>(sourceLength));
  Log("LCMapStringA(" + std::to_string(locale) + ", " + std::to_string(flags) + ", " +
      Text(text.c_str()) + ", " + std::to_string(destinationSize) + ")");
  const std::string key = CollationKey(text);
  const int needed = static_cast<int>(key.size()) + 1;
  if (destinationSize == 0) return needed;
  if (destinationSize < needed) {
    lastError_ = ERROR_INSUFFICIENT_BUFFER;
    return 0;
  }
  std::memcpy(destination, key.c_str(), static_cast<std::size_t>(needed));
  return needed;
}

DWORD FakePlatform::BytesNeeded(const FakeCacheEntry& entry) const {
  DWORD bytes = static_cast<DWORD>(sizeof(INTERNET_CACHE_ENTRY_INFOA) + entry.url.size() + 1);
  if (grown_.count(entry.url) != 0) bytes += growsBeforeFetch.at(entry.url);
  return bytes;
}

BOOL FakePlatform::Fetch(std::size_t index, INTERNET_CACHE_ENTRY_INFOA* entry, LPDWORD size) {
  const FakeCacheEntry& source = cache[index];
  const DWORD needed = BytesNeeded(source);
  if (entry == nullptr || *size < needed) {
    *size = needed;
    lastError_ = ERROR_INSUFFICIENT_BUFFER;
    // The size query is what an entry that is about to grow answers with its old size.
    if (growsBeforeFetch.count(source.url) != 0) grown_.insert(source.url);
    return FALSE;
  }
  std::memset(entry, 0, sizeof(*entry));
  char* name = reinterpret_cast<char*>(entry + 1);
  std::memcpy(name, source.url.c_str(), source.url.size() + 1);
  entry->dwStructSize = sizeof(*entry);
  entry->lpszSourceUrlName = name;
  entry->CacheEntryType = source.type;
  entry->dwHitRate = source.hits;
  entry->LastModifiedTime = {static_cast<DWORD>(source.modified),
                             static_cast<DWORD>(source.modified >> 32)};
  entry->ExpireTime = {static_cast<DWORD>(source.expires),
                       static_cast<DWORD>(source.expires >> 32)};
  *size = needed;
  lastError_ = ERROR_SUCCESS;
  return TRUE;
}

HANDLE FakePlatform::FindFirstUrlCacheEntryA(LPCSTR pattern, INTERNET_CACHE_ENTRY_INFOA* entry,
                                             LPDWORD size) {
  Log("FindFirstUrlCacheEntryA(" + Text(pattern) + ", " + Pointer(entry) + ", " + Count(size) +
      ")");
  if (cache.empty()) {
    lastError_ = ERROR_NO_MORE_ITEMS;
    return nullptr;
  }
  if (!Fetch(0, entry, size)) return nullptr;
  const int id = nextSearchId_++;
  HANDLE handle = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x1000 + id));
  searches_[handle] = Search{id, 1, cache.size()};
  return handle;
}

BOOL FakePlatform::FindNextUrlCacheEntryA(HANDLE search, INTERNET_CACHE_ENTRY_INFOA* entry,
                                          LPDWORD size) {
  Log("FindNextUrlCacheEntryA(" + Handle(search) + ", " + Pointer(entry) + ", " + Count(size) +
      ")");
  if (entry == nullptr) {
    const int query = ++sizeQueries_;
    std::optional<DWORD> forced = everySizeQueryFails;
    if (const auto fails = sizeQueryFails.find(query); fails != sizeQueryFails.end()) {
      forced = fails->second;
    }
    if (forced) {
      lastError_ = *forced;
      return FALSE;
    }
  }
  const auto found = searches_.find(search);
  if (found == searches_.end()) {
    lastError_ = search == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE;
    return FALSE;
  }
  // Entries deleted since the search started are skipped, and those added since wait for the
  // next search, as in the store.
  Search& cursor = found->second;
  if (cursor.next >= cursor.end) {
    lastError_ = ERROR_NO_MORE_ITEMS;
    return FALSE;
  }
  if (!Fetch(cursor.next, entry, size)) return FALSE;
  ++cursor.next;
  return TRUE;
}

BOOL FakePlatform::FindCloseUrlCache(HANDLE search) {
  Log("FindCloseUrlCache(" + Handle(search) + ")");
  if (searches_.erase(search) == 0) {
    lastError_ = ERROR_INVALID_HANDLE;
    return FALSE;
  }
  return TRUE;
}

BOOL FakePlatform::DeleteUrlCacheEntry(LPCSTR urlName) {
  Log("DeleteUrlCacheEntry(" + Text(urlName) + ")");
  if (urlName == nullptr || undeletable.count(urlName) != 0) {
    lastError_ = ERROR_ACCESS_DENIED;
    return FALSE;
  }
  for (std::size_t i = 0; i < cache.size(); ++i) {
    if (cache[i].url != urlName) continue;
    cache.erase(cache.begin() + static_cast<std::ptrdiff_t>(i));
    // Searches past the deleted entry keep their place.
    for (auto& [handle, cursor] : searches_) {
      if (cursor.next > i) --cursor.next;
      if (cursor.end > i) --cursor.end;
    }
    return TRUE;
  }
  lastError_ = ERROR_FILE_NOT_FOUND;
  return FALSE;
}

int FakePlatform::MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  Log("MessageBoxA(" + Text(text) + ", " + Text(caption) + ", " + std::to_string(type) + ")");
  messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
  return IDOK;
}

}  // namespace fakes

namespace fakes {
namespace {

constexpr std::uintptr_t kFirstWindow = 0x10001;

bool SameName(const std::string& name, LPCSTR wanted) {
  return wanted == nullptr || strcasecmp(name.c_str(), wanted) == 0;
}

}  // namespace

HWND FakePlatform::AddWindow(FakeWindow window) {
  windows_.push_back(Window{std::move(window), 0, false, {}});
  return reinterpret_cast<HWND>(kFirstWindow + windows_.size() - 1);
}

void FakePlatform::CloseWindow(HWND window) {
  if (Window* found = Find(window)) found->closed = true;
}

std::string FakePlatform::TextOf(HWND window) const {
  const auto index = reinterpret_cast<std::uintptr_t>(window) - kFirstWindow;
  return index < windows_.size() ? windows_[index].text : std::string();
}

FakePlatform::Window* FakePlatform::Find(HWND window) {
  const auto index = reinterpret_cast<std::uintptr_t>(window) - kFirstWindow;
  if (index >= windows_.size() || windows_[index].closed) return nullptr;
  return &windows_[index];
}

std::string FakePlatform::WindowName(HWND window) const {
  if (window == nullptr) return "null";
  const auto index = reinterpret_cast<std::uintptr_t>(window) - kFirstWindow;
  return index < windows_.size() ? "w" + std::to_string(index + 1) : "bad";
}

BOOL FakePlatform::MessageBeep(UINT type) {
  Log("MessageBeep(" + std::to_string(type) + ")");
  return TRUE;
}

void FakePlatform::DispatchPendingMessages() {
  Log("DispatchPendingMessages()");
}

HWND FakePlatform::FindWindowA(LPCSTR className, LPCSTR windowName) {
  Log("FindWindowA(" + Text(className) + ", " + Text(windowName) + ")");
  HWND result = nullptr;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    Window& window = windows_[i];
    if (window.shape.parent != nullptr || !SameName(window.shape.className, className) ||
        !SameName(window.shape.title, windowName)) {
      continue;
    }
    const int search = ++window.searches;
    const bool shown = !window.closed && search >= window.shape.foundFromSearch &&
                       (window.shape.goneFromSearch == 0 || search < window.shape.goneFromSearch);
    if (shown && result == nullptr) result = reinterpret_cast<HWND>(kFirstWindow + i);
  }
  return result;
}

HWND FakePlatform::FindWindowExA(HWND parent, HWND childAfter, LPCSTR className,
                                 LPCSTR windowName) {
  Log("FindWindowExA(" + WindowName(parent) + ", " + WindowName(childAfter) + ", " +
      Text(className) + ", " + Text(windowName) + ")");
  if (parent != nullptr && Find(parent) == nullptr) return nullptr;
  bool past = childAfter == nullptr;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    const HWND handle = reinterpret_cast<HWND>(kFirstWindow + i);
    if (!past) {
      past = handle == childAfter;
      continue;
    }
    const Window& window = windows_[i];
    if (!window.closed && window.shape.parent == parent &&
        SameName(window.shape.className, className) && SameName(window.shape.title, windowName)) {
      return handle;
    }
  }
  return nullptr;
}

int FakePlatform::GetDlgCtrlID(HWND window) {
  Log("GetDlgCtrlID(" + WindowName(window) + ")");
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->shape.controlId;
}

BOOL FakePlatform::PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Log("PostMessageA(" + WindowName(window) + ", " + std::to_string(message) + ", " +
      std::to_string(wParam) + ", " + std::to_string(lParam) + ")");
  if (Find(window) == nullptr) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return FALSE;
  }
  posted.push_back({window, message, wParam, lParam});
  return TRUE;
}

LRESULT FakePlatform::SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool setsText = message == WM_SETTEXT;
  Log("SendMessageA(" + WindowName(window) + ", " + std::to_string(message) + ", " +
      std::to_string(wParam) + ", " +
      (setsText ? Text(reinterpret_cast<LPCSTR>(lParam)) : std::to_string(lParam)) + ")");
  Window* found = Find(window);
  if (found == nullptr) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  if (!setsText) return 0;
  found->text = lParam == 0 ? "" : reinterpret_cast<LPCSTR>(lParam);
  return TRUE;
}

UINT FakePlatform::WinExec(LPCSTR commandLine, UINT show) {
  Log("WinExec(" + Text(commandLine) + ", " + std::to_string(show) + ")");
  return winExecResult;
}

void FakePlatform::Sleep(DWORD milliseconds) {
  Log("Sleep(" + std::to_string(milliseconds) + ")");
  slept += milliseconds;
}

}  // namespace fakes
