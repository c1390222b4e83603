#pragma once
// A fuzz target's own temporary folder, removed with all it holds when the process ends.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {

// Gives every folder under `folder` back its owner's bits, so that the tree can be removed.
inline void OpenUp(const std::filesystem::path& folder) {
  std::error_code error;
  chmod(folder.c_str(), 0700);
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) chmod(it->path().c_str(), 0700);
  }
}

class TempFolder {
 public:
  // `pattern` ends in "XXXXXX".
  explicit TempFolder(const char* pattern) {
    std::string name = (std::filesystem::temp_directory_path() / pattern).string();
    if (mkdtemp(name.data()) == nullptr) std::abort();
    path_ = name;
  }
  ~TempFolder() {
    OpenUp(path_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace fuzz
