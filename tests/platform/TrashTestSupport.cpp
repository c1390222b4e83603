#include "platform/TrashTestSupport.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace support {

TrashProfile::TrashProfile()
    : table_(std::filesystem::path(drives_.path().toStdString()) / "mountinfo") {
  WriteFile(table_, "");
  setenv("STANDIN_MOUNTINFO", table_.c_str(), 1);
}

TrashProfile::~TrashProfile() {
  // An empty value: no drives at all, rather than the machine's own.
  setenv("STANDIN_MOUNTINFO", "", 1);
}

std::filesystem::path TrashProfile::Drive(const std::string& name) const {
  const std::filesystem::path drive = std::filesystem::path(drives_.path().toStdString()) / name;
  std::filesystem::create_directories(drive);
  return drive;
}

void TrashProfile::Mounts(const std::vector<Line>& lines) const {
  std::string table;
  int id = 100;
  for (const Line& line : lines) {
    // Blanks in a mount point are written as \040, as the kernel writes them.
    std::string point;
    for (const char c : line.point.string()) {
      point += c == ' ' ? std::string("\\040") : std::string(1, c);
    }
    table += std::to_string(id) + " 1 8:1 / " + point + " " + line.options + " shared:1 - " +
             line.type + " /dev/sdz1 rw\n";
    ++id;
  }
  WriteFile(table_, table);
}

void MakeTrash(const std::filesystem::path& trash) {
  std::filesystem::create_directories(trash / "files");
  std::filesystem::create_directories(trash / "info");
}

void PutInTrash(const std::filesystem::path& trash, const std::string& name,
                const std::string& content) {
  MakeTrash(trash);
  WriteFile(trash / "files" / name, content);
  WriteFile(trash / "info" / (name + ".trashinfo"),
            "[Trash Info]\nPath=/home/user/" + name + "\nDeletionDate=2026-12-11T09:30:00\n");
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
}

WithoutPermissionOverride::WithoutPermissionOverride() {
  header_.version = _LINUX_CAPABILITY_VERSION_3;
  if (syscall(SYS_capget, &header_, saved_) != 0) return;
  __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
  for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
    reduced[capability / 32].effective &= ~(1u << (capability % 32));
  }
  // Only the effective set: the permitted one keeps what the destructor raises again.
  dropped_ = syscall(SYS_capset, &header_, reduced) == 0;
}

WithoutPermissionOverride::~WithoutPermissionOverride() {
  if (dropped_) syscall(SYS_capset, &header_, saved_);
}

}  // namespace support
