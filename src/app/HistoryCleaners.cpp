// The six clean-ups of the "Programs History" tab: three registry keys emptied of their values,
// the whole URL cache, the recent documents list and the recycle bin.

#include <cstdint>
#include <memory>
#include <optional>

#include "app/LoadedLibrary.h"
#include "app/MainUnit.h"
#include "platform/Shell.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Finally.h"
#include "toolkit/HeapBuffer.h"
#include "toolkit/Registry.h"
#include "toolkit/StringList.h"

using namespace toolkit;

namespace {

// Shared by the three registry clean-ups; each creates both objects at its start and frees
// them at its end, so between runs they are empty.
std::unique_ptr<TRegistry> HistoryRegistry;
std::unique_ptr<TStringList> HistoryValueNames;
std::int32_t HistoryIndex = 0;

constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kMediaPlayerKey = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr const char* kRunHistoryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

// Deletes every value of the key, the last listed first; the key and its subkeys stay. The bar
// runs down from count - 1 to 0.
void ClearRegistryValues(const char* key, TProgressBar& progress) {
  HistoryValueNames = std::make_unique<TStringList>();
  HistoryRegistry = std::make_unique<TRegistry>();
  HistoryRegistry->SetRootKey(HKEY_CURRENT_USER);
  const Finally cleanUp([&progress] {
    HistoryRegistry->CloseKey();
    HistoryRegistry.reset();
    HistoryValueNames.reset();
    progress.SetPosition(0);
  });
  if (HistoryRegistry->OpenKey(key)) HistoryRegistry->GetValueNames(*HistoryValueNames);
  progress.SetMax(HistoryValueNames->Count());
  for (HistoryIndex = HistoryValueNames->Count() - 1; HistoryIndex >= 0; --HistoryIndex) {
    HistoryRegistry->DeleteValue((*HistoryValueNames)[HistoryIndex]);
    progress.SetPosition(HistoryIndex);
  }
}

// A buffer of exactly `size` bytes for the next cache entry, its record size filled in.
INTERNET_CACHE_ENTRY_INFOA* PrepareEntry(std::optional<HeapBuffer>& buffer, DWORD size) {
  buffer.emplace(size);
  auto* entry = buffer->As<INTERNET_CACHE_ENTRY_INFOA>();
  if (entry != nullptr) entry->dwStructSize = size;
  return entry;
}

}  // namespace

void TMainForm::ClearTypedUrls() {
  ClearRegistryValues(kTypedUrlsKey, *ProgressBar);
}

void TMainForm::ClearMediaPlayerHistory() {
  ClearRegistryValues(kMediaPlayerKey, *ProgressBar);
}

void TMainForm::ClearRunHistory() {
  ClearRegistryValues(kRunHistoryKey, *ProgressBar);
}

void TMainForm::ClearUrlCache() {
  HANDLE search = nullptr;
  // Closed once, on every path: an allocation failure in mid-walk leaves no search open.
  const Finally closeSearch([&search] { FindCloseUrlCache(search); });
  std::optional<HeapBuffer> buffer;
  DWORD size = 0;
  FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  INTERNET_CACHE_ENTRY_INFOA* entry = PrepareEntry(buffer, size);
  search = FindFirstUrlCacheEntryA(nullptr, entry, &size);
  if (search == nullptr) return;
  // The entry just fetched goes before the next one is asked for; the first failing fetch,
  // whatever its reason, ends the walk.
  for (bool fetched = entry != nullptr; fetched;) {
    DeleteUrlCacheEntry(entry->lpszSourceUrlName);
    buffer.reset();
    size = 0;
    FindNextUrlCacheEntryA(search, nullptr, &size);
    entry = PrepareEntry(buffer, size);
    fetched = FindNextUrlCacheEntryA(search, entry, &size) && entry != nullptr;
  }
}

void TMainForm::ClearRecycleBin() {
  const HMODULE module = LoadLibraryA("Shell32.dll");
  if (module == nullptr) {
    ShowMessage("Failed to load Shell32.dll.");
    return;
  }
  const LoadedLibrary library(module);
  const auto emptyRecycleBin =
      reinterpret_cast<SHEMPTYRECYCLEBINPROC>(GetProcAddress(library.Get(), "SHEmptyRecycleBinA"));
  if (emptyRecycleBin == nullptr) return;
  // Every drive's bin, with no confirmation, no progress window and no sound.
  emptyRecycleBin(Application->Handle(), nullptr,
                  SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

void TMainForm::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PATHA, nullptr);
}
