// The stand-in Internet Options program in a process of its own, driven through the window
// calls as Veltrin drives it: started by WinExec, found, clicked, typed into, closed; then
// hung and killed, which must neither hang the caller nor leave windows that can be found.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <QElapsedTimer>

#include "inetcpl/SiteDecisions.h"
#include "platform/Errors.h"
#include "platform/linux/DirectoryWindows.h"
#include "platform/linux/LocalProcesses.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/RuntimeDirectory.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/WindowDirectory.h"
#include "support/TempProfile.h"
#include "support/WaitFor.h"

namespace {

using support::WaitFor;
using ::testing::ElementsAre;

constexpr const char* kCommand = "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2";
constexpr int IDOK = 1;
constexpr int kBlockButton = 1002;

class InternetOptionsProcessTest : public ::testing::Test {
 protected:
  ~InternetOptionsProcessTest() override {
    if (owner_ > 0) ::kill(owner_, SIGKILL);
  }

  // Starts Internet Options as the hand-off does and waits for its window.
  HWND Start() {
    EXPECT_GT(processes_.WinExec(kCommand, SW_SHOWMINIMIZED), 31u);
    HWND options = nullptr;
    EXPECT_TRUE(WaitFor([&] {
      options = windows_.FindWindowA("#32770", "Internet Properties");
      return options != nullptr;
    }));
    if (options != nullptr) owner_ = directory_.Get(options)->owner.pid;
    return options;
  }

  // Presses "&Edit..." with a posted command and waits for the per-site dialog's field.
  HWND OpenPerSite(HWND options) {
    const HWND page = windows_.FindWindowExA(options, nullptr, "#32770", "Privacy");
    const HWND button = windows_.FindWindowExA(page, nullptr, "Button", "&Edit...");
    EXPECT_NE(button, nullptr);
    EXPECT_TRUE(windows_.PostMessageA(
        options, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(windows_.GetDlgCtrlID(button)), 0),
        reinterpret_cast<LPARAM>(button)));
    HWND perSite = nullptr;
    EXPECT_TRUE(WaitFor([&] {
      perSite = windows_.FindWindowA("#32770", "Per Site Privacy Actions");
      return perSite != nullptr;
    }));
    return perSite;
  }

  LRESULT SetText(HWND window, const char* text) {
    return windows_.SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }

  support::TempProfile profile_;
  standin::ThreadErrors errors_;
  platform::Installed<platform::Errors> installedErrors_{errors_};
  standin::LocalProcesses processes_;
  standin::DirectoryWindows windows_{std::chrono::milliseconds(300)};
  standin::WindowDirectory directory_{*standin::RuntimeDirectory()};
  pid_t owner_ = 0;
};

TEST_F(InternetOptionsProcessTest, HandOffStepsReachThePerSiteDialogAndClosingRemovesItsWindows) {
  const HWND options = Start();
  ASSERT_NE(options, nullptr);
  const HWND perSite = OpenPerSite(options);
  ASSERT_NE(perSite, nullptr);
  const HWND field = windows_.FindWindowExA(perSite, nullptr, "Edit", nullptr);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(SetText(field, "www.example.com/path"), TRUE);
  // The field's window text is what it shows.
  EXPECT_EQ(windows_.FindWindowExA(perSite, nullptr, "Edit", "www.example.com/path"), field);

  // "Block" pressed the same way is kept in the registry, where a later run finds it.
  ASSERT_TRUE(windows_.PostMessageA(perSite, WM_COMMAND, MAKEWPARAM(kBlockButton, 0), 0));
  standin::RegistryStore store(standin::RegistryStore::DefaultFile());
  inetcpl::SiteDecisions decisions(store);
  EXPECT_TRUE(WaitFor([&] { return !decisions.All().empty(); }));
  EXPECT_THAT(decisions.All(),
              ElementsAre(inetcpl::SiteDecision{"www.example.com", inetcpl::Decision::Block}));

  ASSERT_TRUE(windows_.PostMessageA(perSite, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0));
  EXPECT_TRUE(WaitFor(
      [&] { return windows_.FindWindowA(nullptr, "Per Site Privacy Actions") == nullptr; }));
  ASSERT_TRUE(windows_.PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0));
  EXPECT_TRUE(WaitFor([&] { return windows_.FindWindowA(nullptr, nullptr) == nullptr; }));
  EXPECT_EQ(windows_.FindWindowExA(options, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(InternetOptionsProcessTest, HungOwnerHoldsASendOnlyToTheBoundAndAKilledOneLeavesNothing) {
  const HWND options = Start();
  ASSERT_NE(options, nullptr);
  const HWND field = windows_.FindWindowExA(OpenPerSite(options), nullptr, "Edit", nullptr);
  ASSERT_NE(field, nullptr);

  ASSERT_EQ(::kill(owner_, SIGSTOP), 0);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(SetText(field, "example.com"), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_TIMEOUT);
  EXPECT_GE(clock.elapsed(), 300);
  EXPECT_LT(clock.elapsed(), 3000);
  // Posting to the hung owner queues the message and returns at once.
  clock.restart();
  EXPECT_TRUE(windows_.PostMessageA(options, WM_COMMAND, MAKEWPARAM(0, 0), 0));
  EXPECT_LT(clock.elapsed(), 300);
  // Still listed while it lives, hung or not.
  EXPECT_EQ(windows_.FindWindowA("#32770", "Internet Properties"), options);

  ASSERT_EQ(::kill(owner_, SIGKILL), 0);
  // Dead at once, collected by its parent or not: none of its windows is found again.
  EXPECT_TRUE(WaitFor([&] { return !standin::RunningProcess(owner_); }, 5000));
  EXPECT_EQ(windows_.FindWindowA("#32770", "Internet Properties"), nullptr);
  EXPECT_EQ(windows_.FindWindowA("#32770", "Per Site Privacy Actions"), nullptr);
  EXPECT_EQ(windows_.FindWindowExA(options, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(windows_.GetDlgCtrlID(field), 0);
  clock.restart();
  EXPECT_EQ(SetText(field, "example.com"), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(windows_.PostMessageA(options, WM_COMMAND, 0, 0));
  EXPECT_LT(clock.elapsed(), 300);
  owner_ = 0;
}

TEST_F(InternetOptionsProcessTest, OtherCommandLinesFailAsTheRealCallDoes) {
  for (const char* commandLine :
       {"notepad.exe", "", "rundll32.exe shell32.dll,Control_RunDLL desk.cpl",
        "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@1,2",
        "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2 more",
        "sh -c 'rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2'"}) {
    EXPECT_EQ(processes_.WinExec(commandLine, SW_SHOWMINIMIZED), ERROR_FILE_NOT_FOUND)
        << commandLine;
  }
  EXPECT_EQ(processes_.WinExec(nullptr, SW_SHOWMINIMIZED), ERROR_FILE_NOT_FOUND);
}

}  // namespace
