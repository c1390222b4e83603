#pragma once

#include "platform/Windowing.h"

namespace standin {

// Message boxes as Qt dialogs of this process, whose owners are this process's Qt windows;
// pending messages are the Qt events of this thread.
class DialogWindowing final : public platform::Windowing {
 public:
  int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) override;
  BOOL MessageBeep(UINT type) override;
  void DispatchPendingMessages() override;
};

}  // namespace standin
