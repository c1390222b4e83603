// A trash of any tree, built from the input: files, folders of any mode and depth, links to
// what lies outside, hard links, pipes, .trashinfo files of any name and content, and linked
// or missing parts. Emptying it never touches anything outside; a trash with a linked part is
// left as it was; otherwise files/ ends empty and only info/ entries that are not an item's
// info, or cannot be unlinked, stay.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/TempFolder.h"
#include "platform/linux/TrashDirectories.h"

namespace {

namespace fs = std::filesystem;

// Every entry under `folder`, links not followed: its kind and mode, and a file's content.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    struct stat info {};
    lstat(it->path().c_str(), &info);
    std::string& described = entries[it->path().lexically_relative(folder).string()];
    described = std::to_string(info.st_mode) + ":" + std::to_string(info.st_ino);
    if (S_ISREG(info.st_mode)) {
      std::ifstream in(it->path(), std::ios::binary);
      described += std::string{std::istreambuf_iterator<char>(in), {}};
    }
  }
  return entries;
}

// Files that lie outside the trash, which it must never reach.
fs::path MakeOutside(const fs::path& root) {
  fs::create_directories(root / "outside" / "folder");
  std::ofstream(root / "outside" / "file") << "keep me";
  std::ofstream(root / "outside" / "folder" / "inside") << "keep me too";
  return root / "outside";
}

// Writes a new file; nothing when something stands there already (a pipe would block).
void WriteNew(const fs::path& file, const std::string& content) {
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return;
  static_cast<void>(write(fd, content.data(), content.size()) >= 0);
  close(fd);
}

// Reads the input a byte at a time; zeros once it runs out.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  // A file name of 1 to 255 bytes, any byte but "/" and NUL.
  std::string Name() {
    std::string name;
    for (int length = Byte() % 32 + 1; length > 0; --length) {
      const char c = static_cast<char>(Byte());
      name += c == '/' || c == '\0' ? '_' : c;
    }
    if (name == "." || name == "..") name += '_';
    if (Byte() % 16 == 0) name.append(255 - name.size(), 'n');
    return name;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

enum class Shape { kLinkedFiles = 5, kLinkedInfo, kNoFiles, kCount };

void BuildTree(Input& input, const fs::path& trash, const fs::path& outside) {
  std::vector<std::pair<fs::path, mode_t>> folders = {{trash / "files", 0700}};
  std::error_code error;
  while (!input.Done()) {
    const std::uint8_t op = input.Byte();
    const fs::path here = folders.back().first;
    const std::string name = input.Name();
    switch (op % 8) {
      case 0:
        WriteNew(here / name, name);
        break;
      case 1:
        if (fs::create_directory(here / name, error))
          folders.push_back({here / name, (op >> 3 & 7u) << 6});
        break;
      case 2:
        if (folders.size() > 1) {
          chmod(here.c_str(), folders.back().second);
          folders.pop_back();
        }
        break;
      case 3:
        fs::create_symlink(outside / "file", here / name, error);
        break;
      case 4:
        fs::create_directory_symlink(outside / "folder", here / name, error);
        break;
      case 5:
        fs::create_hard_link(outside / "file", here / name, error);
        break;
      case 6:
        mkfifo((here / name).c_str(), 0600);
        break;
      case 7: {
        const fs::path info = trash / "info" / (name + ".trashinfo");
        if ((op & 8) != 0) {
          fs::create_directory(info, error);
        } else {
          WriteNew(info, "[Trash Info]\nPath=" + name + "\n");
        }
        // Written long ago: not the info of an item on its way into the trash.
        const timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
        utimensat(AT_FDCWD, info.c_str(), times, AT_SYMLINK_NOFOLLOW);
        break;
      }
    }
  }
  while (folders.size() > 1) {
    chmod(folders.back().first.c_str(), folders.back().second);
    folders.pop_back();
  }
}

bool IsItemInfo(const std::string& name) {
  return name.size() > 10 && name.ends_with(".trashinfo");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::TempFolder folder("trash-fuzz-XXXXXX");
  const fs::path& root = folder.Path();
  static const auto outsideBefore = Snapshot(MakeOutside(root));
  const fs::path home = root / "home";
  const fs::path trash = home / "Trash";
  if (fs::exists(home)) fuzz::OpenUp(home);
  fs::remove_all(home);
  fs::create_directories(trash / "info");
  Input input(data, size);
  const auto shape = static_cast<Shape>(input.Byte() % static_cast<int>(Shape::kCount));
  fs::create_directory(trash / "files");
  BuildTree(input, trash, root / "outside");
  std::ofstream(trash / "directorysizes") << "4096 1700000000 item\n";
  if (shape == Shape::kLinkedFiles || shape == Shape::kLinkedInfo) {
    const fs::path part = trash / (shape == Shape::kLinkedFiles ? "files" : "info");
    fs::rename(part, home / "moved-away");
    fs::create_directory_symlink(root / "outside" / "folder", part);
  } else if (shape == Shape::kNoFiles) {
    fuzz::OpenUp(trash / "files");
    fs::remove_all(trash / "files");
  }
  const auto trashBefore = Snapshot(home);

  auto trashes = standin::FindTrashDirectories(home, {}, getuid());
  if (trashes.size() != 1) __builtin_trap();
  const bool complete = standin::EmptyTrashDirectory(trashes.front(), getuid());

  if (Snapshot(root / "outside") != outsideBefore) __builtin_trap();
  if (shape == Shape::kLinkedFiles || shape == Shape::kLinkedInfo) {
    if (complete || Snapshot(home) != trashBefore) __builtin_trap();
    return 0;
  }
  if (fs::exists(trash / "directorysizes")) __builtin_trap();
  if (shape != Shape::kNoFiles && !fs::is_empty(trash / "files")) __builtin_trap();
  bool infoStayed = false;
  for (const auto& entry : fs::directory_iterator(trash / "info")) {
    if (!IsItemInfo(entry.path().filename().string())) continue;
    if (!entry.is_directory()) __builtin_trap();
    infoStayed = true;
  }
  if (complete == infoStayed) __builtin_trap();
  return 0;
}
