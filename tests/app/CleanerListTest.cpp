// The "Programs History" tab's buttons: checking and unchecking every item, and "Delete"
// running the checked clean-ups in the order of the list, then unchecking them all.

#include <gmock/gmock.h>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Which clean-up each call starts, for the calls that start one.
std::vector<std::string> CleanUpsRun(const std::vector<std::string>& calls) {
  const std::pair<std::string, std::string> starts[] = {
      {"RegOpenKeyExA(HKCU, \"Software\\Microsoft\\Internet Explorer\\TypedURLs\"", "TypedUrls"},
      {"FindCloseUrlCache(", "UrlCache"},
      {"RegOpenKeyExA(HKCU, \"Software\\Microsoft\\MediaPlayer", "MediaPlayerHistory"},
      {"RegOpenKeyExA(HKCU, \"Software\\Microsoft\\Windows", "RunHistory"},
      {"SHAddToRecentDocs(", "RecentDocuments"},
      {"LoadLibraryA(\"Shell32.dll\")", "RecycleBin"},
  };
  std::vector<std::string> run;
  for (const std::string& call : calls) {
    for (const auto& [start, cleanUp] : starts) {
      if (call.rfind(start, 0) == 0) run.push_back(cleanUp);
    }
  }
  return run;
}

class CleanerListTest : public MainFormTest {
 protected:
  CleanerListTest() : form(Create()) { fake.calls.clear(); }

  std::vector<bool> Marks() const {
    std::vector<bool> marks;
    for (int i = 0; i < form.CheckListBox1->Count(); ++i) {
      marks.push_back(form.CheckListBox1->Checked(i));
    }
    return marks;
  }

  TMainForm& form;
};

const std::vector<bool> kNoneChecked(6, false);
const std::vector<bool> kAllChecked(6, true);

TEST_F(CleanerListTest, CheckAllThenDeleteRunsAllSixInListOrderAndUnchecksThem) {
  form.ToolButton7->click();
  EXPECT_EQ(Marks(), kAllChecked);
  form.ToolButton11->click();
  EXPECT_THAT(CleanUpsRun(fake.calls), ElementsAre("TypedUrls", "UrlCache", "MediaPlayerHistory",
                                                   "RunHistory", "RecentDocuments", "RecycleBin"));
  EXPECT_EQ(Marks(), kNoneChecked);
}

TEST_F(CleanerListTest, OnlyTheCheckedItemsRunAndASecondDeleteRunsNothing) {
  form.CheckListBox1->SetChecked(5, true);
  form.CheckListBox1->SetChecked(0, true);
  form.ToolButton11->click();
  EXPECT_THAT(CleanUpsRun(fake.calls), ElementsAre("TypedUrls", "RecycleBin"));
  EXPECT_EQ(Marks(), kNoneChecked);
  fake.calls.clear();
  form.ToolButton11->click();
  EXPECT_THAT(fake.calls, IsEmpty());
}

TEST_F(CleanerListTest, CheckAllThenUnCheckAllRunsNothing) {
  form.ToolButton7->click();
  form.ToolButton8->click();
  EXPECT_EQ(Marks(), kNoneChecked);
  form.ToolButton11->click();
  EXPECT_THAT(fake.calls, IsEmpty());
}

TEST_F(CleanerListTest, EachMarkIsReadJustBeforeItsOwnCleanUp) {
  form.ToolButton7->click();
  // An earlier clean-up that takes the last item's mark away keeps it from running.
  fake.onCall = [this](const std::string& call) {
    if (call.rfind("SHAddToRecentDocs", 0) == 0) form.CheckListBox1->SetChecked(5, false);
  };
  form.ToolButton11->click();
  fake.onCall = nullptr;
  EXPECT_THAT(CleanUpsRun(fake.calls), ElementsAre("TypedUrls", "UrlCache", "MediaPlayerHistory",
                                                   "RunHistory", "RecentDocuments"));
}

TEST_F(CleanerListTest, WithoutShell32TheMessageComesLastAndTheMarksClearOnceItIsClosed) {
  fake.shell32Loads = false;
  std::vector<bool> marksWhileShown;
  fake.onCall = [&](const std::string& call) {
    if (call.rfind("MessageBoxA", 0) == 0) marksWhileShown = Marks();
  };
  form.ToolButton7->click();
  form.ToolButton11->click();
  fake.onCall = nullptr;
  EXPECT_THAT(CleanUpsRun(fake.calls), ElementsAre("TypedUrls", "UrlCache", "MediaPlayerHistory",
                                                   "RunHistory", "RecentDocuments", "RecycleBin"));
  EXPECT_EQ(fake.calls.back(), "MessageBoxA(\"Failed to load Shell32.dll.\", \"app_tests\", 0)");
  EXPECT_EQ(marksWhileShown, kAllChecked);
  EXPECT_EQ(Marks(), kNoneChecked);
}

}  // namespace
