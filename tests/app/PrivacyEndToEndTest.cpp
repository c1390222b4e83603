// The hand-off and the watcher over the real stand-in platform: the start-up tick, then the
// stand-in Internet Options program started, driven to its per-site dialog and closed again,
// each in real time and with bounded waits.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include "app/MainUnit.h"
#include "platform/WindowMessaging.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/RuntimeDirectory.h"
#include "platform/linux/UrlCacheStore.h"
#include "platform/linux/WindowDirectory.h"
#include "support/TempProfile.h"
#include "support/WaitFor.h"
#include "toolkit/Application.h"

namespace {

using support::WaitFor;

class PrivacyEndToEndTest : public ::testing::Test {
 protected:
  ~PrivacyEndToEndTest() override {
    // An Internet Options left open by a failing test goes with it.
    if (const HWND options = FindWindowA("#32770", "Internet Properties")) {
      standin::WindowDirectory directory(*standin::RuntimeDirectory());
      if (const auto record = directory.Get(options)) ::kill(record->owner.pid, SIGKILL);
    }
    delete MainForm;
    MainForm = nullptr;
  }

  void AddCookie(const std::string& url) {
    ASSERT_TRUE(cache_.Put({url, COOKIE_CACHE_ENTRY, 1, 0, 0, 0}));
  }

  int Rows() const { return MainForm->lvCookies->Items->Count(); }

  support::TempProfile profile_;
  standin::LinuxPlatform platform_;
  toolkit::TApplication application_;
  standin::UrlCacheStore cache_{standin::UrlCacheStore::DefaultFile()};
};

TEST_F(PrivacyEndToEndTest, HandOffTypesTheSelectedSiteAndClosingInternetOptionsReloads) {
  AddCookie("Cookie:jane@example.com/");
  MainForm = new TMainForm;
  TMainForm& form = *MainForm;
  form.FormCreate(nullptr);
  ASSERT_EQ(Rows(), 1);

  // About a second after creation the timer's one tick reloads the list.
  AddCookie("Cookie:john@second.example.org/");
  EXPECT_TRUE(WaitFor([&] { return Rows() == 2 && !form.Timer->Enabled(); }, 5000));

  form.lvCookies->Items->Item(0)->SetSelected(true);
  form.ToolButton4->Click();
  const HWND options = FindWindowA("#32770", "Internet Properties");
  const HWND perSite = FindWindowA("#32770", "Per Site Privacy Actions");
  ASSERT_NE(options, nullptr);
  ASSERT_NE(perSite, nullptr);
  EXPECT_NE(FindWindowExA(perSite, nullptr, "Edit", "example.com"), nullptr);
  EXPECT_TRUE(form.Timer->Enabled());

  // The user closes Internet Options; the watcher's tick sees it gone and reloads.
  AddCookie("Cookie:jim@third.example.net/");
  ASSERT_TRUE(PostMessageA(perSite, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0));
  ASSERT_TRUE(PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0));
  EXPECT_TRUE(WaitFor([&] { return Rows() == 3; }, 10000));
  EXPECT_EQ(FindWindowA("#32770", "Internet Properties"), nullptr);
  EXPECT_FALSE(form.Timer->Enabled());
}

}  // namespace
