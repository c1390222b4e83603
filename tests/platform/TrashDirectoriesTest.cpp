// Which trash directories the stand-in recycle bin trusts: the home trash and the two kinds on
// every drive of the mount table, each a real directory of the user, none reached twice, and
// nothing on read-only, pseudo or unreachable mounts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "platform/TrashTestSupport.h"
#include "platform/linux/MountTable.h"
#include "platform/linux/TrashDirectories.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<fs::path> Found(const support::TrashProfile& profile, uid_t user) {
  std::vector<fs::path> paths;
  for (const auto& trash :
       standin::FindTrashDirectories(profile.DataHome(), standin::MountedDrives(), user)) {
    paths.push_back(trash.path);
  }
  return paths;
}

TEST(MountTable, ReadsTheKernelFormatWithItsEscapesAndReadOnlyFlags) {
  std::istringstream table(
      "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
      "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "40 28 8:17 / /run/media/jane/My\\040Disk rw,nosuid master:7 - vfat /dev/sdb1 rw\n"
      "41 28 8:18 / /mnt/cd ro,relatime - iso9660 /dev/sr0 ro\n"
      "42 28 8:19 / /mnt/late rw - ext4 /dev/sdc1 ro,errors=remount-ro\n"
      "not a mount line\n");
  EXPECT_THAT(
      standin::ParseMountInfo(table),
      ElementsAre(standin::Mount{"/proc", "proc", false}, standin::Mount{"/", "ext4", false},
                  standin::Mount{"/run/media/jane/My Disk", "vfat", false},
                  standin::Mount{"/mnt/cd", "iso9660", true},
                  standin::Mount{"/mnt/late", "ext4", true}));
  for (const char* pseudo : {"proc", "sysfs", "devtmpfs", "cgroup2"}) {
    EXPECT_TRUE(standin::IsPseudoFileSystem(pseudo)) << pseudo;
  }
  for (const char* real : {"ext4", "vfat", "tmpfs", "btrfs", "fuseblk"}) {
    EXPECT_FALSE(standin::IsPseudoFileSystem(real)) << real;
  }
}

TEST(TrashDirectories, OnlyRealDirectoriesOfTheUserOnWritableDrivesAreTrusted) {
  support::TrashProfile profile;
  const uid_t user = getuid();
  const std::string id = std::to_string(user);
  support::MakeTrash(profile.HomeTrash());

  struct DriveCase {
    const char* name;
    std::string type;
    std::string options;
    std::function<void(const fs::path& top)> build;
    std::vector<std::string> trusted;  // under the drive's top
  };
  const auto stickyShared = [](const fs::path& top) {
    fs::create_directory(top / ".Trash");
    chmod((top / ".Trash").c_str(), 01777);
  };
  const std::vector<DriveCase> cases = {
      {"both kinds",
       "ext4",
       "rw",
       [&](const fs::path& top) {
         stickyShared(top);
         fs::create_directory(top / ".Trash" / id);
         fs::create_directory(top / (".Trash-" + id));
       },
       {".Trash/" + id, ".Trash-" + id}},
      {"shared without sticky bit",
       "ext4",
       "rw",
       [&](const fs::path& top) { fs::create_directories(top / ".Trash" / id); },
       {}},
      {"shared trash a link to a sticky one",
       "ext4",
       "rw",
       [&](const fs::path& top) {
         stickyShared(top / "..");
         fs::create_directory(top / ".." / ".Trash" / id);
         fs::create_directory_symlink("../.Trash", top / ".Trash");
       },
       {}},
      {"own trash a link",
       "ext4",
       "rw",
       [&](const fs::path& top) {
         fs::create_directory(top / "elsewhere");
         fs::create_directory_symlink("elsewhere", top / (".Trash-" + id));
       },
       {}},
      {"own trash a file",
       "ext4",
       "rw",
       [&](const fs::path& top) { support::WriteFile(top / (".Trash-" + id), ""); },
       {}},
      {"another user's trash name",
       "ext4",
       "rw",
       [&](const fs::path& top) {
         // Named for the next uid but owned by us: not that user's, so not trusted for them.
         fs::create_directory(top / (".Trash-" + std::to_string(user + 1)));
       },
       {}},
      {"read-only mount",
       "ext4",
       "ro,relatime",
       [&](const fs::path& top) { fs::create_directory(top / (".Trash-" + id)); },
       {}},
      {"pseudo file system",
       "proc",
       "rw",
       [&](const fs::path& top) { fs::create_directory(top / (".Trash-" + id)); },
       {}},
      {"removable drive with a blank",
       "vfat",
       "rw,nosuid",
       [&](const fs::path& top) { fs::create_directory(top / (".Trash-" + id)); },
       {".Trash-" + id}},
  };
  std::vector<support::TrashProfile::Line> lines;
  std::vector<fs::path> expected = {profile.HomeTrash()};
  int n = 0;
  for (const DriveCase& c : cases) {
    // Each drive in a folder of its own, so a case can build beside its top.
    const fs::path top = profile.Drive("case" + std::to_string(n++) + "/My Disk");
    c.build(top);
    lines.push_back({top, c.type, c.options});
    for (const std::string& trusted : c.trusted) expected.push_back(top / trusted);
  }
  lines.push_back({profile.Drive("unplugged") / "gone"});
  // The first drive again, once as it is and once through a link to it: listed once.
  lines.push_back({lines[0].point});
  fs::create_directory_symlink(lines[0].point, profile.Drive("alias") / "first");
  lines.push_back({profile.Drive("alias") / "first"});
  profile.Mounts(lines);
  EXPECT_THAT(Found(profile, user), ElementsAreArray(expected));
}

TEST(TrashDirectories, AHomeTrashThatIsALinkOrNotOursIsLeftOut) {
  support::TrashProfile profile;
  const fs::path elsewhere = profile.Drive("elsewhere");
  support::MakeTrash(elsewhere);
  fs::create_directory_symlink(elsewhere, profile.HomeTrash());
  EXPECT_THAT(Found(profile, getuid()), ElementsAre());
  fs::remove(profile.HomeTrash());
  support::MakeTrash(profile.HomeTrash());
  EXPECT_THAT(Found(profile, getuid() + 1), ElementsAre());
  EXPECT_THAT(Found(profile, getuid()), ElementsAre(profile.HomeTrash()));
}

TEST(TrashDirectories, NoMountTableMeansNoDrives) {
  support::TrashProfile profile;
  setenv("STANDIN_MOUNTINFO", "", 1);
  EXPECT_THAT(standin::MountedDrives(), ElementsAre());
  setenv("STANDIN_MOUNTINFO", (profile.Drive("none") / "missing").c_str(), 1);
  EXPECT_THAT(standin::MountedDrives(), ElementsAre());
}

}  // namespace
