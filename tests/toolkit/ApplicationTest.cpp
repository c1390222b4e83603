// The application-wide error handler, the cursor, clicks from code and the timer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>

#include <new>

#include "fakes/FakePlatform.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Form.h"
#include "toolkit/HeapBuffer.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"

namespace {

using ::testing::ElementsAre;

class ApplicationTest : public ::testing::Test {
 protected:
  fakes::FakePlatform fake_;
  toolkit::TApplication application_;
};

TEST_F(ApplicationTest, EscapingErrorIsShownTitledWithTheProgramNameAndTheProgramGoesOn) {
  EXPECT_EQ(application_.Title(), "toolkit_tests");
  bool after = false;
  application_.Dispatch([] { throw toolkit::EOutOfMemory(); });
  application_.Dispatch([] { throw std::bad_alloc(); });
  application_.Dispatch([] { throw toolkit::Exception("Ends with a stop."); });
  application_.Dispatch([&] { after = true; });
  ASSERT_EQ(fake_.messageBoxes.size(), 3u);
  EXPECT_EQ(fake_.messageBoxes[0].text, "Out of memory.");
  EXPECT_EQ(fake_.messageBoxes[0].caption, "toolkit_tests");
  EXPECT_EQ(fake_.messageBoxes[0].type, MB_OK | MB_ICONSTOP);
  EXPECT_EQ(fake_.messageBoxes[1].text, "Out of memory.");
  EXPECT_EQ(fake_.messageBoxes[2].text, "Ends with a stop.");
  EXPECT_TRUE(after);
}

TEST_F(ApplicationTest, HourGlassCursorCoversTheApplicationUntilDefault) {
  application_.SetCursor(toolkit::crHourGlass);
  EXPECT_EQ(application_.Cursor(), toolkit::crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  application_.SetCursor(toolkit::crHourGlass);
  application_.SetCursor(toolkit::crDefault);
  EXPECT_EQ(application_.Cursor(), toolkit::crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ApplicationTest, ClickFromCodeRunsTheHandlerOfADisabledButton) {
  toolkit::TToolBar bar(nullptr);
  toolkit::TToolButton* button = bar.AddButton("Refresh", {}, 7);
  std::vector<QObject*> senders;
  button->OnClick = [&](toolkit::TObject* sender) { senders.push_back(sender); };
  button->setEnabled(false);
  button->Click();
  button->click();  // a user's click on a disabled button does nothing
  EXPECT_THAT(senders, ElementsAre(button));
  EXPECT_EQ(button->Tag, 7);
}

TEST_F(ApplicationTest, HeapBufferIsExactFreedOnEveryPathAndNullForZero) {
  {
    const toolkit::HeapBuffer none(0);
    EXPECT_EQ(none.As<char>(), nullptr);
    const toolkit::HeapBuffer some(120);
    EXPECT_NE(some.As<char>(), nullptr);
  }
  fake_.failAllocation = 3;
  EXPECT_THROW(
      {
        const toolkit::HeapBuffer first(8);
        const toolkit::HeapBuffer second(8);
      },
      toolkit::EOutOfMemory);
  EXPECT_THAT(fake_.calls, ElementsAre("LocalAlloc(0, 120)", "LocalFree(buf120)",
                                       "LocalAlloc(0, 8)", "LocalAlloc(0, 8)", "LocalFree(buf8)"));
  EXPECT_EQ(fake_.LiveBlocks(), 0u);
}

TEST_F(ApplicationTest, TimerStartsEnabledAndSettingTheSameStateChangesNothing) {
  QObject owner;
  toolkit::TTimer timer(&owner);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
}

TEST_F(ApplicationTest, CloseAskedForInsideHandlersWaitsUntilTheyAllReturned) {
  toolkit::TForm form;
  form.show();
  bool visibleAfterInner = false;
  application_.Dispatch([&] {
    application_.Dispatch([&] { form.Close(); });
    visibleAfterInner = form.isVisible();
  });
  EXPECT_TRUE(visibleAfterInner);
  EXPECT_FALSE(form.isVisible());
  form.show();
  form.Close();  // with no handler running, at once
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
