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
  // The clean-up of each item, by index.
  using CleanUp = void (*)(TMainForm & form);
  static constexpr CleanUp kCleanUps[] = {
      [](TMainForm& form) { form.ClearTypedUrls(); },
      [](TMainForm& form) { form.ClearUrlCache(); },
      [](TMainForm& form) { form.ClearMediaPlayerHistory(); },
      [](TMainForm& form) { form.ClearRunHistory(); },
      [](TMainForm& form) { form.ClearRecentDocuments(); },
      [](TMainForm& form) { form.ClearRecycleBin(); },
  };
  // Each mark is read just before its own clean-up would run, after the earlier ones finished.
  for (int index = 0; index < static_cast<int>(std::size(kCleanUps)); ++index) {
    if (CheckListBox1->Checked(index)) kCleanUps[index](*this);
  }
  ToolButton8Click(nullptr);
}
