#pragma once
// The desktop shell: the list of recently used documents, and the recycle bin, whose emptying
// function is looked up at run time in "Shell32.dll".

#include "platform/Installed.h"
#include "platform/WinTypes.h"

using LPCVOID = const void*;

inline constexpr UINT SHARD_PATHA = 0x00000002;

inline constexpr DWORD SHERB_NOCONFIRMATION = 0x00000001;
inline constexpr DWORD SHERB_NOPROGRESSUI = 0x00000002;
inline constexpr DWORD SHERB_NOSOUND = 0x00000004;

// The "SHEmptyRecycleBinA" export of "Shell32.dll".
using SHEMPTYRECYCLEBINPROC = HRESULT (*)(HWND owner, LPCSTR rootPath, DWORD flags);

namespace platform {

class Shell : public Service {
 public:
  // With SHARD_PATHA and a null path, empties the list of recent documents.
  virtual void SHAddToRecentDocs(UINT flags, LPCVOID path) = 0;
  // Empties the recycle bin of the drive holding `rootPath`, or of every drive when it is
  // null; what the "Shell32.dll" export runs.
  virtual HRESULT SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags) = 0;
};

}  // namespace platform

inline void SHAddToRecentDocs(UINT flags, LPCVOID path) {
  platform::Installed<platform::Shell>::Get().SHAddToRecentDocs(flags, path);
}
