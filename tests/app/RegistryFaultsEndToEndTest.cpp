// The three registry clean-ups over a registry store they cannot have their way with: one they
// may not write, a damaged one, one another process holds locked, one on a full disk. The
// window keeps working, waits no longer than one lock timeout, and no value goes unless it
// could be deleted; once the store allows it, the same window clears it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/EndToEndFixture.h"
#include "platform/TrashTestSupport.h"
#include "platform/linux/RegistryStore.h"
#include "support/StoreFaults.h"

namespace standin {

void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << '"' << value.name << "\" type " << value.type << " \"" << value.data << '"';
}

}  // namespace standin

namespace {

namespace fs = std::filesystem;
using standin::RegistryValue;
using Contents = std::map<std::string, std::vector<RegistryValue>>;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::Pair;

const char* const kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char* const kMediaPlayer = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

const Contents kSeed = {
    {kTypedUrls, {{"url1", REG_SZ, "http://one.example/"}, {"url2", REG_SZ, "two.example"}}},
    {kMediaPlayer, {{"File0", REG_SZ, "/music/a.ogg"}}},
    {kRun, {{"a", REG_SZ, "gedit\\1"}, {"b", REG_SZ, "xterm\\1"}, {"MRUList", REG_SZ, "ba"}}},
};

class RegistryFaultsTest : public support::EndToEndFixture {
 protected:
  RegistryFaultsTest() { Seed(); }

  // Written and closed, so that the store is one file with nothing pending beside it.
  void Seed() const {
    standin::RegistryStore store(file_);
    for (const auto& [path, values] : kSeed) {
      const auto key = store.CreateKey(path);
      EXPECT_TRUE(key);
      for (const RegistryValue& value : values) EXPECT_TRUE(store.SetValue(*key, value));
    }
  }

  // Each key's values, as another process reads them.
  Contents Stored() const {
    standin::RegistryStore store(file_);
    Contents contents;
    for (const auto& [path, values] : kSeed) {
      const auto key = store.FindKey(path);
      contents[path] = key ? store.Values(*key) : std::vector<RegistryValue>{};
    }
    return contents;
  }

  // Checks the three registry clean-ups and presses "Delete"; how long it took.
  std::chrono::steady_clock::duration ClearHistory(TMainForm& form) {
    for (const int item : {0, 2, 3}) form.CheckListBox1->SetChecked(item, true);
    const auto began = std::chrono::steady_clock::now();
    form.ToolButton11->Click();
    return std::chrono::steady_clock::now() - began;
  }

  const fs::path file_ = standin::RegistryStore::DefaultFile();
};

TEST_F(RegistryFaultsTest, AStoreThatMayNotBeWrittenOrIsDamagedIsLeftAsItWas) {
  const fs::path folder = file_.parent_path();
  const std::string whole = support::ReadFile(file_);
  struct FaultCase {
    const char* name;
    std::string bytes;
    mode_t file;
    mode_t folder;
  };
  for (const FaultCase& c : {FaultCase{"read-only file", whole, 0444, 0755},
                             FaultCase{"read-only folder", whole, 0644, 0555},
                             FaultCase{"both read-only", whole, 0444, 0555},
                             FaultCase{"truncated", whole.substr(0, whole.size() / 2), 0644, 0755},
                             FaultCase{"not a database", std::string(4096, '\x5a'), 0644, 0755}}) {
    support::WriteFile(file_, c.bytes);
    ASSERT_EQ(chmod(file_.c_str(), c.file), 0);
    ASSERT_EQ(chmod(folder.c_str(), c.folder), 0);
    {
      const support::WithoutPermissionOverride plainUser;
      TMainForm& form = Open();
      ClearHistory(form);
      EXPECT_EQ(form.ProgressBar->Position(), 0) << c.name;
      delete MainForm;
      MainForm = nullptr;
    }
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod(file_.c_str(), 0644), 0);
    EXPECT_EQ(support::ReadFile(file_), c.bytes) << c.name;
    EXPECT_EQ(support::ReadFile(file_.string() + "-wal"), "") << c.name;
    support::WriteFile(file_, whole);
    EXPECT_EQ(Stored(), kSeed) << c.name;
  }
}

TEST_F(RegistryFaultsTest, AStoreLockedByAnotherProcessIsClearedOnceItIsFree) {
  struct LockCase {
    const char* name;
    std::chrono::milliseconds hold;
    bool cleared;
  };
  for (const LockCase& c : {LockCase{"for a moment", std::chrono::milliseconds(300), true},
                            LockCase{"for long", std::chrono::milliseconds(20000), false}}) {
    TMainForm& form = Open();
    std::chrono::steady_clock::duration took{};
    {
      support::StoreLockHolder holder(file_, c.hold);
      ASSERT_TRUE(holder.Locked()) << c.name;
      holder.Release();
      took = ClearHistory(form);
    }
    // The store's lock timeout is 5 s: one wait for the whole clean-up, not one per value.
    EXPECT_LT(took, std::chrono::seconds(8)) << c.name;
    EXPECT_EQ(form.ProgressBar->Position(), 0) << c.name;
    if (c.cleared) {
      EXPECT_THAT(Stored(), Each(Pair(::testing::_, IsEmpty()))) << c.name;
    } else {
      EXPECT_EQ(Stored(), kSeed) << c.name;
      // The lock is gone now: the same window clears the store at the user's next click, which
      // comes through the event loop.
      QCoreApplication::processEvents();
      ClearHistory(form);
      EXPECT_THAT(Stored(), Each(Pair(::testing::_, IsEmpty()))) << c.name;
    }
    delete MainForm;
    MainForm = nullptr;
    Seed();
  }
}

// A full disk needs a mount namespace of the test's own; where that is not allowed the test is
// skipped.
TEST_F(RegistryFaultsTest, OnAFullDiskTheStoreIsKeptWholeAndClearedOnceThereIsRoom) {
  if (const std::string why = support::EnterPrivateMountNamespace(); !why.empty()) {
    GTEST_SKIP() << why;
  }
  const fs::path folder = file_.parent_path();
  support::MountSmallDisk(folder, "256k");
  support::FillDisk(folder);
  TMainForm& form = Open();
  ClearHistory(form);
  EXPECT_EQ(form.ProgressBar->Position(), 0);

  // Room again: nothing went, the store is whole, and the same window clears it.
  fs::remove(folder / "filler");
  EXPECT_EQ(Stored(), kSeed);
  EXPECT_EQ(support::IntegrityOf(file_), "ok");
  ClearHistory(form);
  EXPECT_THAT(Stored(), Each(Pair(::testing::_, IsEmpty())));
  EXPECT_EQ(support::IntegrityOf(file_), "ok");
  umount2(folder.c_str(), MNT_DETACH);
}

}  // namespace
