// Clearing the recent documents list: a regular list is replaced whole by an empty one with
// its permissions; anything else at its place, and a list that cannot be replaced, is left
// exactly as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TrashTestSupport.h"
#include "platform/linux/RecentDocuments.h"
#include "support/StoreFaults.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

constexpr const char* kList =
    "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\"><bookmark href=\"file:///secret.txt\"/>"
    "</xbel>\n";

class RecentDocumentsTest : public ::testing::Test {
 protected:
  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(profile_.DataHome())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  support::TempProfile profile_;
  fs::path list_ = standin::RecentDocumentsFile();
};

TEST_F(RecentDocumentsTest, AListIsReplacedByAnEmptyOneWithItsPermissions) {
  ASSERT_EQ(list_, profile_.DataHome() / "recently-used.xbel");
  support::WriteFile(list_, kList);
  ASSERT_EQ(chmod(list_.c_str(), 0640), 0);
  struct stat before {};
  lstat(list_.c_str(), &before);
  EXPECT_TRUE(standin::ClearRecentDocuments(list_));
  struct stat after {};
  lstat(list_.c_str(), &after);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file renamed into place, not rewritten
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  const std::string cleared = support::ReadFile(list_);
  EXPECT_THAT(cleared, HasSubstr("<xbel version=\"1.0\""));
  EXPECT_THAT(cleared, Not(HasSubstr("bookmark href")));
  EXPECT_THAT(Folder(), ElementsAre("recently-used.xbel"));  // nothing left beside it
}

TEST_F(RecentDocumentsTest, AMissingListStaysMissing) {
  EXPECT_TRUE(standin::ClearRecentDocuments(list_));
  EXPECT_THAT(Folder(), ElementsAre());
}

TEST_F(RecentDocumentsTest, WhatIsNotARegularFileIsLeftAlone) {
  const fs::path target = profile_.DataHome() / "elsewhere.xbel";
  support::WriteFile(target, kList);
  struct Shape {
    const char* name;
    std::function<void()> make;
  };
  const Shape shapes[] = {
      {"link", [&] { fs::create_symlink(target, list_); }},
      {"dangling link", [&] { fs::create_symlink(profile_.DataHome() / "none", list_); }},
      {"folder", [&] { fs::create_directory(list_); }},
      {"pipe", [&] { mkfifo(list_.c_str(), 0600); }},
  };
  for (const Shape& shape : shapes) {
    shape.make();
    struct stat before {};
    lstat(list_.c_str(), &before);
    EXPECT_FALSE(standin::ClearRecentDocuments(list_)) << shape.name;
    struct stat after {};
    lstat(list_.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << shape.name;
    EXPECT_EQ(after.st_mode, before.st_mode) << shape.name;
    EXPECT_EQ(support::ReadFile(target), kList) << shape.name;
    fs::remove(list_);
  }
}

// The new list cannot be written beside the old one: the old list stays whole and nothing is
// left beside it. A full disk needs a mount namespace of the test's own; without one only the
// read-only folder is tried.
TEST_F(RecentDocumentsTest, WhereNoNewListCanBeWrittenTheOldOneStaysWhole) {
  const fs::path folder = profile_.DataHome();
  support::WriteFile(list_, kList);
  {
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    const support::WithoutPermissionOverride plainUser;
    EXPECT_FALSE(standin::ClearRecentDocuments(list_));
  }
  ASSERT_EQ(chmod(folder.c_str(), 0700), 0);
  EXPECT_EQ(support::ReadFile(list_), kList);
  EXPECT_THAT(Folder(), ElementsAre("recently-used.xbel"));

  if (const std::string why = support::EnterPrivateMountNamespace(); !why.empty()) {
    GTEST_SKIP() << why;
  }
  support::MountSmallDisk(folder, "64k");
  support::FillDisk(folder);
  EXPECT_FALSE(standin::ClearRecentDocuments(list_));
  EXPECT_EQ(support::ReadFile(list_), kList);
  EXPECT_THAT(Folder(), UnorderedElementsAre("recently-used.xbel", "filler"));
  fs::remove(folder / "filler");
  EXPECT_TRUE(standin::ClearRecentDocuments(list_));
  EXPECT_THAT(support::ReadFile(list_), Not(HasSubstr("bookmark href")));
  umount2(folder.c_str(), MNT_DETACH);
}

}  // namespace
