#pragma once

#include "platform/Modules.h"

namespace standin {

// The libraries this platform provides, found by name without regard to letter case:
// "shlwapi.dll" with DllGetVersion, reporting STANDIN_SHELL_VERSION ("major.minor", 6.0
// when unset), and "shell32.dll" with SHEmptyRecycleBinA, run by the installed shell.
class LocalModules final : public platform::Modules {
 public:
  HMODULE LoadLibraryA(LPCSTR fileName) override;
  FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override;
  BOOL FreeLibrary(HMODULE module) override;
};

}  // namespace standin
