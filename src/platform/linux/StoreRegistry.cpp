#include "platform/linux/StoreRegistry.h"

#include <algorithm>
#include <cstring>

namespace standin {
namespace {

LONG Code(DWORD code) {
  return static_cast<LONG>(code);
}

void Put(LPDWORD target, std::size_t value) {
  if (target != nullptr) *target = static_cast<DWORD>(value);
}

}  // namespace

StoreRegistry::StoreRegistry(std::filesystem::path file) : store_(std::move(file)) {}

StoreRegistry::~StoreRegistry() = default;

StoreRegistry::OpenKey* StoreRegistry::Find(HKEY key) {
  if (key == HKEY_CURRENT_USER) return &root_;
  const auto found = open_.find(key);
  return found == open_.end() ? nullptr : found->second.get();
}

LONG StoreRegistry::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired,
                                  PHKEY result) {
  if (result == nullptr || options != 0) return Code(ERROR_INVALID_PARAMETER);
  const OpenKey* parent = Find(key);
  if (parent == nullptr) return Code(ERROR_INVALID_HANDLE);
  std::string path = parent->path;
  if (subKey != nullptr && subKey[0] != '\0') {
    if (!path.empty()) path += '\\';
    path += subKey;
  }
  std::optional<RegistryStore::KeyId> id = parent->id;
  if (path != parent->path) id = store_.FindKey(path);
  if (!id) return Code(ERROR_FILE_NOT_FOUND);
  auto open = std::make_unique<OpenKey>(OpenKey{*id, std::move(path), desired, {}, false});
  *result = reinterpret_cast<HKEY>(open.get());
  open_.emplace(*result, std::move(open));
  return Code(ERROR_SUCCESS);
}

LONG StoreRegistry::RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classLength,
                                     LPDWORD reserved, LPDWORD subKeys, LPDWORD maxSubKeyLength,
                                     LPDWORD maxClassLength, LPDWORD values,
                                     LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                     LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) {
  const OpenKey* open = Find(key);
  if (open == nullptr) return Code(ERROR_INVALID_HANDLE);
  if (reserved != nullptr) return Code(ERROR_INVALID_PARAMETER);
  if ((open->access & KEY_QUERY_VALUE) == 0) return Code(ERROR_ACCESS_DENIED);
  // Keys have no class here: an empty one.
  if (className != nullptr && classLength != nullptr && *classLength > 0) className[0] = '\0';
  Put(classLength, 0);
  Put(maxClassLength, 0);
  Put(securityDescriptorLength, 0);
  if (lastWriteTime != nullptr) *lastWriteTime = FILETIME{0, 0};
  const std::vector<std::string> children = store_.SubKeys(open->id);
  std::size_t longestChild = 0;
  for (const std::string& child : children) longestChild = std::max(longestChild, child.size());
  Put(subKeys, children.size());
  Put(maxSubKeyLength, longestChild);
  const std::vector<RegistryValue> all = store_.Values(open->id);
  std::size_t longestName = 0;
  std::size_t longestData = 0;
  for (const RegistryValue& value : all) {
    longestName = std::max(longestName, value.name.size());
    longestData = std::max(longestData, value.data.size());
  }
  Put(values, all.size());
  Put(maxValueNameLength, longestName);
  Put(maxValueLength, longestData);
  return Code(ERROR_SUCCESS);
}

LONG StoreRegistry::RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength,
                                  LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataLength) {
  OpenKey* open = Find(key);
  if (open == nullptr) return Code(ERROR_INVALID_HANDLE);
  if (name == nullptr || nameLength == nullptr || reserved != nullptr ||
      (data != nullptr && dataLength == nullptr)) {
    return Code(ERROR_INVALID_PARAMETER);
  }
  if ((open->access & KEY_QUERY_VALUE) == 0) return Code(ERROR_ACCESS_DENIED);
  OpenKey& listing = *open;
  if (index == 0 || !listing.listedValid) {
    listing.listed = store_.Values(listing.id);
    listing.listedValid = true;
  }
  const std::vector<RegistryValue>& all = listing.listed;
  if (index >= all.size()) return Code(ERROR_NO_MORE_ITEMS);
  const RegistryValue& value = all[index];
  // The name and its final NUL must fit; otherwise the buffer is left as it was.
  if (value.name.size() >= *nameLength) return Code(ERROR_MORE_DATA);
  if (data != nullptr && value.data.size() > *dataLength) {
    *dataLength = static_cast<DWORD>(value.data.size());
    return Code(ERROR_MORE_DATA);
  }
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameLength = static_cast<DWORD>(value.name.size());
  if (type != nullptr) *type = value.type;
  if (data != nullptr) std::memcpy(data, value.data.data(), value.data.size());
  Put(dataLength, value.data.size());
  return Code(ERROR_SUCCESS);
}

LONG StoreRegistry::RegDeleteValueA(HKEY key, LPCSTR valueName) {
  OpenKey* open = Find(key);
  if (open == nullptr) return Code(ERROR_INVALID_HANDLE);
  if ((open->access & KEY_SET_VALUE) == 0) return Code(ERROR_ACCESS_DENIED);
  if (!deletions_.BeforeDeletion()) return Code(ERROR_SHARING_VIOLATION);
  open->listedValid = false;
  if (!store_.DeleteValue(open->id, valueName == nullptr ? "" : valueName)) {
    return Code(ERROR_FILE_NOT_FOUND);
  }
  return Code(ERROR_SUCCESS);
}

LONG StoreRegistry::RegCloseKey(HKEY key) {
  deletions_.Commit();
  if (key == HKEY_CURRENT_USER) return Code(ERROR_SUCCESS);
  return open_.erase(key) == 0 ? Code(ERROR_INVALID_HANDLE) : Code(ERROR_SUCCESS);
}

}  // namespace standin
