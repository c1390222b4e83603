#pragma once
// The main window: two tabs, "Cookies Eraser" and "Programs History", and their handlers.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/CookieSortKeys.h"
#include "platform/UrlCache.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/StaticControls.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"

class TMainForm : public toolkit::TForm {
 public:
  // Builds the window from its layout and wires its events.
  TMainForm();
  ~TMainForm() override;

  toolkit::TPanel* Panel1;
  toolkit::TBevel* Bevel1;
  toolkit::TListView* lvCookies;
  toolkit::TBevel* Bevel2;
  toolkit::TLabel* Label1;
  toolkit::TLabel* Label2;
  toolkit::TPanel* Panel3;
  toolkit::TLabel* Label3;
  toolkit::TEdit* edCookieCount;
  std::unique_ptr<toolkit::TTimer> Timer;
  toolkit::TPageControl* PageControl1;
  toolkit::TTabSheet* TabSheet1;
  std::unique_ptr<toolkit::TImageList> ImageList1;
  toolkit::TTabSheet* TabSheet2;
  toolkit::TCheckListBox* CheckListBox1;
  toolkit::TProgressBar* ProgressBar;
  toolkit::TToolBar* ToolBar1;
  toolkit::TToolButton* ToolButton1;
  toolkit::TToolButton* ToolButton2;
  toolkit::TToolButton* ToolButton3;
  toolkit::TToolButton* ToolButton4;
  toolkit::TToolButton* ToolButton5;
  toolkit::TToolButton* ToolButton6;
  toolkit::TToolButton* ToolButton7;
  toolkit::TToolButton* ToolButton8;
  toolkit::TToolButton* ToolButton11;
  toolkit::TToolButton* ToolButton12;
  toolkit::TToolButton* ToolButton9;
  toolkit::TToolButton* ToolButton10;

  void btnCloseClick(toolkit::TObject* Sender);
  void FormCreate(toolkit::TObject* Sender);
  void FormActivate(toolkit::TObject* Sender);
  void btnCheckClick(toolkit::TObject* Sender);
  void btnRefreshClick(toolkit::TObject* Sender);
  void btnDeleteClick(toolkit::TObject* Sender);
  void btnPrivacyClick(toolkit::TObject* Sender);
  void lvCookiesCompare(toolkit::TObject* Sender, toolkit::TListItem* Item1,
                        toolkit::TListItem* Item2, int Data, int& Compare);
  void lvCookiesColumnClick(toolkit::TObject* Sender, toolkit::TListColumn* Column);
  void TimerTimer(toolkit::TObject* Sender);
  void ToolButton7Click(toolkit::TObject* Sender);
  void ToolButton8Click(toolkit::TObject* Sender);
  void ToolButton11Click(toolkit::TObject* Sender);

 private:
  void BuildLayout();
  void FocusListView(toolkit::TListView* listView);
  void LoadCookies();
  void AddCookieItem(const INTERNET_CACHE_ENTRY_INFOA& entry);
  void UpdateCookieControls();
  void DeleteCookie(const std::string& Url);

  // 0 until a header is clicked; then the 1-based column to sort by, negative for descending.
  std::int32_t SortColumn = 0;
  CookieSortKeys sortKeys_;
  void ClearTypedUrls();
  void ClearMediaPlayerHistory();
  void ClearRunHistory();
  void ClearUrlCache();
  void ClearRecycleBin();
  void ClearRecentDocuments();
};

// The one main window, owned by the application object.
extern TMainForm* MainForm;
