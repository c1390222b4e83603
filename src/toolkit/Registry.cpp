#include "toolkit/Registry.h"

#include <cstring>

#include "toolkit/HeapBuffer.h"

namespace toolkit {

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

bool TRegistry::OpenKey(const std::string& path) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(rootKey_, path.c_str(), 0, access_, &opened) != ERROR_SUCCESS) return false;
  CloseKey();
  currentKey_ = opened;
  return true;
}

void TRegistry::CloseKey() {
  if (currentKey_ == nullptr) return;
  RegCloseKey(currentKey_);
  currentKey_ = nullptr;
}

void TRegistry::GetValueNames(TStringList& names) const {
  names.Clear();
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(currentKey_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD capacity = longest + 1;
  const HeapBuffer buffer(capacity);
  char* const name = buffer.As<char>();
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = capacity;
    // A failed enumeration leaves the buffer unspecified: only names actually listed count.
    if (RegEnumValueA(currentKey_, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      names.Add(std::string(name, strnlen(name, capacity)));
    }
  }
}

bool TRegistry::DeleteValue(const std::string& name) const {
  return RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace toolkit
