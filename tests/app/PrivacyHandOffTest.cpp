// The hand-off to Internet Options and the watcher, over scripted windows: every search, pause
// and pass of message processing counted, the messages posted and sent, and the timer's state
// through waits that run other handlers inside them.

#include <gmock/gmock.h>

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <ostream>
#include <tuple>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* kCommand =
    "WinExec(\"rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2\", 2)";
constexpr const char* kSearchOptions = "FindWindowA(\"#32770\", \"Internet Properties\")";
constexpr const char* kSearchPerSite = "FindWindowA(\"#32770\", \"Per Site Privacy Actions\")";
constexpr const char* kPause = "Sleep(200)";
constexpr const char* kMessages = "DispatchPendingMessages()";
constexpr const char* kLoad = "FindFirstUrlCacheEntryA(null, null, 0)";
constexpr const char* kNotLaunched =
    "Veltrin was unable to launch the Privacy dialog. Please launch Internet Options from "
    "Control Panel (or from IE's Tools menu), click the Privacy tab, and click the Edit... "
    "button.";
constexpr const char* kNoEditButton =
    "Veltrin was unable to launch the Privacy dialog. The Internet Options dialog should be "
    "visible. Please click the Privacy tab, and click the Edit... button.";
constexpr int kEditButtonId = 0x1234;

// Which of Internet Options' windows exist, and from which search on the dialogs are found;
// 0: never.
struct Shape {
  int optionsFrom = 1;
  int optionsGoneFrom = 0;
  bool page = true;
  bool button = true;
  int perSiteFrom = 1;
  bool field = true;
};

struct Windows {
  HWND options = nullptr;
  HWND button = nullptr;
  HWND field = nullptr;
};

class PrivacyHandOffTest : public MainFormTest {
 protected:
  // The window with one selected cookie row, after the start-up tick switched the timer off.
  TMainForm& Open() {
    AddCookie("Cookie:jane@example.com/");
    TMainForm& form = Create();
    form.lvCookies->Items->Item(0)->SetSelected(true);
    form.Timer->SetEnabled(false);
    fake.calls.clear();
    return form;
  }

  Windows Script(const Shape& shape) {
    Windows windows;
    if (shape.optionsFrom > 0) {
      windows.options = fake.AddWindow(
          {"#32770", "Internet Properties", nullptr, 0, shape.optionsFrom, shape.optionsGoneFrom});
      const HWND page = shape.page ? fake.AddWindow({"#32770", "Privacy", windows.options})
                                   : fake.AddWindow({"#32770", "Security", windows.options});
      if (shape.button) {
        windows.button = fake.AddWindow({"Button", "&Edit...", page, kEditButtonId});
      }
    }
    if (shape.perSiteFrom > 0) {
      const HWND perSite =
          fake.AddWindow({"#32770", "Per Site Privacy Actions", nullptr, 0, shape.perSiteFrom});
      fake.AddWindow({"Button", "&Block", perSite, 1});
      if (shape.field) windows.field = fake.AddWindow({"Edit", "", perSite, 2});
    }
    return windows;
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(fake.calls.begin(), fake.calls.end(), call));
  }

  // The polls in the log, when every search is followed by one pause and one pass of message
  // processing; -1 when that order is broken anywhere.
  int Polls() const {
    std::vector<std::string> poll;
    for (const std::string& call : fake.calls) {
      if (call.rfind("FindWindowA", 0) == 0 || call == kPause || call == kMessages) {
        poll.push_back(call.rfind("FindWindowA", 0) == 0 ? "search" : call);
      }
    }
    if (poll.size() % 3 != 0) return -1;
    for (std::size_t i = 0; i < poll.size(); i += 3) {
      if (poll[i] != "search" || poll[i + 1] != kPause || poll[i + 2] != kMessages) return -1;
    }
    return static_cast<int>(poll.size() / 3);
  }

  // The timer's tick: Qt's own timer never fires here, as the fake dispatches nothing.
  static QTimer* TickSource(TMainForm& form) {
    return form.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
  }
};

TEST_F(PrivacyHandOffTest, FoundAtOnceIsStillPausedOnceAndTypesTheSelectedSite) {
  TMainForm& form = Open();
  const Windows windows = Script({});
  form.ToolButton4->Click();
  const LPARAM button = reinterpret_cast<LPARAM>(windows.button);
  EXPECT_THAT(
      fake.calls,
      ElementsAre(kCommand, kSearchOptions, kPause, kMessages,
                  "FindWindowExA(w1, null, \"#32770\", \"Privacy\")",
                  "FindWindowExA(w2, null, \"Button\", \"&Edit...\")", "GetDlgCtrlID(w3)",
                  "PostMessageA(w1, 273, 4660, " + std::to_string(button) + ")", kSearchPerSite,
                  kPause, kMessages, "FindWindowExA(w4, null, \"Edit\", null)",
                  "SendMessageA(w6, 12, 0, \"example.com\")"));
  ASSERT_EQ(fake.posted.size(), 1u);
  EXPECT_EQ(fake.posted[0].window, windows.options);
  EXPECT_EQ(fake.posted[0].message, WM_COMMAND);
  EXPECT_EQ(fake.posted[0].wParam, MAKEWPARAM(kEditButtonId, BN_CLICKED));
  EXPECT_EQ(fake.posted[0].lParam, button);
  EXPECT_EQ(fake.TextOf(windows.field), "example.com");
  EXPECT_TRUE(form.Timer->Enabled());
  EXPECT_TRUE(fake.messageBoxes.empty());
}

struct HandOffCase {
  const char* name;
  Shape shape;
  bool rowSelected;
  int polls;
  const char* message;  // null: none
  bool posts;
  const char* typed;  // null: nothing sent
  bool arms;
};

void PrintTo(const std::tuple<HandOffCase, bool>& c, std::ostream* out) {
  *out << std::get<0>(c).name << (std::get<1>(c) ? ", timer on" : ", timer off");
}

class HandOffCases : public PrivacyHandOffTest,
                     public ::testing::WithParamInterface<std::tuple<HandOffCase, bool>> {};

TEST_P(HandOffCases, SearchesPausesMessagesAndTimer) {
  const auto& [c, timerBefore] = GetParam();
  TMainForm& form = Open();
  if (!c.rowSelected) form.lvCookies->Items->Item(0)->SetSelected(false);
  form.Timer->SetEnabled(timerBefore);
  const Windows windows = Script(c.shape);
  form.btnPrivacyClick(nullptr);

  EXPECT_EQ(Polls(), c.polls);
  if (c.message == nullptr) {
    EXPECT_TRUE(fake.messageBoxes.empty());
  } else {
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text, c.message);
    EXPECT_EQ(fake.messageBoxes[0].caption, "Veltrin");
    EXPECT_EQ(fake.messageBoxes[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(fake.messageBoxes[0].owner, form.Handle());
  }
  EXPECT_EQ(fake.posted.size(), c.posts ? 1u : 0u);
  EXPECT_EQ(fake.CallsOf("SendMessageA").size(), c.typed ? 1u : 0u);
  if (c.typed != nullptr) {
    EXPECT_EQ(fake.TextOf(windows.field), c.typed);
  }
  // A hand-off that does not get as far as typing leaves the timer as it was.
  EXPECT_EQ(form.Timer->Enabled(), c.arms || timerBefore);
}

INSTANTIATE_TEST_SUITE_P(
    HandOff, HandOffCases,
    ::testing::Combine(
        ::testing::Values(
            HandOffCase{"AppearsAtTheFifthSearch",
                        {.optionsFrom = 5},
                        true,
                        6,
                        nullptr,
                        true,
                        "example.com",
                        true},
            // 21 searches, not 20.
            HandOffCase{
                "NeverFound", {.optionsFrom = 0}, true, 21, kNotLaunched, false, nullptr, false},
            HandOffCase{
                "NoPrivacyPage", {.page = false}, true, 1, kNoEditButton, false, nullptr, false},
            HandOffCase{
                "NoEditButton", {.button = false}, true, 1, kNoEditButton, false, nullptr, false},
            HandOffCase{
                "PerSiteNeverFound", {.perSiteFrom = 0}, true, 22, nullptr, true, nullptr, false},
            HandOffCase{"PerSiteAtTheLastSearch",
                        {.perSiteFrom = 21},
                        true,
                        22,
                        nullptr,
                        true,
                        "example.com",
                        true},
            HandOffCase{"NoAddressField", {.field = false}, true, 2, nullptr, true, nullptr, true},
            HandOffCase{"NoRowSelected", {}, false, 2, nullptr, true, nullptr, true}),
        ::testing::Bool()),
    [](const auto& test) {
      return std::string(std::get<0>(test.param).name) +
             (std::get<1>(test.param) ? "_TimerOn" : "_TimerOff");
    });

TEST_F(PrivacyHandOffTest, HandOffWithinASecondOfStartUpLeavesThePendingTickAlone) {
  AddCookie("Cookie:jane@example.com/");
  TMainForm& form = Create();
  form.lvCookies->Items->Item(0)->SetSelected(true);
  Script({});
  // Long enough for a restarted interval to show as more time left, not less.
  QThread::msleep(20);
  const int before = TickSource(form)->remainingTime();
  form.btnPrivacyClick(nullptr);
  EXPECT_TRUE(form.Timer->Enabled());
  EXPECT_LE(TickSource(form)->remainingTime(), before);
  EXPECT_EQ(fake.posted.size(), 1u);
}

TEST_F(PrivacyHandOffTest, TickFallingInsideAHandOffWaitRunsTheWholeWatcherThere) {
  AddCookie("Cookie:jane@example.com/");
  TMainForm& form = Create();
  form.lvCookies->Items->Item(0)->SetSelected(true);
  fake.calls.clear();
  // The start-up tick, due a second after creation by the fake's clock.
  fake.onCall = [&](const std::string& call) {
    if (call == kMessages && form.Timer->Enabled() && fake.slept >= 1000) {
      form.Timer->OnTimer(&form);
    }
  };
  Script({.optionsFrom = 8});
  form.btnPrivacyClick(nullptr);

  // Hand-off polls 1 to 5, the watcher's one poll (Internet Options not open yet) and its
  // refresh, then hand-off polls 6 and 7, the 7th finding the window at the 8th search.
  std::vector<std::string> expected{kCommand};
  for (int i = 0; i < 6; ++i) expected.insert(expected.end(), {kSearchOptions, kPause, kMessages});
  expected.push_back(kLoad);
  EXPECT_THAT(std::vector<std::string>(fake.calls.begin(), fake.calls.begin() + 20),
              ElementsAreArray(expected));
  EXPECT_EQ(Count(kSearchOptions), 8);
  EXPECT_EQ(Count(kLoad), 1);
  EXPECT_EQ(fake.posted.size(), 1u);
  // Switched off by the nested watcher, armed again by the hand-off's end.
  EXPECT_TRUE(form.Timer->Enabled());
}

TEST_F(PrivacyHandOffTest, HandOffNestedInTheWatcherHasItsArmingUndoneByTheNextPoll) {
  TMainForm& form = Open();
  form.Timer->SetEnabled(true);
  // The watcher finds Internet Options at its 1st and 3rd search, and the hand-off at the 2nd;
  // it is gone from the 4th.
  Script({.optionsGoneFrom = 4});
  std::vector<bool> enabledAtPauses;
  bool handedOff = false;
  fake.onCall = [&](const std::string& call) {
    if (call == kPause) enabledAtPauses.push_back(form.Timer->Enabled());
    if (call == kMessages && !handedOff) {
      handedOff = true;
      form.ToolButton4->Click();
    }
  };
  form.Timer->OnTimer(&form);
  // Watcher poll 1, the hand-off's two polls, watcher polls 2 and 3.
  EXPECT_THAT(enabledAtPauses, ElementsAre(true, false, false, true, false));
  EXPECT_FALSE(form.Timer->Enabled());
  EXPECT_EQ(fake.posted.size(), 1u);
  EXPECT_EQ(Count(kLoad), 1);
  EXPECT_EQ(fake.calls.back(), "FindCloseUrlCache(h2)");
}

TEST_F(PrivacyHandOffTest, ClosingTheWindowDuringTheWatchKeepsItUpUntilTheRefreshIsDone) {
  TMainForm& form = Open();
  form.show();
  Script({.optionsGoneFrom = 3});
  std::vector<bool> visibleAtMessages;
  fake.onCall = [&](const std::string& call) {
    if (call != kMessages) return;
    visibleAtMessages.push_back(form.isVisible());
    if (visibleAtMessages.size() == 1) form.ToolButton6->click();
  };
  // As the timer runs it: through the application's dispatch.
  application.Dispatch([&] { form.Timer->OnTimer(&form); });
  EXPECT_THAT(visibleAtMessages, ElementsAre(true, true, true));
  EXPECT_EQ(Count(kLoad), 1);
  EXPECT_FALSE(form.isVisible());
}

struct WatchCase {
  const char* name;
  int openUntilSearch;  // Internet Options is found before this search; 1: never open
  int polls;
  bool beeps;
};

void PrintTo(const WatchCase& c, std::ostream* out) {
  *out << c.name;
}

class WatchCases : public PrivacyHandOffTest, public ::testing::WithParamInterface<WatchCase> {};

TEST_P(WatchCases, WaitsWhileInternetOptionsIsOpenThenRefreshesOrBeeps) {
  const WatchCase& c = GetParam();
  TMainForm& form = Open();
  form.Timer->SetEnabled(true);
  if (c.openUntilSearch != 1) {
    fake.AddWindow({"#32770", "Internet Properties", nullptr, 0, 1, c.openUntilSearch});
  }
  std::vector<bool> enabledAtMessages;
  fake.onCall = [&](const std::string& call) {
    if (call == kMessages) enabledAtMessages.push_back(form.Timer->Enabled());
  };
  form.Timer->OnTimer(&form);

  EXPECT_EQ(Polls(), c.polls);
  EXPECT_EQ(enabledAtMessages, std::vector<bool>(static_cast<std::size_t>(c.polls), false));
  EXPECT_EQ(Count("MessageBeep(0)"), c.beeps ? 1 : 0);
  EXPECT_EQ(Count(kLoad), c.beeps ? 0 : 1);
  if (!c.beeps) {
    // The refresh follows the last poll's pass of message processing.
    const auto load = std::find(fake.calls.begin(), fake.calls.end(), kLoad);
    EXPECT_EQ(*(load - 1), kMessages);
    EXPECT_EQ(form.edCookieCount->text(), "1");
  }
  EXPECT_FALSE(form.Timer->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Watcher, WatchCases,
                         ::testing::Values(WatchCase{"AlreadyClosed", 1, 1, false},
                                           WatchCase{"ClosedDuringTheWait", 4, 4, false},
                                           // 1001 searches, not 1000.
                                           WatchCase{"OpenThroughout", 0, 1001, true}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
