#pragma once

#include <filesystem>

namespace standin {

// The current user's data folder: $XDG_DATA_HOME, with ~/.local/share when XDG_DATA_HOME is
// unset or relative; empty when neither is known.
std::filesystem::path UserDataHome();

// Where the stand-in platform keeps the current user's persistent stores:
// UserDataHome()/veltrin-standin, under /tmp when there is no data folder.
std::filesystem::path DataDirectory();

}  // namespace standin
