#pragma once
// Loading libraries by name and looking up their exports, and the version record that
// libraries with a DllGetVersion export fill.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

struct DLLVERSIONINFO {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
};
static_assert(sizeof(DLLVERSIONINFO) == 20);

using DLLGETVERSIONPROC = HRESULT (*)(DLLVERSIONINFO* info);

namespace platform {

class Modules : public Service {
 public:
  // A handle to the named library; null (or a value of 32 or less) when it cannot be loaded.
  virtual HMODULE LoadLibraryA(LPCSTR fileName) = 0;
  // The address of the named export, or null.
  virtual FARPROC GetProcAddress(HMODULE module, LPCSTR procName) = 0;
  virtual BOOL FreeLibrary(HMODULE module) = 0;
};

}  // namespace platform

inline HMODULE LoadLibraryA(LPCSTR fileName) {
  return platform::Installed<platform::Modules>::Get().LoadLibraryA(fileName);
}
inline FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  return platform::Installed<platform::Modules>::Get().GetProcAddress(module, procName);
}
inline BOOL FreeLibrary(HMODULE module) {
  return platform::Installed<platform::Modules>::Get().FreeLibrary(module);
}
