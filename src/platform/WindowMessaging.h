#pragma once
// Windows of any program of the current user: found by class and title, sent and posted
// messages.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr WORD BN_CLICKED = 0;

constexpr WORD LOWORD(WPARAM value) {
  return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(WPARAM value) {
  return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
  return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

namespace platform {

class WindowMessaging : public Service {
 public:
  // A top-level window with that class and title (compared without regard to letter case),
  // or null; a null class or title matches any.
  virtual HWND FindWindowA(LPCSTR className, LPCSTR windowName) = 0;
  // The first direct child of `parent` after `childAfter` (null: from the first child) with
  // that class and title, or null; a null parent searches the top-level windows.
  virtual HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) = 0;
  // The control identifier of a child window; 0 when the window does not exist.
  virtual int GetDlgCtrlID(HWND window) = 0;
  // Queues the message for the window's owner and returns at once; FALSE when it cannot be
  // queued.
  virtual BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Delivers the message and waits for the owner's answer, which it returns. WM_SETTEXT
  // carries its text (lParam, zero-terminated) to the owner.
  virtual LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace platform

inline HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  return platform::Installed<platform::WindowMessaging>::Get().FindWindowA(className, windowName);
}
inline HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  return platform::Installed<platform::WindowMessaging>::Get().FindWindowExA(parent, childAfter,
                                                                             className, windowName);
}
inline int GetDlgCtrlID(HWND window) {
  return platform::Installed<platform::WindowMessaging>::Get().GetDlgCtrlID(window);
}
inline BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return platform::Installed<platform::WindowMessaging>::Get().PostMessageA(window, message, wParam,
                                                                            lParam);
}
inline LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return platform::Installed<platform::WindowMessaging>::Get().SendMessageA(window, message, wParam,
                                                                            lParam);
}
