#pragma once
// The window calls over the window directory of the current user's runtime folder, with
// messages carried to the endpoint of each window's owner.

#include <chrono>
#include <memory>

#include "platform/WindowMessaging.h"
#include "platform/linux/WindowDirectory.h"

namespace standin {

class DirectoryWindows final : public platform::WindowMessaging {
 public:
  // A hung owner holds SendMessageA up no longer than this.
  static constexpr std::chrono::milliseconds kDefaultAnswerBound{5000};

  explicit DirectoryWindows(std::chrono::milliseconds answerBound = kDefaultAnswerBound);
  ~DirectoryWindows() override;

  HWND FindWindowA(LPCSTR className, LPCSTR windowName) override;
  HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) override;
  int GetDlgCtrlID(HWND window) override;
  BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Null when the runtime folder cannot be used; every search then finds nothing.
  WindowDirectory* Directory();
  std::optional<WindowRecord> Existing(HWND window);

  std::chrono::milliseconds answerBound_;
  bool opened_ = false;
  std::unique_ptr<WindowDirectory> directory_;
};

}  // namespace standin
