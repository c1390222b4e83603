// Store files of any bytes: walking and deleting from the URL cache, and reading the registry,
// never crash and never change the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/TempFolder.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/ThreadErrors.h"

namespace {

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static standin::ThreadErrors errors;
  static platform::Installed<platform::Errors> installed(errors);
  static const fuzz::TempFolder temp("store-fuzz-XXXXXX");
  const std::filesystem::path& folder = temp.Path();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"urlcache.db", "registry.db"}) {
    const auto file = folder / name;
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
    std::ofstream(file, std::ios::binary) << bytes;
  }
  {
    standin::StoreUrlCache cache(folder / "urlcache.db");
    DWORD bufferSize = 0;
    cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &bufferSize);
    std::string buffer(bufferSize, '\0');
    HANDLE search = cache.FindFirstUrlCacheEntryA(
        nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()), &bufferSize);
    for (int i = 0; i < 64 && search != nullptr; ++i) {
      bufferSize = 0;
      if (cache.FindNextUrlCacheEntryA(search, nullptr, &bufferSize)) break;
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
      buffer.assign(bufferSize, '\0');
      auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
      if (!cache.FindNextUrlCacheEntryA(search, entry, &bufferSize)) break;
    }
    cache.FindCloseUrlCache(search);
    cache.DeleteUrlCacheEntry("Cookie:a@b/");
  }
  {
    standin::RegistryStore registry(folder / "registry.db");
    if (const auto key = registry.FindKey("Software\\Microsoft\\Internet Explorer\\TypedURLs")) {
      registry.Values(*key);
      registry.SubKeys(*key);
    }
    registry.CreateKey("Software\\Fuzz");
  }
  // What is not a store of ours is never written to. A real store may gain a row.
  if (bytes.rfind("SQLite format 3", 0) != 0 && Contents(folder / "urlcache.db") != bytes) {
    __builtin_trap();
  }
  return 0;
}
