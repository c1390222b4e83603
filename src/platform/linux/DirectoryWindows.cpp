#include "platform/linux/DirectoryWindows.h"

#include "platform/Errors.h"
#include "platform/linux/MessageDelivery.h"
#include "platform/linux/RuntimeDirectory.h"

namespace standin {

DirectoryWindows::DirectoryWindows(std::chrono::milliseconds answerBound)
    : answerBound_(answerBound) {}

DirectoryWindows::~DirectoryWindows() = default;

WindowDirectory* DirectoryWindows::Directory() {
  if (!opened_) {
    opened_ = true;
    if (const auto folder = RuntimeDirectory()) {
      directory_ = std::make_unique<WindowDirectory>(*folder);
    }
  }
  return directory_.get();
}

std::optional<WindowRecord> DirectoryWindows::Existing(HWND window) {
  WindowDirectory* directory = Directory();
  auto record = directory == nullptr ? std::nullopt : directory->Get(window);
  if (!record) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return record;
}

HWND DirectoryWindows::FindWindowA(LPCSTR className, LPCSTR windowName) {
  WindowDirectory* directory = Directory();
  return directory == nullptr ? nullptr : directory->Find(nullptr, nullptr, className, windowName);
}

HWND DirectoryWindows::FindWindowExA(HWND parent, HWND childAfter, LPCSTR className,
                                     LPCSTR windowName) {
  if (parent != nullptr && !Existing(parent)) return nullptr;
  WindowDirectory* directory = Directory();
  return directory == nullptr ? nullptr
                              : directory->Find(parent, childAfter, className, windowName);
}

int DirectoryWindows::GetDlgCtrlID(HWND window) {
  const auto record = Existing(window);
  return record ? record->controlId : 0;
}

BOOL DirectoryWindows::PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The text would have to outlive the call, which a posted message cannot promise.
  if (message == WM_SETTEXT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto record = Existing(window);
  if (!record) return FALSE;
  DWORD error = ERROR_SUCCESS;
  const MessagePacket packet{Delivery::Posted, window, message, wParam, lParam, std::nullopt};
  if (!Deliver(directory_->Folder(), record->owner, packet, answerBound_, error)) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

LRESULT DirectoryWindows::SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto record = Existing(window);
  if (!record) return 0;
  // Only this process's event loop serves its own windows, and it is busy with this call:
  // waiting for an answer would wait for itself.
  if (record->owner == CurrentProcess()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  MessagePacket packet{Delivery::Sent, window, message, wParam, lParam, std::nullopt};
  if (message == WM_SETTEXT && lParam != 0) packet.text = reinterpret_cast<LPCSTR>(lParam);
  DWORD error = ERROR_SUCCESS;
  const auto answer = Deliver(directory_->Folder(), record->owner, packet, answerBound_, error);
  if (!answer) {
    SetLastError(error);
    return 0;
  }
  return *answer;
}

}  // namespace standin
