// Emptying the stand-in recycle bin: what goes from a trash, and every hazard a trash can hold
// left harmless: links, other file systems, read-only folders, deep trees, entries vanishing or
// coming meanwhile.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "platform/TrashTestSupport.h"
#include "platform/linux/DesktopShell.h"
#include "platform/linux/UniqueFd.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

HRESULT EmptyEveryBin() {
  standin::DesktopShell shell;
  return shell.SHEmptyRecycleBinA(nullptr, nullptr,
                                  SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

class TrashEmptyingTest : public ::testing::Test {
 protected:
  support::TrashProfile profile_;
  fs::path trash_ = profile_.HomeTrash();
  fs::path outside_ = profile_.Drive("outside");
};

TEST_F(TrashEmptyingTest, ItemsTheirInfoAndDirectorySizesGoWhileLinkedTargetsStay) {
  support::PutInTrash(trash_, "letter.txt");
  support::PutInTrash(trash_, ".hidden");
  fs::create_directories(trash_ / "files" / "project" / "src" / "deep");
  support::WriteFile(trash_ / "files" / "project" / "src" / "deep" / "main.c", "int main;");
  support::WriteFile(trash_ / "info" / "project.trashinfo", "[Trash Info]\n");
  support::WriteFile(outside_ / "precious.txt", "keep me");
  fs::create_directory(outside_ / "folder");
  support::WriteFile(outside_ / "folder" / "inside.txt", "keep me too");
  fs::create_symlink(outside_ / "precious.txt", trash_ / "files" / "link-to-file");
  fs::create_directory_symlink(outside_ / "folder", trash_ / "files" / "link-to-folder");
  fs::create_symlink(outside_ / "folder", trash_ / "files" / "project" / "nested-link");
  fs::create_hard_link(outside_ / "precious.txt", trash_ / "files" / "hard-link");
  ASSERT_EQ(mkfifo((trash_ / "files" / "pipe").c_str(), 0600), 0);
  support::WriteFile(trash_ / "directorysizes", "4096 1700000000 project\n");
  support::WriteFile(trash_ / "info" / "notes", "not an item's info");

  EXPECT_EQ(EmptyEveryBin(), S_OK);
  EXPECT_THAT(Names(trash_ / "files"), IsEmpty());
  EXPECT_THAT(Names(trash_ / "info"), ElementsAre("notes"));
  EXPECT_FALSE(fs::exists(trash_ / "directorysizes"));
  EXPECT_EQ(support::ReadFile(outside_ / "precious.txt"), "keep me");
  EXPECT_EQ(support::ReadFile(outside_ / "folder" / "inside.txt"), "keep me too");
}

TEST_F(TrashEmptyingTest, LinkedPartsOfATrashLeaveTheWholeTrashAlone) {
  const std::string id = std::to_string(getuid());
  const fs::path top = profile_.Drive("usb");
  profile_.Mounts({{top}});
  struct LinkCase {
    fs::path trash;
    const char* part;
  };
  const LinkCase cases[] = {{trash_, "files"}, {top / (".Trash-" + id), "info"}};
  for (const LinkCase& c : cases) {
    fs::create_directory(c.trash);
    const fs::path target = outside_ / c.part;
    fs::create_directory(target);
    support::WriteFile(target / "victim.trashinfo", "keep me");
    fs::create_directory_symlink(target, c.trash / c.part);
    const char* other = std::string(c.part) == "files" ? "info" : "files";
    fs::create_directory(c.trash / other);
    support::WriteFile(c.trash / other / "item.trashinfo", "");
  }
  // A trash directory that is itself a link is not a trash at all.
  const fs::path linkedTop = profile_.Drive("linked");
  fs::create_directory(outside_ / "fake-trash");
  support::MakeTrash(outside_ / "fake-trash");
  support::WriteFile(outside_ / "fake-trash" / "files" / "victim", "keep me");
  fs::create_directory_symlink(outside_ / "fake-trash", linkedTop / (".Trash-" + id));
  profile_.Mounts({{top}, {linkedTop}});

  EXPECT_EQ(EmptyEveryBin(), E_FAIL);
  for (const LinkCase& c : cases) {
    EXPECT_EQ(support::ReadFile(outside_ / c.part / "victim.trashinfo"), "keep me") << c.part;
    const char* other = std::string(c.part) == "files" ? "info" : "files";
    EXPECT_TRUE(fs::exists(c.trash / other / "item.trashinfo")) << c.part;
  }
  EXPECT_EQ(support::ReadFile(outside_ / "fake-trash" / "files" / "victim"), "keep me");
}

TEST_F(TrashEmptyingTest, ReadOnlyFoldersOfOursAreOpenedUpAndWhatStaysKeepsItsInfo) {
  support::PutInTrash(trash_, "readonly");
  fs::remove(trash_ / "files" / "readonly");
  for (const char* folder : {"readonly", "readonly/sealed", "readonly/sealed/locked"}) {
    fs::create_directory(trash_ / "files" / folder);
    support::WriteFile(trash_ / "files" / folder / "file", "x");
  }
  chmod((trash_ / "files" / "readonly" / "sealed" / "locked").c_str(), 0);
  chmod((trash_ / "files" / "readonly" / "sealed").c_str(), 0500);
  chmod((trash_ / "files" / "readonly").c_str(), 0555);
  // An item that cannot go: its folder belongs to nobody we can change.
  support::PutInTrash(trash_, "stuck");
  fs::remove(trash_ / "files" / "stuck");
  fs::create_directory(trash_ / "files" / "stuck");
  support::WriteFile(trash_ / "files" / "stuck" / "file", "x");
  const bool canGiveAway = chown((trash_ / "files" / "stuck").c_str(), 65534, 65534) == 0;
  chmod((trash_ / "files" / "stuck").c_str(), 0555);

  HRESULT result;
  {
    const support::WithoutPermissionOverride asAUser;
    result = EmptyEveryBin();
  }
  EXPECT_FALSE(fs::exists(trash_ / "files" / "readonly"));
  EXPECT_FALSE(fs::exists(trash_ / "info" / "readonly.trashinfo"));
  if (canGiveAway) {
    EXPECT_EQ(result, E_FAIL);
    EXPECT_TRUE(fs::exists(trash_ / "files" / "stuck" / "file"));
    EXPECT_TRUE(fs::exists(trash_ / "info" / "stuck.trashinfo"));
    chmod((trash_ / "files" / "stuck").c_str(), 0777);
  }
}

TEST_F(TrashEmptyingTest, TreesDeeperThanAnyPathGoWithFewDescriptors) {
  constexpr int kDepth = 3000;
  support::MakeTrash(trash_);
  {
    standin::UniqueFd folder(open((trash_ / "files").c_str(), O_RDONLY | O_DIRECTORY));
    for (int level = 0; level < kDepth; ++level) {
      ASSERT_EQ(mkdirat(folder.Get(), "d", 0700), 0) << level;
      if (level % 100 == 0) close(openat(folder.Get(), "file", O_CREAT | O_WRONLY, 0600));
      folder = standin::UniqueFd(openat(folder.Get(), "d", O_RDONLY | O_DIRECTORY));
      ASSERT_TRUE(folder.Valid()) << level;
    }
  }
  // Far fewer descriptors than levels: a walk that held one per level would run out.
  rlimit saved{};
  getrlimit(RLIMIT_NOFILE, &saved);
  const auto open = static_cast<rlim_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
  rlimit tight = saved;
  tight.rlim_cur = open + 32;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
  const HRESULT result = EmptyEveryBin();
  setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(result, S_OK);
  EXPECT_THAT(Names(trash_ / "files"), IsEmpty());
}

TEST_F(TrashEmptyingTest, EntriesThatVanishMeanwhileAreNoFailure) {
  for (int round = 0; round < 20; ++round) {
    for (int item = 0; item < 20; ++item) {
      const fs::path folder = trash_ / "files" / ("item" + std::to_string(item));
      fs::create_directories(folder / "a" / "b");
      for (int file = 0; file < 10; ++file) {
        support::WriteFile(folder / "a" / ("f" + std::to_string(file)), "x");
        support::WriteFile(folder / "a" / "b" / ("g" + std::to_string(file)), "x");
      }
    }
    support::MakeTrash(trash_);
    // Another program empties the same trash at the same time.
    std::thread other([this] {
      std::error_code ignored;
      for (int item = 19; item >= 0; --item) {
        fs::remove_all(trash_ / "files" / ("item" + std::to_string(item)), ignored);
      }
    });
    const HRESULT result = EmptyEveryBin();
    other.join();
    ASSERT_EQ(result, S_OK) << "round " << round;
    ASSERT_THAT(Names(trash_ / "files"), IsEmpty()) << "round " << round;
  }
}

// Another program puts items in the trash while it is emptied: the .trashinfo first, then the
// item, as every trash does. No item ends up without its info; an info of no item goes only
// once it is too old to be one on its way.
TEST_F(TrashEmptyingTest, ItemsPutInTheTrashMeanwhileKeepTheirInfo) {
  support::MakeTrash(trash_);
  support::WriteFile(trash_ / "info" / "on-its-way.trashinfo", "[Trash Info]\n");
  support::WriteFile(trash_ / "info" / "long-gone.trashinfo", "[Trash Info]\n");
  const timespec longAgo[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (trash_ / "info" / "long-gone.trashinfo").c_str(), longAgo, 0), 0);
  EXPECT_EQ(EmptyEveryBin(), S_OK);
  EXPECT_THAT(Names(trash_ / "info"), ElementsAre("on-its-way.trashinfo"));

  for (int round = 0; round < 20; ++round) {
    for (int item = 0; item < 50; ++item) support::PutInTrash(trash_, "old" + std::to_string(item));
    std::thread other([this] {
      for (int item = 0; item < 50; ++item) {
        const std::string name = "new" + std::to_string(item);
        support::WriteFile(trash_ / "info" / (name + ".trashinfo"), "[Trash Info]\n");
        support::WriteFile(outside_ / name, "x");
        fs::rename(outside_ / name, trash_ / "files" / name);
      }
    });
    EmptyEveryBin();
    other.join();
    for (const std::string& item : Names(trash_ / "files")) {
      EXPECT_TRUE(fs::exists(trash_ / "info" / (item + ".trashinfo")))
          << item << ", round " << round;
      EXPECT_EQ(item.rfind("new", 0), 0u) << item << " was there before, round " << round;
    }
    EmptyEveryBin();
    ASSERT_THAT(Names(trash_ / "files"), IsEmpty());
  }
}

TEST_F(TrashEmptyingTest, ARootPathChoosesTheTrashOfItsDriveOnly) {
  support::PutInTrash(trash_, "home-item");
  const fs::path top = profile_.Drive("usb");
  const fs::path usbTrash = top / (".Trash-" + std::to_string(getuid()));
  support::PutInTrash(usbTrash, "usb-item");
  profile_.Mounts({{top}});
  standin::DesktopShell shell;
  EXPECT_EQ(shell.SHEmptyRecycleBinA(nullptr, (outside_ / "missing").c_str(), 7), E_INVALIDARG);
  // Both lie on the test's one file system here, so a root path there takes both.
  EXPECT_EQ(shell.SHEmptyRecycleBinA(nullptr, top.c_str(), 7), S_OK);
  EXPECT_THAT(Names(trash_ / "files"), IsEmpty());
  EXPECT_THAT(Names(usbTrash / "files"), IsEmpty());
}

// Mounts inside a trash need a mount namespace of the test's own; where that is not allowed
// the test is skipped.
TEST_F(TrashEmptyingTest, AnotherFileSystemOrABindMountInsideTheTrashIsNotEntered) {
  if (unshare(CLONE_NEWNS) != 0 ||
      mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    GTEST_SKIP() << "no mount namespace of our own: " << std::strerror(errno);
  }
  support::MakeTrash(trash_);
  const fs::path other = trash_ / "files" / "other-fs";
  const fs::path bound = trash_ / "files" / "bound";
  fs::create_directory(other);
  fs::create_directory(bound);
  ASSERT_EQ(mount("none", other.c_str(), "tmpfs", 0, "size=1m"), 0);
  support::WriteFile(other / "on-tmpfs", "keep me");
  fs::create_directory(outside_ / "source");
  support::WriteFile(outside_ / "source" / "bound-file", "keep me too");
  ASSERT_EQ(mount((outside_ / "source").c_str(), bound.c_str(), nullptr, MS_BIND, nullptr), 0);
  support::WriteFile(trash_ / "files" / "ordinary", "x");

  EXPECT_EQ(EmptyEveryBin(), E_FAIL);
  EXPECT_EQ(support::ReadFile(other / "on-tmpfs"), "keep me");
  EXPECT_EQ(support::ReadFile(outside_ / "source" / "bound-file"), "keep me too");
  EXPECT_FALSE(fs::exists(trash_ / "files" / "ordinary"));
  umount2(bound.c_str(), MNT_DETACH);
  umount2(other.c_str(), MNT_DETACH);
}

}  // namespace
