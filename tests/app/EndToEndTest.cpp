// The window over the real stand-in platform: the persistent URL cache of a temporary
// profile, seeded by the stand-in's own tool or by another connection, as another program
// would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>

#include "app/EndToEndFixture.h"
#include "app/FuncUnit.h"
#include "platform/linux/UrlCacheStore.h"
#include "tools/FileTimes.h"

namespace {

using ::testing::ElementsAre;

class EndToEndTest : public support::EndToEndFixture {
 protected:
  // Runs the stand-in tool in the test's profile; its exit code.
  int Tool(const QStringList& arguments, QString* errors = nullptr) {
    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + "/../src/standin", arguments);
    tool.waitForFinished(30000);
    if (errors != nullptr) *errors = QString::fromUtf8(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
  }
};

TEST_F(EndToEndTest, ListsTheCookiesTheToolAddedAndFollowsAnotherProcessOnRefresh) {
  ASSERT_EQ(Tool({"cache", "add", "Cookie:jane@example.com/", "--cookie", "--hits", "4294967295",
                  "--modified", "2026-03-01T12:00:00Z", "--expires", "never"}),
            0);
  ASSERT_EQ(Tool({"cache", "add", "https://example.com/index.html"}), 0);
  ASSERT_EQ(Tool({"cache", "add", "Cookie:john@other.example.org/path/", "--cookie"}), 0);
  TMainForm& form = Open();
  EXPECT_THAT(Captions(), ElementsAre("example.com", "other.example.org/path"));
  EXPECT_EQ(form.lvCookies->Items->Item(0)->SubItem(0), "4294967295");
  EXPECT_EQ(form.lvCookies->Items->Item(0)->SubItem(2), "01/01/80 12:00:00 AM");
  EXPECT_EQ(form.edCookieCount->text(), "2");

  ASSERT_EQ(Tool({"cache", "remove", "Cookie:jane@example.com/"}), 0);
  standin::UrlCacheStore other(standin::UrlCacheStore::DefaultFile());
  ASSERT_TRUE(other.Put({"Cookie:guest@late.example.net/", COOKIE_CACHE_ENTRY, 1,
                         standin::FileTimeOf(2026, 5, 5), 0, 0}));
  form.btnRefreshClick(nullptr);
  EXPECT_THAT(Captions(), ElementsAre("other.example.org/path", "late.example.net"));
}

TEST_F(EndToEndTest, DemoProfileHoldsTheAwkwardCookiesAndBadInputChangesNothing) {
  ASSERT_EQ(Tool({"demo"}), 0);
  TMainForm& form = Open();
  EXPECT_EQ(form.edCookieCount->text(), "36");
  const auto captions = Captions();
  EXPECT_THAT(captions, ::testing::Contains("mirror@two-at-signs.example.org"));
  EXPECT_THAT(captions, ::testing::Contains("cookie-without-a-user.example.com"));
  EXPECT_THAT(captions, ::testing::Contains(""));

  QString errors;
  EXPECT_EQ(Tool({"cache", "add", "Cookie:a@b/", "--hits", "-1"}, &errors), 2);
  EXPECT_THAT(errors.toStdString(), ::testing::HasSubstr("not a 32-bit unsigned number"));
  EXPECT_EQ(Tool({"cache", "add", "Cookie:a@b/", "--expires", "2026-13-01"}, &errors), 2);
  EXPECT_EQ(Tool({"cache", "frobnicate"}), 2);
  form.btnRefreshClick(nullptr);
  EXPECT_EQ(form.edCookieCount->text(), "36");
}

TEST_F(EndToEndTest, CheckAllAndDeleteEmptyTheStoreOfCookiesOnly) {
  standin::UrlCacheStore store(standin::UrlCacheStore::DefaultFile());
  std::vector<standin::CacheEntry> entries;
  for (int i = 0; i < 300; ++i) {
    entries.push_back({"Cookie:u@site" + std::to_string(i) + ".example/",
                       i % 3 == 0 ? NORMAL_CACHE_ENTRY : COOKIE_CACHE_ENTRY, 1, 0, 0, 0});
  }
  ASSERT_TRUE(store.PutAll(entries));
  TMainForm& form = Open();
  ASSERT_EQ(form.edCookieCount->text(), "200");
  form.ToolButton1->Click();
  form.ToolButton5->Click();
  EXPECT_EQ(form.edCookieCount->text(), "0");
  const auto left = store.All();
  EXPECT_EQ(left.size(), 100u);
  EXPECT_TRUE(std::all_of(left.begin(), left.end(),
                          [](const auto& entry) { return entry.type == NORMAL_CACHE_ENTRY; }));
}

TEST_F(EndToEndTest, ShellVersionComesFromTheStandInLibrary) {
  ShellMajorVersion = 0;
  ProbeShellVersion();
  EXPECT_EQ(ShellMajorVersion, 6u);
  setenv("STANDIN_SHELL_VERSION", "5.50", 1);
  ProbeShellVersion();
  unsetenv("STANDIN_SHELL_VERSION");
  EXPECT_EQ(ShellMajorVersion, 5u);
}

}  // namespace
