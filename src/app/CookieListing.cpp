// Filling the cookie list from the URL cache, and keeping its count and buttons in step.

#include <cstring>

#include "app/FuncUnit.h"
#include "app/MainUnit.h"
#include "platform/Errors.h"
#include "toolkit/Finally.h"
#include "toolkit/HeapBuffer.h"

using namespace toolkit;

namespace {

constexpr std::size_t kMaxAddressLength = 260;
// A cache that keeps answering size queries with neither an entry nor an end is given up on
// after this many answers in a row.
constexpr int kMaxFruitlessQueries = 100;

bool IsCookie(const INTERNET_CACHE_ENTRY_INFOA& entry) {
  return (entry.CacheEntryType & COOKIE_CACHE_ENTRY) != 0;
}

}  // namespace

void TMainForm::FormCreate(TObject* /*Sender*/) {
  LoadCookies();
}

void TMainForm::FormActivate(TObject* /*Sender*/) {
  FocusListView(lvCookies);
  ProbeShellVersion();
  if (ShellMajorVersion > 5) ToolButton4->setEnabled(true);
}

void TMainForm::btnRefreshClick(TObject* /*Sender*/) {
  {
    lvCookies->Items->BeginUpdate();
    const Finally endUpdate([this] { lvCookies->Items->EndUpdate(); });
    lvCookies->Items->Clear();
    LoadCookies();
  }
  FocusListView(lvCookies);
}

void TMainForm::LoadCookies() {
  Application->SetCursor(crHourGlass);
  const Finally cleanUp([this] {
    UpdateCookieControls();
    Application->SetCursor(crDefault);
  });

  HANDLE search = nullptr;
  // Closed on every path, an allocation failure in mid-walk included.
  const Finally closeSearch([&search] { FindCloseUrlCache(search); });

  DWORD count = 0;
  FindFirstUrlCacheEntryA(nullptr, nullptr, &count);
  {
    const HeapBuffer buffer(count);
    auto* entry = buffer.As<INTERNET_CACHE_ENTRY_INFOA>();
    search = FindFirstUrlCacheEntryA(nullptr, entry, &count);
    if (search != nullptr && entry != nullptr && IsCookie(*entry)) AddCookieItem(*entry);
  }

  // On a null handle the first size query fails with 87 or 259 and ends the walk at once.
  for (int fruitless = 0; fruitless < kMaxFruitlessQueries;) {
    count = 0;
    FindNextUrlCacheEntryA(search, nullptr, &count);
    const DWORD code = GetLastError();
    if (code == ERROR_NO_MORE_ITEMS || code == ERROR_INVALID_PARAMETER) break;
    ++fruitless;
    if (code != ERROR_INSUFFICIENT_BUFFER) continue;
    const HeapBuffer buffer(count);
    auto* entry = buffer.As<INTERNET_CACHE_ENTRY_INFOA>();
    if (FindNextUrlCacheEntryA(search, entry, &count) && entry != nullptr) {
      fruitless = 0;
      if (IsCookie(*entry)) AddCookieItem(*entry);
    }
  }
}

void TMainForm::AddCookieItem(const INTERNET_CACHE_ENTRY_INFOA& entry) {
  TListItem* item = lvCookies->Items->Add();
  const std::string_view name(entry.lpszSourceUrlName);
  const std::size_t at = name.find('@');
  const std::string_view address =
      (at == std::string_view::npos ? name : name.substr(at + 1)).substr(0, kMaxAddressLength);
  item->SetCaption(StripTrailingSlash(std::string(address)));
  item->AddSubItem(std::to_string(entry.dwHitRate));
  item->AddSubItem(FileTimeToText(entry.LastModifiedTime));
  item->AddSubItem(FileTimeToText(entry.ExpireTime));
  item->AddSubItem(name);
}

void TMainForm::UpdateCookieControls() {
  const int rows = lvCookies->Items->Count();
  const bool any = rows > 0;
  for (TToolButton* button : {ToolButton1, ToolButton2, ToolButton5}) button->setEnabled(any);
  if (!any) {
    ToolButton4->setEnabled(false);
  } else if (ShellMajorVersion > 5) {
    ToolButton4->setEnabled(true);
  }
  edCookieCount->setText(QString::number(rows));
}

void TMainForm::FocusListView(TListView* listView) {
  if (!listView->Showing()) return;
  TListItem* item = listView->ItemFocused();
  if (item == nullptr && listView->Items->Count() > 0) item = listView->Items->Item(0);
  if (item == nullptr) return;
  listView->setFocus();
  listView->SetItemFocused(item);
  item->SetSelected(true);
  item->MakeVisible();
}
