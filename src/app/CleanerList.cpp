// The "Programs History" tab's buttons: checking and unchecking every clean-up, and running the
// checked ones in the order of the list.

#include <iterator>

#include "app/MainUnit.h"

using namespace toolkit;

void TMainForm::ToolButton7Click(TObject* /*Sender*/) {
  const int count = CheckListBox1->Count();
  for (int index = 0; index < count; ++index) CheckListBox1->SetChecked(index, true);
}

void TMainForm::ToolButton8Click(TObject* /*Sender*/) {
  const int count = CheckListBox1->Count();
  for (int index = 0; index < count; ++index) CheckListBox1->SetChecked(index, false);
}

void TMainForm::ToolButton11Click(TObject* /*Sender*/) {
  // Each mark is read just before its own clean-up would run, after the earlier ones finished.
  void (TMainForm::*const cleanUps[])() = {
      &TMainForm::ClearTypedUrls,          &TMainForm::ClearUrlCache,
      &TMainForm::ClearMediaPlayerHistory, &TMainForm::ClearRunHistory,
      &TMainForm::ClearRecentDocuments,    &TMainForm::ClearRecycleBin,
  };
  for (int index = 0; index < static_cast<int>(std::size(cleanUps)); ++index) {
    if (CheckListBox1->Checked(index)) (this->*cleanUps[index])();
  }
  ToolButton8Click(nullptr);
}
