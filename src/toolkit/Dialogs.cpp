#include "toolkit/Dialogs.h"

#include "platform/Windowing.h"
#include "toolkit/Application.h"

namespace toolkit {

void ShowMessage(const std::string& text) {
  // No owner: the platform centres an unowned box on the screen.
  MessageBoxA(nullptr, text.c_str(), Application->Title().c_str(), MB_OK);
}

}  // namespace toolkit
