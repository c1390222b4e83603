// The fake's registry calls: keys opened by exact path, values enumerated in seeded order.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fakes/FakePlatform.h"

namespace fakes {
namespace {

std::string Quoted(LPCSTR text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

LONG Code(DWORD code) {
  return static_cast<LONG>(code);
}

}  // namespace

std::string FakePlatform::KeyName(HKEY key) const {
  if (key == HKEY_CURRENT_USER) return "HKCU";
  const auto found = openKeys_.find(key);
  return found == openKeys_.end() ? "bad" : "hk" + std::to_string(found->second.id);
}

const std::string* FakePlatform::OpenKeyPath(HKEY key) const {
  const auto found = openKeys_.find(key);
  return found == openKeys_.end() ? nullptr : &found->second.path;
}

LONG FakePlatform::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired,
                                 PHKEY result) {
  Log("RegOpenKeyExA(" + KeyName(key) + ", " + Quoted(subKey) + ", " + std::to_string(options) +
      ", " + Hex(desired) + ")");
  if (key != HKEY_CURRENT_USER || subKey == nullptr || result == nullptr) {
    return Code(ERROR_INVALID_PARAMETER);
  }
  if (registry.keys.count(subKey) == 0) return Code(ERROR_FILE_NOT_FOUND);
  if (const auto fails = registry.openFails.find(subKey); fails != registry.openFails.end()) {
    return Code(fails->second);
  }
  const int id = nextKeyId_++;
  *result = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x2000 + id));
  openKeys_[*result] = OpenKey{id, subKey};
  return Code(ERROR_SUCCESS);
}

LONG FakePlatform::RegQueryInfoKeyA(HKEY key, LPSTR /*className*/, LPDWORD /*classLength*/,
                                    LPDWORD /*reserved*/, LPDWORD subKeys,
                                    LPDWORD /*maxSubKeyLength*/, LPDWORD /*maxClassLength*/,
                                    LPDWORD values, LPDWORD maxValueNameLength,
                                    LPDWORD /*maxValueLength*/,
                                    LPDWORD /*securityDescriptorLength*/,
                                    FILETIME* /*lastWriteTime*/) {
  Log("RegQueryInfoKeyA(" + KeyName(key) + ")");
  const std::string* path = OpenKeyPath(key);
  if (path == nullptr) return Code(ERROR_INVALID_HANDLE);
  if (registry.queryFails) return Code(ERROR_ACCESS_DENIED);
  const std::vector<std::string>& names = registry.keys.at(*path);
  std::size_t longest = 0;
  for (const std::string& name : names) longest = std::max(longest, name.size());
  DWORD children = 0;
  for (const auto& [other, ignored] : registry.keys) {
    if (other.size() > path->size() + 1 && other.compare(0, path->size() + 1, *path + "\\") == 0 &&
        other.find('\\', path->size() + 1) == std::string::npos) {
      ++children;
    }
  }
  if (subKeys != nullptr) *subKeys = children;
  if (values != nullptr) *values = static_cast<DWORD>(names.size());
  if (maxValueNameLength != nullptr) *maxValueNameLength = static_cast<DWORD>(longest);
  return Code(ERROR_SUCCESS);
}

LONG FakePlatform::RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength,
                                 LPDWORD /*reserved*/, LPDWORD /*type*/, LPBYTE /*data*/,
                                 LPDWORD /*dataLength*/) {
  Log("RegEnumValueA(" + KeyName(key) + ", " + std::to_string(index) + ", " +
      (nameLength == nullptr ? "null" : std::to_string(*nameLength)) + ")");
  const std::string* path = OpenKeyPath(key);
  if (path == nullptr) return Code(ERROR_INVALID_HANDLE);
  const std::vector<std::string>& names = registry.keys.at(*path);
  if (index >= names.size()) return Code(ERROR_NO_MORE_ITEMS);
  const std::string& value = names[index];
  if (name == nullptr || nameLength == nullptr || value.size() >= *nameLength ||
      registry.enumerationFails.count(value) != 0) {
    return Code(ERROR_MORE_DATA);
  }
  std::memcpy(name, value.c_str(), value.size() + 1);
  *nameLength = static_cast<DWORD>(value.size());
  return Code(ERROR_SUCCESS);
}

LONG FakePlatform::RegDeleteValueA(HKEY key, LPCSTR valueName) {
  Log("RegDeleteValueA(" + KeyName(key) + ", " + Quoted(valueName) + ")");
  const std::string* path = OpenKeyPath(key);
  if (path == nullptr) return Code(ERROR_INVALID_HANDLE);
  const std::string wanted = valueName == nullptr ? "" : valueName;
  if (registry.undeletable.count(wanted) != 0) return Code(ERROR_ACCESS_DENIED);
  std::vector<std::string>& names = registry.keys.at(*path);
  for (auto value = names.begin(); value != names.end(); ++value) {
    if (*value == wanted) {
      names.erase(value);
      return Code(ERROR_SUCCESS);
    }
  }
  return Code(ERROR_FILE_NOT_FOUND);
}

LONG FakePlatform::RegCloseKey(HKEY key) {
  Log("RegCloseKey(" + KeyName(key) + ")");
  return openKeys_.erase(key) == 0 ? Code(ERROR_INVALID_HANDLE) : Code(ERROR_SUCCESS);
}

}  // namespace fakes
