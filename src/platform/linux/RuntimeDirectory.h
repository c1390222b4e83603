#pragma once

#include <filesystem>
#include <optional>

namespace standin {

// Where the stand-in platform keeps the current user's live state, such as the windows that
// programs show: $XDG_RUNTIME_DIR/veltrin-standin (/tmp/veltrin-standin-<uid> when that is
// unset or relative), created readable by its owner only. Nothing when the folder exists but
// is not a real folder of the current user, which then stays untouched.
std::optional<std::filesystem::path> RuntimeDirectory();

}  // namespace standin
