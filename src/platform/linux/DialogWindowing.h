#pragma once

#include "platform/Windowing.h"

namespace standin {

// Message boxes as Qt dialogs of this process; owners are this process's Qt windows.
class DialogWindowing final : public platform::Windowing {
 public:
  int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) override;
};

}  // namespace standin
