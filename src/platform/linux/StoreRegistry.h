#pragma once
// The registry calls over the persistent store: HKEY handles for open keys of the current
// user's hive.

#include <memory>
#include <unordered_map>

#include "platform/Registry.h"
#include "platform/linux/DeletionGroups.h"
#include "platform/linux/RegistryStore.h"

namespace standin {

class StoreRegistry final : public platform::Registry {
 public:
  explicit StoreRegistry(std::filesystem::path file);
  ~StoreRegistry() override;

  LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) override;
  LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classLength, LPDWORD reserved,
                        LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                        LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                        LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) override;
  LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                     LPDWORD type, LPBYTE data, LPDWORD dataLength) override;
  LONG RegDeleteValueA(HKEY key, LPCSTR valueName) override;
  LONG RegCloseKey(HKEY key) override;

 private:
  struct OpenKey {
    RegistryStore::KeyId id;
    std::string path;  // under the root, for opening subkeys by path
    REGSAM access;
    // The values as an enumeration from index 0 read them, so that enumerating a key of n
    // values reads it once rather than n times; read again at index 0 and after a deletion.
    std::vector<RegistryValue> listed;
    bool listedValid = false;
  };

  // The open key behind a handle, the predefined root included; null for a stale handle.
  OpenKey* Find(HKEY key);
  RegistryStore store_;
  OpenKey root_{0, "", KEY_ALL_ACCESS, {}, false};
  std::unordered_map<HKEY, std::unique_ptr<OpenKey>> open_;
  // Also committed when a key closes.
  DeletionGroups deletions_{store_};
};

}  // namespace standin
