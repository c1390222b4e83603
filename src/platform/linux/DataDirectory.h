#pragma once

#include <filesystem>

namespace standin {

// Where the stand-in platform keeps the current user's persistent stores:
// $XDG_DATA_HOME/veltrin-standin, with ~/.local/share when XDG_DATA_HOME is unset or relative.
std::filesystem::path DataDirectory();

}  // namespace standin
