#pragma once
// The current user's registry: opening keys without creating them, listing and deleting their
// values, closing them.

#include <cstdint>

#include "platform/Installed.h"
#include "platform/WinTypes.h"

using HKEY = struct HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LPBYTE = BYTE*;

// The predefined root of the current user's keys; always open, never closed.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;

namespace platform {

// Every call answers ERROR_SUCCESS (0) or an error code; none sets the last-error code.
class Registry : public Service {
 public:
  // Opens an existing subkey of `key` (null or "" opens `key` again); never creates one.
  virtual LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired,
                             PHKEY result) = 0;
  // Counts and longest lengths of a key's subkeys and values; lengths in characters without
  // the final NUL. Every out pointer may be null.
  virtual LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classLength, LPDWORD reserved,
                                LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) = 0;
  // The name (and, where asked, type and data) of the value at `index` in enumeration order.
  // *nameLength is the buffer's size in characters on entry and the name's length on success;
  // ERROR_MORE_DATA when the name does not fit, ERROR_NO_MORE_ITEMS past the last value.
  virtual LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength,
                             LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataLength) = 0;
  // Deletes the named value (null or "": the default value) of an open key.
  virtual LONG RegDeleteValueA(HKEY key, LPCSTR valueName) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;
};

}  // namespace platform

inline LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  return platform::Installed<platform::Registry>::Get().RegOpenKeyExA(key, subKey, options, desired,
                                                                      result);
}
inline LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classLength, LPDWORD reserved,
                             LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                             LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                             LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) {
  return platform::Installed<platform::Registry>::Get().RegQueryInfoKeyA(
      key, className, classLength, reserved, subKeys, maxSubKeyLength, maxClassLength, values,
      maxValueNameLength, maxValueLength, securityDescriptorLength, lastWriteTime);
}
inline LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                          LPDWORD type, LPBYTE data, LPDWORD dataLength) {
  return platform::Installed<platform::Registry>::Get().RegEnumValueA(
      key, index, name, nameLength, reserved, type, data, dataLength);
}
inline LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
  return platform::Installed<platform::Registry>::Get().RegDeleteValueA(key, valueName);
}
inline LONG RegCloseKey(HKEY key) {
  return platform::Installed<platform::Registry>::Get().RegCloseKey(key);
}
