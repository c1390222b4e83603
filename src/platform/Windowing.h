#pragma once
// Message boxes, beeps and the dispatching of this thread's pending messages.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONSTOP = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr int IDOK = 1;

namespace platform {

class Windowing : public Service {
 public:
  // Shows a modal message box owned by `owner` (may be null) and returns the button pressed.
  virtual int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = 0;
  // Plays the sound of message boxes of that type; MB_OK (0) is the default beep.
  virtual BOOL MessageBeep(UINT type) = 0;
  // Dispatches every message waiting for this thread (input, painting, timer ticks, messages
  // from other programs), then returns: what the toolkit's ProcessMessages runs on.
  virtual void DispatchPendingMessages() = 0;
};

}  // namespace platform

inline int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return platform::Installed<platform::Windowing>::Get().MessageBoxA(owner, text, caption, type);
}
inline BOOL MessageBeep(UINT type) {
  return platform::Installed<platform::Windowing>::Get().MessageBeep(type);
}
namespace platform {
inline void DispatchPendingMessages() {
  Installed<Windowing>::Get().DispatchPendingMessages();
}
}  // namespace platform
