// A recent documents list of any bytes, kind and mode, cleared: a regular list becomes an empty
// list that GLib reads, with the same mode; anything else, and every file a link reaches, stays
// exactly as it was; nothing is left beside the list.

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "fuzz/TempFolder.h"
#include "platform/linux/RecentDocuments.h"

namespace {

namespace fs = std::filesystem;

enum class Kind { kRegular, kLinkToFile, kHardLink, kFolder, kPipe, kMissing, kCount };

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool IsEmptyList(const fs::path& file) {
  GBookmarkFile* list = g_bookmark_file_new();
  const bool read = g_bookmark_file_load_from_file(list, file.c_str(), nullptr);
  const bool empty = read && g_bookmark_file_get_size(list) == 0;
  g_bookmark_file_free(list);
  return empty;
}

bool HoldsOnly(const fs::path& folder, const fs::path& name) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() != name) return false;
    ++count;
  }
  return count <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const fuzz::TempFolder folder("recent-fuzz-XXXXXX");
  const fs::path& root = folder.Path();
  const fs::path home = root / "home";
  const fs::path outside = root / "outside.txt";
  const fs::path list = home / "recently-used.xbel";
  fs::remove_all(home);
  fs::create_directory(home);
  const auto kind = static_cast<Kind>(data[0] % static_cast<int>(Kind::kCount));
  const auto mode = static_cast<mode_t>(((data[0] >> 4) & 1) << 8 | data[1]);
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  std::ofstream(outside, std::ios::binary | std::ios::trunc) << bytes;
  switch (kind) {
    case Kind::kRegular:
      std::ofstream(list, std::ios::binary) << bytes;
      break;
    case Kind::kLinkToFile:
      fs::create_symlink(outside, list);
      break;
    case Kind::kHardLink:
      fs::create_hard_link(outside, list);
      break;
    case Kind::kFolder:
      fs::create_directory(list);
      break;
    case Kind::kPipe:
      mkfifo(list.c_str(), 0600);
      break;
    case Kind::kMissing:
    case Kind::kCount:
      break;
  }
  if (kind == Kind::kRegular || kind == Kind::kHardLink) chmod(list.c_str(), mode);
  struct stat before {};
  const bool existed = lstat(list.c_str(), &before) == 0;

  const bool cleared = standin::ClearRecentDocuments(list);

  struct stat after {};
  const bool exists = lstat(list.c_str(), &after) == 0;
  if (Contents(outside) != bytes || !HoldsOnly(home, list.filename())) __builtin_trap();
  if (kind == Kind::kRegular || kind == Kind::kHardLink) {
    if (!cleared || !exists || !S_ISREG(after.st_mode) || after.st_ino == before.st_ino ||
        (after.st_mode & 07777) != mode) {
      __builtin_trap();
    }
    chmod(list.c_str(), 0600);  // so that a list of mode 0000 can be read back
    if (!IsEmptyList(list)) __builtin_trap();
  } else if (kind == Kind::kMissing) {
    if (!cleared || exists) __builtin_trap();
  } else if (cleared || !existed || !exists || after.st_ino != before.st_ino ||
             after.st_mode != before.st_mode) {
    __builtin_trap();
  }
  return 0;
}
