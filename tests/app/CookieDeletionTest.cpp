// Check marks and "Delete" on the first tab: which entries go, in which order, the progress
// shown, and the reload that follows.

#include <gmock/gmock.h>

#include <QHeaderView>
#include <QSignalSpy>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CookieDeletionTest : public MainFormTest {
 protected:
  std::vector<bool> Checks() const {
    std::vector<bool> checks;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      checks.push_back(MainForm->lvCookies->Items->Item(i)->Checked());
    }
    return checks;
  }

  // Each deletion with the progress position at the moment it was asked for.
  std::vector<std::string> deletions_;
  void RecordDeletions() {
    fake.onCall = [this](const std::string& call) {
      if (call.rfind("DeleteUrlCacheEntry", 0) == 0) {
        deletions_.push_back(call + " at " + std::to_string(MainForm->ProgressBar->Position()));
      }
    };
  }
};

TEST_F(CookieDeletionTest, CheckAllAndUnCheckAllSetEveryMarkAndNothingElse) {
  for (const char* url : {"Cookie:a@1/", "Cookie:a@2/", "Cookie:a@3/"}) AddCookie(url);
  TMainForm& form = Create();
  form.lvCookies->Items->Item(1)->SetChecked(true);
  fake.calls.clear();
  form.ToolButton1->click();
  EXPECT_THAT(Checks(), ElementsAre(true, true, true));
  form.ToolButton2->click();
  EXPECT_THAT(Checks(), ElementsAre(false, false, false)) << "hand-set marks go too";
  EXPECT_THAT(fake.calls, IsEmpty());
  EXPECT_EQ(form.ProgressBar->Max(), 100);
}

TEST_F(CookieDeletionTest, DeletesCheckedRowsInDisplayOrderWithProgressThenReloads) {
  for (const char* url : {"Cookie:a@c/", "Cookie:a@a/", "Cookie:a@d/", "Cookie:a@b/"}) {
    AddCookie(url);
  }
  TMainForm& form = Create();
  emit form.lvCookies->horizontalHeader()->sectionClicked(0);
  form.lvCookies->Items->Item(0)->SetChecked(true);
  form.lvCookies->Items->Item(2)->SetChecked(true);
  form.lvCookies->Items->Item(3)->SetChecked(true);
  RecordDeletions();
  QSignalSpy positions(form.ProgressBar, &QProgressBar::valueChanged);
  form.ToolButton5->click();
  EXPECT_THAT(deletions_, ElementsAre("DeleteUrlCacheEntry(\"Cookie:a@a/\") at 0",
                                      "DeleteUrlCacheEntry(\"Cookie:a@c/\") at 1",
                                      "DeleteUrlCacheEntry(\"Cookie:a@d/\") at 2"));
  std::vector<int> shown;
  for (const auto& change : positions) shown.push_back(change.at(0).toInt());
  EXPECT_THAT(shown, ElementsAre(1, 2, 3, 0)) << "0 to N-1, then 0 after the reload";
  EXPECT_EQ(form.ProgressBar->Max(), 4);
  EXPECT_EQ(form.ProgressBar->Position(), 0);
  EXPECT_THAT(Captions(), ElementsAre("b"));
  EXPECT_EQ(form.edCookieCount->text(), "1");
}

TEST_F(CookieDeletionTest, NothingCheckedDeletesNothingButStillStepsAndReloads) {
  for (const char* url : {"Cookie:a@1/", "Cookie:a@2/", "Cookie:a@3/"}) AddCookie(url);
  TMainForm& form = Create();
  fake.calls.clear();
  QSignalSpy positions(form.ProgressBar, &QProgressBar::valueChanged);
  form.ToolButton5->click();
  EXPECT_THAT(fake.CallsOf("DeleteUrlCacheEntry"), IsEmpty());
  EXPECT_EQ(positions.count(), 3) << "1, 2, then 0";
  EXPECT_EQ(fake.CallsOf("FindFirstUrlCacheEntryA").size(), 2u) << "reloaded";
}

TEST_F(CookieDeletionTest, OneRowAndAFailedDeletionThatComesBackUnchecked) {
  AddCookie("Cookie:a@stuck/");
  fake.undeletable.insert("Cookie:a@stuck/");
  TMainForm& form = Create();
  form.ToolButton1->click();
  RecordDeletions();
  form.ToolButton5->click();
  EXPECT_THAT(deletions_, ElementsAre("DeleteUrlCacheEntry(\"Cookie:a@stuck/\") at 0"));
  EXPECT_EQ(form.ProgressBar->Max(), 1);
  EXPECT_THAT(Captions(), ElementsAre("stuck"));
  EXPECT_THAT(Checks(), ElementsAre(false));
  EXPECT_TRUE(fake.messageBoxes.empty()) << "failures go unnoticed";
}

TEST_F(CookieDeletionTest, EmptyListDeleteStillReloadsAndResetsTheBar) {
  TMainForm& form = Create();
  form.ProgressBar->SetPosition(50);
  fake.calls.clear();
  form.ToolButton1->Click();
  form.btnDeleteClick(form.ToolButton5);
  EXPECT_EQ(form.ProgressBar->Max(), 0);
  EXPECT_EQ(form.ProgressBar->Position(), 0);
  EXPECT_EQ(fake.CallsOf("FindFirstUrlCacheEntryA").size(), 2u);
}

}  // namespace
