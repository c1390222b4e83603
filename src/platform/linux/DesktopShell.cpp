#include "platform/linux/DesktopShell.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/DataDirectory.h"
#include "platform/linux/MountTable.h"
#include "platform/linux/RecentDocuments.h"
#include "platform/linux/TrashDirectories.h"

namespace standin {

void DesktopShell::SHAddToRecentDocs(UINT flags, LPCVOID path) {
  if (flags == SHARD_PATHA && path == nullptr) ClearRecentDocuments(RecentDocumentsFile());
}

HRESULT DesktopShell::SHEmptyRecycleBinA(HWND /*owner*/, LPCSTR rootPath, DWORD /*flags*/) {
  struct stat drive {};
  if (rootPath != nullptr && stat(rootPath, &drive) != 0) return E_INVALIDARG;
  const uid_t user = getuid();
  bool complete = true;
  for (const TrashDirectory& trash : FindTrashDirectories(UserDataHome(), MountedDrives(), user)) {
    struct stat info {};
    // A root path chooses the trashes of its drive only.
    if (rootPath != nullptr && (fstat(trash.fd.Get(), &info) != 0 || info.st_dev != drive.st_dev)) {
      continue;
    }
    if (!EmptyTrashDirectory(trash, user)) complete = false;
  }
  return complete ? S_OK : E_FAIL;
}

}  // namespace standin
