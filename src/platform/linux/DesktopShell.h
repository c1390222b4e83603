#pragma once

#include "platform/Shell.h"

namespace standin {

// The shell over the desktop's own stores: the recent documents list is
// UserDataHome()/recently-used.xbel, and the recycle bin is every trash directory of the user
// (FindTrashDirectories over MountedDrives()). It never asks, shows progress or plays a sound,
// whatever the flags say.
class DesktopShell final : public platform::Shell {
 public:
  // Only clearing is offered: a document path is ignored.
  void SHAddToRecentDocs(UINT flags, LPCVOID path) override;
  // S_OK when every trash was emptied whole, E_FAIL when something stayed, E_INVALIDARG for a
  // root path that does not exist.
  HRESULT SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags) override;
};

}  // namespace standin
