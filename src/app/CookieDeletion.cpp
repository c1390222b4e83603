// Checking cookie rows and deleting the checked ones from the URL cache.

#include "app/MainUnit.h"

using namespace toolkit;

void TMainForm::btnCheckClick(TObject* Sender) {
  const auto* button = dynamic_cast<const TToolButton*>(Sender);
  const bool checked = button != nullptr && button->Tag == 1;
  const int rows = lvCookies->Items->Count();
  for (int i = 0; i < rows; ++i) lvCookies->Items->Item(i)->SetChecked(checked);
}

void TMainForm::btnDeleteClick(TObject* /*Sender*/) {
  ProgressBar->SetMax(lvCookies->Items->Count());
  const int rows = lvCookies->Items->Count();
  for (int i = 0; i < rows; ++i) {
    TListItem* item = lvCookies->Items->Item(i);
    if (item->Checked()) DeleteCookie(std::string(item->SubItem(3)));
    ProgressBar->SetPosition(i);
  }
  ToolButton3->Click();
  ProgressBar->SetPosition(0);
}

void TMainForm::DeleteCookie(const std::string& Url) {
  DeleteUrlCacheEntry(Url.c_str());
}
