#pragma once
// Starting programs, and pausing the calling thread.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

inline constexpr UINT SW_SHOWMINIMIZED = 2;

namespace platform {

class Processes : public Service {
 public:
  // Starts the program of a command line, without a shell, and returns without waiting for
  // it: a value greater than 31 when it started, else an error code of 31 or less.
  virtual UINT WinExec(LPCSTR commandLine, UINT show) = 0;
  // Pauses the calling thread; nothing is dispatched meanwhile.
  virtual void Sleep(DWORD milliseconds) = 0;
};

}  // namespace platform

inline UINT WinExec(LPCSTR commandLine, UINT show) {
  return platform::Installed<platform::Processes>::Get().WinExec(commandLine, show);
}
inline void Sleep(DWORD milliseconds) {
  platform::Installed<platform::Processes>::Get().Sleep(milliseconds);
}
