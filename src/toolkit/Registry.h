#pragma once
// The toolkit's registry object: one current key under a root key, opened with the access it
// asks for and closed when it goes.

#include <string>

#include "platform/Registry.h"
#include "toolkit/StringList.h"

namespace toolkit {

class TRegistry {
 public:
  // Root HKEY_CURRENT_USER, access KEY_ALL_ACCESS, no key open.
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Closes the current key first.
  void SetRootKey(HKEY rootKey);

  // Makes the existing key at `path` under the root the current key; never creates one.
  bool OpenKey(const std::string& path);
  // Closes the current key, if one is open.
  void CloseKey();

  // Fills `names` with the names of the current key's values, in enumeration order. Raises
  // EOutOfMemory when the name buffer cannot be had.
  void GetValueNames(TStringList& names) const;
  bool DeleteValue(const std::string& name) const;

 private:
  HKEY rootKey_ = HKEY_CURRENT_USER;
  REGSAM access_ = KEY_ALL_ACCESS;
  HKEY currentKey_ = nullptr;
};

}  // namespace toolkit
