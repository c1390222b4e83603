// The fake's shell calls: recorded, and doing nothing else.

#include "fakes/FakePlatform.h"

namespace fakes {

void FakePlatform::SHAddToRecentDocs(UINT flags, LPCVOID path) {
  Log("SHAddToRecentDocs(" + std::to_string(flags) + ", " + (path == nullptr ? "null" : "ptr") +
      ")");
}

HRESULT FakePlatform::SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags) {
  Log("SHEmptyRecycleBinA(" + std::string(owner == nullptr ? "null" : "hwnd") + ", " +
      (rootPath == nullptr ? "null" : '"' + std::string(rootPath) + '"') + ", " +
      std::to_string(flags) + ")");
  emptyRecycleBinOwners.push_back(owner);
  return S_OK;
}

HRESULT FakePlatform::EmptyRecycleBin(HWND owner, LPCSTR rootPath, DWORD flags) {
  return Current().SHEmptyRecycleBinA(owner, rootPath, flags);
}

}  // namespace fakes
