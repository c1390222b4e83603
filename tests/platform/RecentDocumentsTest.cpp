// Clearing the recent documents list: a regular list is replaced whole by an empty one with
// its permissions; anything else at its place is left exactly as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/TrashTestSupport.h"
#include "platform/linux/RecentDocuments.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

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

}  // namespace
