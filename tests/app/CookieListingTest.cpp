// Walking the URL cache into the cookie list: the calls in their order, how a walk ends, what a
// row shows, and the count and buttons that follow the rows.

#include <gmock/gmock.h>

#include <QApplication>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string Size(const std::string& url) {
  return std::to_string(sizeof(INTERNET_CACHE_ENTRY_INFOA) + url.size() + 1);
}

// The calls of the walk: the URL cache, the heap and the error code.
std::vector<std::string> Walk(const std::vector<std::string>& calls) {
  std::vector<std::string> walk;
  for (const std::string& call : calls) {
    if (call.rfind("FileTime", 0) != 0) walk.push_back(call);
  }
  return walk;
}

TEST_F(MainFormTest, WalkFetchesEveryEntryWithAnExactBufferAndListsTheCookies) {
  AddCookie("Cookie:a@x.com/");
  fake.cache.push_back({"https://x.com/page.html", NORMAL_CACHE_ENTRY});
  AddCookie("Cookie:b@y.com/");
  Create();
  const std::string a = Size("Cookie:a@x.com/");
  const std::string p = Size("https://x.com/page.html");
  const std::string b = Size("Cookie:b@y.com/");
  EXPECT_THAT(Walk(fake.calls), ElementsAreArray(std::vector<std::string>{
                                    "FindFirstUrlCacheEntryA(null, null, 0)",
                                    "LocalAlloc(0, " + a + ")",
                                    "FindFirstUrlCacheEntryA(null, buf" + a + ", " + a + ")",
                                    "LocalFree(buf" + a + ")",
                                    "FindNextUrlCacheEntryA(h1, null, 0)",
                                    "GetLastError()",
                                    "LocalAlloc(0, " + p + ")",
                                    "FindNextUrlCacheEntryA(h1, buf" + p + ", " + p + ")",
                                    "LocalFree(buf" + p + ")",
                                    "FindNextUrlCacheEntryA(h1, null, 0)",
                                    "GetLastError()",
                                    "LocalAlloc(0, " + b + ")",
                                    "FindNextUrlCacheEntryA(h1, buf" + b + ", " + b + ")",
                                    "LocalFree(buf" + b + ")",
                                    "FindNextUrlCacheEntryA(h1, null, 0)",
                                    "GetLastError()",
                                    "FindCloseUrlCache(h1)",
                                }));
  EXPECT_THAT(Captions(), ElementsAre("x.com", "y.com"));
  EXPECT_EQ(MainForm->edCookieCount->text(), "2");
}

TEST_F(MainFormTest, EmptyCacheAllocatesNothingEndsOnTheNullHandleAndDisablesTheButtons) {
  Create();
  EXPECT_THAT(fake.calls, ElementsAre("FindFirstUrlCacheEntryA(null, null, 0)",
                                      "FindFirstUrlCacheEntryA(null, null, 0)",
                                      "FindNextUrlCacheEntryA(null, null, 0)", "GetLastError()",
                                      "FindCloseUrlCache(null)"));
  EXPECT_EQ(MainForm->edCookieCount->text(), "0");
  for (auto* button : {MainForm->ToolButton1, MainForm->ToolButton2, MainForm->ToolButton4,
                       MainForm->ToolButton5}) {
    EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
  }
  EXPECT_TRUE(MainForm->ToolButton3->isEnabled());
  EXPECT_TRUE(MainForm->ToolButton6->isEnabled());
}

TEST_F(MainFormTest, FetchFailingAfterItsSizeQueryIsAskedForAgainWithoutEndingTheWalk) {
  AddCookie("Cookie:a@one/");
  AddCookie("Cookie:a@two/");
  AddCookie("Cookie:a@three/");
  fake.growsBeforeFetch["Cookie:a@two/"] = 16;
  Create();
  EXPECT_THAT(Captions(), ElementsAre("one", "two", "three"));
  // The failed fetch of "two" is followed by a second size query and fetch.
  EXPECT_EQ(fake.CallsOf("FindNextUrlCacheEntryA").size(), 7u);
}

TEST_F(MainFormTest, FirstEntryGrowingBeforeItsFetchLeavesNoSearchAndAnEmptyList) {
  AddCookie("Cookie:a@one/");
  AddCookie("Cookie:a@two/");
  fake.growsBeforeFetch["Cookie:a@one/"] = 16;
  Create();
  EXPECT_TRUE(Captions().empty());
  EXPECT_THAT(fake.CallsOf("FindCloseUrlCache"), ElementsAre("FindCloseUrlCache(null)"));
}

TEST_F(MainFormTest, OtherErrorCodesAreAskedPastOnceButNotForEver) {
  AddCookie("Cookie:a@one/");
  AddCookie("Cookie:a@two/");
  fake.sizeQueryFails[1] = 31;
  Create();
  EXPECT_THAT(Captions(), ElementsAre("one", "two"));

  MainForm->btnRefreshClick(nullptr);
  fake.calls.clear();
  fake.everySizeQueryFails = 31;
  MainForm->btnRefreshClick(nullptr);
  EXPECT_THAT(Captions(), ElementsAre("one"));
  EXPECT_EQ(fake.CallsOf("FindNextUrlCacheEntryA").size(), 100u);
  EXPECT_THAT(fake.CallsOf("FindCloseUrlCache"), ElementsAre("FindCloseUrlCache(h3)"));
}

TEST_F(MainFormTest, OutOfMemoryMidWalkReachesTheErrorBoxWithCursorAndSearchRestored) {
  for (const char* url : {"Cookie:a@1/", "Cookie:a@2/", "Cookie:a@3/", "Cookie:a@4/"}) {
    AddCookie(url);
  }
  std::vector<toolkit::TCursor> cursors;
  fake.onCall = [&](const std::string& call) {
    if (call.rfind("FindFirst", 0) == 0) cursors.push_back(application.Cursor());
  };
  fake.failAllocation = 3;
  Create();
  EXPECT_THAT(cursors, ElementsAre(toolkit::crHourGlass, toolkit::crHourGlass));
  EXPECT_EQ(application.Cursor(), toolkit::crDefault);
  ASSERT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.messageBoxes[0].text, "Out of memory.");
  EXPECT_EQ(fake.messageBoxes[0].caption, "app_tests");
  EXPECT_EQ(fake.messageBoxes[0].type, MB_OK | MB_ICONSTOP);
  EXPECT_THAT(Captions(), ElementsAre("1", "2"));
  EXPECT_EQ(MainForm->edCookieCount->text(), "2");
  EXPECT_TRUE(MainForm->ToolButton5->isEnabled());
  EXPECT_THAT(fake.CallsOf("FindCloseUrlCache"), ElementsAre("FindCloseUrlCache(h1)"));
  EXPECT_EQ(fake.LiveBlocks(), 0u);
}

struct AddressCase {
  const char* name;
  std::string url;
  std::string caption;
};

TEST_F(MainFormTest, RowShowsTheSiteAfterTheFirstAtSignAndTheWholeNameBeside) {
  const std::string long300(300, 'p');
  const std::string long259(259, 'q');
  const AddressCase cases[] = {
      {"usual", "Cookie:jane@example.com/", "example.com"},
      {"two at signs", "Cookie:jane@mirror@example.com/", "mirror@example.com"},
      {"no at sign", "example.com/path/", "example.com/path"},
      {"ends in an at sign", "Cookie:jane@", ""},
      {"two slashes keep one", "Cookie:jane@example.com//", "example.com/"},
      {"cut at 260", "Cookie:jane@" + long300, long300.substr(0, 260)},
      {"slash 260th is dropped", "Cookie:jane@" + long259 + "//tail", long259},
      {"no at sign, long", long300, long300.substr(0, 260)},
      {"just a slash", "Cookie:jane@/", ""},
  };
  for (const AddressCase& c : cases) AddCookie(c.url);
  Create();
  ASSERT_EQ(MainForm->lvCookies->Items->Count(), static_cast<int>(std::size(cases)));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const toolkit::TListItem* row = MainForm->lvCookies->Items->Item(static_cast<int>(i));
    EXPECT_EQ(row->Caption(), cases[i].caption) << cases[i].name;
    EXPECT_EQ(row->SubItem(3), cases[i].url) << cases[i].name;
  }
}

TEST_F(MainFormTest, HitCountsShowUnsigned) {
  AddCookie("Cookie:a@max/", 4294967295u);
  AddCookie("Cookie:a@none/", 0);
  AddCookie("Cookie:a@sign/", 2147483648u);
  Create();
  const auto hits = [](int row) {
    return std::string(MainForm->lvCookies->Items->Item(row)->SubItem(0));
  };
  EXPECT_EQ(hits(0), "4294967295");
  EXPECT_EQ(hits(1), "0");
  EXPECT_EQ(hits(2), "2147483648");
}

TEST_F(MainFormTest, RefreshReloadsUncheckedWithTheFirstRowFocusedAndSelected) {
  AddCookie("Cookie:a@one/");
  AddCookie("Cookie:a@two/");
  TMainForm& form = Create();
  form.show();
  form.lvCookies->Items->Item(1)->SetChecked(true);
  form.lvCookies->SetItemFocused(form.lvCookies->Items->Item(1));
  fake.cache.erase(fake.cache.begin());
  AddCookie("Cookie:a@three/");
  form.ToolButton3->click();
  EXPECT_THAT(Captions(), ElementsAre("two", "three"));
  EXPECT_FALSE(form.lvCookies->Items->Item(0)->Checked());
  EXPECT_EQ(form.lvCookies->Selected(), form.lvCookies->Items->Item(0));
  EXPECT_EQ(form.lvCookies->ItemFocused(), form.lvCookies->Items->Item(0));
  EXPECT_EQ(form.edCookieCount->text(), "2");
}

TEST_F(MainFormTest, RefreshOnTheOtherTabReloadsButLeavesTheFocus) {
  AddCookie("Cookie:a@one/");
  TMainForm& form = Create();
  form.show();
  form.PageControl1->setCurrentIndex(1);
  form.CheckListBox1->setFocus();
  AddCookie("Cookie:a@two/");
  form.ToolButton3->Click();
  EXPECT_THAT(Captions(), ElementsAre("one", "two"));
  EXPECT_EQ(form.lvCookies->Selected(), nullptr);
  EXPECT_NE(QApplication::focusWidget(), form.lvCookies);
}

// "Privacy" across loads and activations, on shells on either side of the gate.
TEST_F(MainFormTest, PrivacyGateOnANewShell) {
  TMainForm& form = Create();
  EXPECT_FALSE(form.ToolButton4->isEnabled()) << "an empty list disables it";
  form.FormActivate(nullptr);
  EXPECT_EQ(ShellMajorVersion, 6u);
  EXPECT_TRUE(form.ToolButton4->isEnabled()) << "activation enables it on an empty list";
  form.btnRefreshClick(nullptr);
  EXPECT_FALSE(form.ToolButton4->isEnabled());
  AddCookie("Cookie:a@one/");
  form.btnRefreshClick(nullptr);
  EXPECT_TRUE(form.ToolButton4->isEnabled());
  EXPECT_TRUE(form.ToolButton1->isEnabled());
}

TEST_F(MainFormTest, PrivacyGateOnAnOldShell) {
  fake.shellMajorVersion = 5;
  AddCookie("Cookie:a@one/");
  TMainForm& form = Create();
  form.FormActivate(nullptr);
  EXPECT_EQ(ShellMajorVersion, 5u);
  EXPECT_TRUE(form.ToolButton4->isEnabled()) << "it keeps its starting state";
  fake.cache.clear();
  form.btnRefreshClick(nullptr);
  EXPECT_FALSE(form.ToolButton4->isEnabled());
  AddCookie("Cookie:a@two/");
  form.btnRefreshClick(nullptr);
  form.FormActivate(nullptr);
  EXPECT_FALSE(form.ToolButton4->isEnabled()) << "once disabled it stays so";
  EXPECT_TRUE(form.ToolButton5->isEnabled());
}

}  // namespace
