#include "platform/linux/LocalModules.h"

#include <strings.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/Errors.h"
#include "platform/Shell.h"

namespace standin {
namespace {

struct Export {
  const char* name;
  FARPROC address;
};

struct Library {
  const char* fileName;
  std::array<Export, 1> exports;
};

HRESULT ShellDllGetVersion(DLLVERSIONINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
  unsigned major = 6;
  unsigned minor = 0;
  if (const char* version = std::getenv("STANDIN_SHELL_VERSION"); version != nullptr) {
    std::sscanf(version, "%u.%u", &major, &minor);
  }
  info->dwMajorVersion = major;
  info->dwMinorVersion = minor;
  info->dwBuildNumber = 0;
  info->dwPlatformID = 2;  // the NT family
  return S_OK;
}

HRESULT EmptyRecycleBin(HWND owner, LPCSTR rootPath, DWORD flags) {
  return platform::Installed<platform::Shell>::Get().SHEmptyRecycleBinA(owner, rootPath, flags);
}

// The handles are the addresses of these records, so they are never 32 or less.
const std::array<Library, 2> kLibraries{{
    {"shlwapi.dll", {{{"DllGetVersion", reinterpret_cast<FARPROC>(&ShellDllGetVersion)}}}},
    {"shell32.dll", {{{"SHEmptyRecycleBinA", reinterpret_cast<FARPROC>(&EmptyRecycleBin)}}}},
}};

const Library* Find(HMODULE module) {
  for (const Library& library : kLibraries) {
    if (reinterpret_cast<HMODULE>(const_cast<Library*>(&library)) == module) return &library;
  }
  return nullptr;
}

}  // namespace

HMODULE LocalModules::LoadLibraryA(LPCSTR fileName) {
  if (fileName != nullptr) {
    for (const Library& library : kLibraries) {
      if (strcasecmp(library.fileName, fileName) == 0) {
        return reinterpret_cast<HMODULE>(const_cast<Library*>(&library));
      }
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

FARPROC LocalModules::GetProcAddress(HMODULE module, LPCSTR procName) {
  const Library* library = Find(module);
  if (library == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (procName != nullptr) {
    for (const Export& entry : library->exports) {
      if (std::string_view(entry.name) == procName) return entry.address;
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL LocalModules::FreeLibrary(HMODULE module) {
  if (Find(module) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // namespace standin
