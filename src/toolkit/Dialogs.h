#pragma once
// The toolkit's simple message box.

#include <string>

namespace toolkit {

// Shows `text` with one OK button and no icon, titled with the application title, centred on
// the screen; returns once the user has closed it.
void ShowMessage(const std::string& text);

}  // namespace toolkit
