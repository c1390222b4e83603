// The three registry clean-ups: every value of their key deleted, the last listed first, with
// the progress bar running down; keys, subkeys and missing keys left as they are; the key
// closed and the bar reset on every path.

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

#include "MainFormFixture.h"
#include "toolkit/Exceptions.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int kTypedUrls = 0;
constexpr int kRecycleBin = 5;
constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

using RegistryCleanUpTest = MainFormTest;

TEST_F(RegistryCleanUpTest, DeletesTheLastListedValueFirstWhileTheBarRunsDown) {
  struct KeyCase {
    int item;
    std::string key;
  };
  const KeyCase keys[] = {
      {kTypedUrls, kTypedUrlsKey},
      {2, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"},
      {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"},
  };
  int opened = 0;
  for (const KeyCase& c : keys) {
    fake.registry.keys = {{c.key, {"V1", "MRUList", "V3"}}};
    std::vector<std::string> progress;
    fake.onCall = [&progress](const std::string& call) {
      if (call.rfind("RegDeleteValueA", 0) == 0 || call.rfind("RegCloseKey", 0) == 0) {
        progress.push_back(std::to_string(MainForm->ProgressBar->Max()) + ":" +
                           std::to_string(MainForm->ProgressBar->Position()));
      }
    };
    RunCleanUp(c.item);
    fake.onCall = nullptr;
    const std::string key = "hk" + std::to_string(++opened);
    EXPECT_THAT(fake.calls, ElementsAreArray(std::vector<std::string>{
                                "RegOpenKeyExA(HKCU, \"" + c.key + "\", 0, 0xF003F)",
                                "RegQueryInfoKeyA(" + key + ")",
                                "LocalAlloc(0, 8)",
                                "RegEnumValueA(" + key + ", 0, 8)",
                                "RegEnumValueA(" + key + ", 1, 8)",
                                "RegEnumValueA(" + key + ", 2, 8)",
                                "LocalFree(buf8)",
                                "RegDeleteValueA(" + key + ", \"V3\")",
                                "RegDeleteValueA(" + key + ", \"MRUList\")",
                                "RegDeleteValueA(" + key + ", \"V1\")",
                                "RegCloseKey(" + key + ")",
                            }))
        << c.key;
    // Before each deletion and the close: the maximum, and the position the last step left.
    EXPECT_THAT(progress, ElementsAre("3:0", "3:2", "3:1", "3:0")) << c.key;
    EXPECT_EQ(MainForm->ProgressBar->Position(), 0);
    EXPECT_THAT(fake.registry.keys.at(c.key), IsEmpty());
  }
}

TEST_F(RegistryCleanUpTest, KeysOfEveryShape) {
  using Values = std::vector<std::string>;
  struct ShapeCase {
    const char* name;
    std::function<void(fakes::FakeRegistry&)> seed;
    Values deleted;
    int max;
  };
  const Values three = {"url1", "url2", "url3"};
  const ShapeCase cases[] = {
      {"one value", [](auto& r) { r.keys[kTypedUrlsKey] = {"url1"}; }, {"url1"}, 1},
      {"no values", [](auto& r) { r.keys[kTypedUrlsKey] = {}; }, {}, 0},
      {"missing key", [](auto&) {}, {}, 0},
      {"key that refuses to open",
       [](auto& r) {
         r.keys[kTypedUrlsKey] = {"url1"};
         r.openFails[kTypedUrlsKey] = ERROR_ACCESS_DENIED;
       },
       {},
       0},
      {"query that fails lists nothing",
       [](auto& r) {
         r.keys[kTypedUrlsKey] = {"url1"};
         r.queryFails = true;
       },
       {},
       0},
      {"a value that cannot go does not stop the others",
       [&three](auto& r) {
         r.keys[kTypedUrlsKey] = three;
         r.undeletable = {"url2"};
       },
       {"url3", "url2", "url1"},
       3},
      // The buffer still holds "url1" when the next enumeration fails: nothing is appended.
      {"a failed enumeration adds no name",
       [&three](auto& r) {
         r.keys[kTypedUrlsKey] = three;
         r.enumerationFails = {"url2"};
       },
       {"url3", "url1"},
       2},
  };
  for (const ShapeCase& c : cases) {
    fake.registry = {};
    c.seed(fake.registry);
    const fakes::FakeRegistry before = fake.registry;
    RunCleanUp(kTypedUrls);
    Values deleted;
    for (const std::string& call : fake.CallsOf("RegDeleteValueA")) {
      const std::size_t open = call.find('"');
      deleted.push_back(call.substr(open + 1, call.rfind('"') - open - 1));
    }
    EXPECT_EQ(deleted, c.deleted) << c.name;
    EXPECT_EQ(MainForm->ProgressBar->Max(), c.max) << c.name;
    EXPECT_EQ(MainForm->ProgressBar->Position(), 0) << c.name;
    // Exactly the deleted values are gone; a missing key is not created.
    EXPECT_EQ(fake.registry.keys.size(), before.keys.size()) << c.name;
    if (before.keys.count(kTypedUrlsKey) != 0) {
      Values left;
      for (const std::string& name : before.keys.at(kTypedUrlsKey)) {
        if (std::count(deleted.begin(), deleted.end(), name) == 0 ||
            before.undeletable.count(name) != 0) {
          left.push_back(name);
        }
      }
      EXPECT_EQ(fake.registry.keys.at(kTypedUrlsKey), left) << c.name;
    }
    // A key that was opened is closed once; one that was not is not.
    const bool opened = before.keys.count(kTypedUrlsKey) != 0 && before.openFails.empty();
    EXPECT_EQ(fake.CallsOf("RegCloseKey").size(), opened ? 1u : 0u) << c.name;
  }
}

TEST_F(RegistryCleanUpTest, SubkeysAndTheirValuesStay) {
  const std::string sub = std::string(kTypedUrlsKey) + "\\Sub";
  fake.registry.keys = {{kTypedUrlsKey, {"url1"}}, {sub, {"kept"}}};
  RunCleanUp(kTypedUrls);
  EXPECT_THAT(fake.registry.keys.at(kTypedUrlsKey), IsEmpty());
  EXPECT_THAT(fake.registry.keys.at(sub), ElementsAre("kept"));
  for (const std::string& call : fake.calls) EXPECT_EQ(call.find("Sub"), std::string::npos) << call;
}

struct ErrorCase {
  const char* name;
  int failAllocation;          // the name buffer cannot be had
  const char* throwsDeleting;  // or an error is raised as this value goes
  std::vector<std::string> left;
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
  *out << c.name;
}

class RegistryCleanUpErrorTest : public RegistryCleanUpTest,
                                 public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(RegistryCleanUpErrorTest, StillClosesTheKeyAndResetsTheBar) {
  const ErrorCase& c = GetParam();
  fake.registry.keys = {{kTypedUrlsKey, {"url1", "url2", "url3"}}};
  TMainForm& form = Create();
  // The empty cache of the first load took no block: the next allocation is the name buffer.
  fake.failAllocation = c.failAllocation;
  fake.onCall = [&c](const std::string& call) {
    if (c.throwsDeleting != nullptr && call == c.throwsDeleting) {
      EXPECT_EQ(MainForm->ProgressBar->Position(), 2);
      throw toolkit::EOutOfMemory();
    }
  };
  form.CheckListBox1->SetChecked(kTypedUrls, true);
  form.CheckListBox1->SetChecked(kRecycleBin, true);
  form.ToolButton11->click();
  fake.onCall = nullptr;
  EXPECT_THAT(fake.CallsOf("RegCloseKey"), ElementsAre("RegCloseKey(hk1)"));
  EXPECT_EQ(form.ProgressBar->Position(), 0);
  EXPECT_EQ(fake.registry.keys.at(kTypedUrlsKey), c.left);
  // The error leaves "Delete" at once: the later clean-up does not run and the marks stay.
  ASSERT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.messageBoxes[0].text, "Out of memory.");
  EXPECT_EQ(fake.messageBoxes[0].type, MB_OK | MB_ICONSTOP);
  EXPECT_THAT(fake.CallsOf("LoadLibraryA"), IsEmpty());
  EXPECT_TRUE(form.CheckListBox1->Checked(kTypedUrls));
  EXPECT_TRUE(form.CheckListBox1->Checked(kRecycleBin));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RegistryCleanUpErrorTest,
    ::testing::Values(ErrorCase{"NameBuffer", 1, nullptr, {"url1", "url2", "url3"}},
                      ErrorCase{
                          "SecondDeletion", 0, "RegDeleteValueA(hk1, \"url2\")", {"url1", "url2"}}),
    [](const ::testing::TestParamInfo<ErrorCase>& param) { return param.param.name; });

}  // namespace
