#pragma once

#include <string>

namespace standin {

// REGEDIT4 text of the demo profile's traces: addresses typed into the browser, the media
// player's recent files and the Run box's history with its MRUList order, beside keys that
// the clean-ups leave alone.
std::string DemoRegistryText();

}  // namespace standin
