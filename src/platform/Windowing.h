#pragma once
// Top-level windows and their messages.

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
};

}  // namespace platform

inline int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return platform::Installed<platform::Windowing>::Get().MessageBoxA(owner, text, caption, type);
}
