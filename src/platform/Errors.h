#pragma once
// The calling thread's last-error code.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

namespace platform {

class Errors : public Service {
 public:
  // The code the last failing call of this thread left.
  virtual DWORD GetLastError() = 0;
  virtual void SetLastError(DWORD code) = 0;
};

}  // namespace platform

inline DWORD GetLastError() {
  return platform::Installed<platform::Errors>::Get().GetLastError();
}
inline void SetLastError(DWORD code) {
  platform::Installed<platform::Errors>::Get().SetLastError(code);
}
