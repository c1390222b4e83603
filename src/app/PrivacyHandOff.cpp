// Handing the selected cookie's site over to the per-site privacy settings of Internet
// Options, and watching for Internet Options to close so the list can be reloaded.

#include <functional>
#include <string>

#include "app/MainUnit.h"
#include "platform/Processes.h"
#include "platform/WindowMessaging.h"
#include "platform/Windowing.h"

using namespace toolkit;

namespace {

constexpr const char* kInternetOptionsCommand =
    "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2";
constexpr const char* kDialogClass = "#32770";
constexpr const char* kInternetOptionsTitle = "Internet Properties";
constexpr const char* kPrivacyPageTitle = "Privacy";
constexpr const char* kButtonClass = "Button";
constexpr const char* kEditButtonTitle = "&Edit...";
constexpr const char* kPerSiteTitle = "Per Site Privacy Actions";
constexpr const char* kAddressFieldClass = "Edit";

constexpr DWORD kPollPause = 200;
// A wait stops once its poll count exceeds these: 21 and 1001 searches at most.
constexpr int kHandOffPollLimit = 20;
constexpr int kWatcherPollLimit = 1000;

constexpr const char* kMessageTitle = "Veltrin";
constexpr const char* kNotLaunched =
    "Veltrin was unable to launch the Privacy dialog. Please launch Internet Options from "
    "Control Panel (or from IE's Tools menu), click the Privacy tab, and click the Edit... "
    "button.";
constexpr const char* kNoEditButton =
    "Veltrin was unable to launch the Privacy dialog. The Internet Options dialog should be "
    "visible. Please click the Privacy tab, and click the Edit... button.";

enum class Until { Found, Gone };

// Searches a top-level dialog until it is found (or gone), pausing and letting every pending
// message through after each search, whether that search ended the wait or not. `afterPause`
// runs between the pause and the messages. Returns the last search's result.
HWND WaitForDialog(LPCSTR title, Until until, int pollLimit,
                   const std::function<void()>& afterPause = {}) {
  int polls = 0;
  while (true) {
    const HWND found = FindWindowA(kDialogClass, title);
    ++polls;
    Sleep(kPollPause);
    if (afterPause) afterPause();
    Application->ProcessMessages();
    if ((found != nullptr) == (until == Until::Found)) return found;
    if (polls > pollLimit) return found;
  }
}

}  // namespace

void TMainForm::btnPrivacyClick(TObject* /*Sender*/) {
  WinExec(kInternetOptionsCommand, SW_SHOWMINIMIZED);
  const HWND options = WaitForDialog(kInternetOptionsTitle, Until::Found, kHandOffPollLimit);
  if (options == nullptr) {
    MessageBoxA(Handle(), kNotLaunched, kMessageTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  const HWND page = FindWindowExA(options, nullptr, kDialogClass, kPrivacyPageTitle);
  const HWND button =
      page == nullptr ? nullptr : FindWindowExA(page, nullptr, kButtonClass, kEditButtonTitle);
  if (button == nullptr) {
    MessageBoxA(Handle(), kNoEditButton, kMessageTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  // Posted to the top-level window, not sent: Internet Options opens its dialog in its own
  // time while this handler waits for it.
  const auto buttonId = static_cast<WORD>(GetDlgCtrlID(button));
  PostMessageA(options, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));

  const HWND perSite = WaitForDialog(kPerSiteTitle, Until::Found, kHandOffPollLimit);
  if (perSite == nullptr) return;
  const HWND addressField = FindWindowExA(perSite, nullptr, kAddressFieldClass, nullptr);
  // With no row selected there is no site to give; the user still gets the dialog, and the
  // watcher still reloads the list once Internet Options closes.
  const TListItem* row = lvCookies->Selected();
  if (addressField != nullptr && row != nullptr) {
    const std::string address(row->Caption());
    SendMessageA(addressField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
  }
  // Armed only when off, so a tick already pending keeps its time.
  if (!Timer->Enabled()) Timer->SetEnabled(true);
}

void TMainForm::TimerTimer(TObject* /*Sender*/) {
  // Switched off during the first poll, and again after any hand-off nested in the wait armed
  // it: this watch's own refresh covers that hand-off too.
  const HWND options = WaitForDialog(kInternetOptionsTitle, Until::Gone, kWatcherPollLimit, [this] {
    if (Timer->Enabled()) Timer->SetEnabled(false);
  });
  if (options != nullptr) {
    MessageBeep(MB_OK);
    return;
  }
  ToolButton3->Click();
}
