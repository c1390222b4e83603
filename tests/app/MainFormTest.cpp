// The window as it opens: its frame, every control with its caption and place, the tab order,
// the names a screen reader announces, activation and closing.

#include <gmock/gmock.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QHeaderView>

#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;

TEST_F(MainFormTest, OpensAsAFixedDialogOnTheFirstTab) {
  TMainForm& form = Create();
  EXPECT_EQ(form.windowTitle(), "Veltrin : veltrin.example.org");
  EXPECT_EQ(form.size(), QSize(501, 444));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(form.font().family(), "MS Sans Serif");
  EXPECT_EQ(form.font().pixelSize(), 11);
  EXPECT_EQ(form.PageControl1->currentIndex(), 0);
  EXPECT_EQ(form.PageControl1->tabText(0), "Cookies Eraser");
  EXPECT_EQ(form.PageControl1->tabText(1), "Programs History");
  EXPECT_EQ(form.Label1->text(), "Choose Sections To Erase");
  EXPECT_TRUE(form.Label1->font().bold());
  EXPECT_EQ(form.Label2->text(),
            "Place a check next to the sections that you want to delete.  Then press the "
            "\"Delete\" button");
  EXPECT_EQ(form.Label3->text(), "Total Cookies:");
  EXPECT_EQ(form.edCookieCount->text(), "0");
  EXPECT_TRUE(form.edCookieCount->isReadOnly());
  EXPECT_FALSE(form.edCookieCount->focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(form.ProgressBar->Max(), 100);
  EXPECT_EQ(form.ProgressBar->Position(), 0);
  EXPECT_TRUE(form.Timer->Enabled());
  EXPECT_EQ(form.Timer->Interval(), 1000);
  EXPECT_EQ(form.lvCookies->SortType(), toolkit::stNone);
}

TEST_F(MainFormTest, ControlsStandWhereTheLayoutPutsThem) {
  TMainForm& form = Create();
  const std::pair<QWidget*, QRect> places[] = {
      {form.Panel1, {0, 0, 501, 50}},          {form.Bevel1, {0, 50, 501, 2}},
      {form.ProgressBar, {0, 52, 501, 13}},    {form.PageControl1, {0, 65, 501, 379}},
      {form.ToolBar1, {0, 0, 493, 56}},        {form.lvCookies, {0, 56, 493, 259}},
      {form.Panel3, {1, 319, 137, 30}},        {form.edCookieCount, {81, 5, 50, 21}},
      {form.CheckListBox1, {0, 56, 493, 295}},
  };
  for (const auto& [control, place] : places) {
    EXPECT_EQ(control->geometry(), place) << control->accessibleName().toStdString();
  }
  EXPECT_EQ(form.Label1->pos(), QPoint(14, 9));
  EXPECT_EQ(form.Label2->pos(), QPoint(32, 24));
  EXPECT_EQ(form.Label3->pos(), QPoint(6, 8));
}

TEST_F(MainFormTest, ToolbarsHoldTheirButtonsInOrder) {
  TMainForm& form = Create();
  struct Button {
    toolkit::TToolButton* button;
    int x;
    const char* caption;
    int tag;
  };
  const Button buttons[] = {
      {form.ToolButton1, 0, "Check All", 1}, {form.ToolButton2, 66, "UnCheck All", 0},
      {form.ToolButton3, 132, "Refresh", 0}, {form.ToolButton4, 198, "Privacy", 0},
      {form.ToolButton5, 264, "Delete", 0},  {form.ToolButton6, 338, "Close", 0},
      {form.ToolButton7, 0, "Check All", 0}, {form.ToolButton8, 66, "UnCheck All", 0},
      {form.ToolButton11, 132, "Delete", 0}, {form.ToolButton12, 206, "Close", 0},
  };
  for (const Button& b : buttons) {
    EXPECT_EQ(b.button->x() - 2, b.x) << b.caption;
    EXPECT_EQ(b.button->size(), QSize(66, 52)) << b.caption;
    EXPECT_EQ(b.button->text(), b.caption);
    EXPECT_EQ(b.button->Tag, b.tag) << b.caption;
    EXPECT_FALSE(b.button->icon().isNull()) << b.caption;
  }
  for (auto* separator : {form.ToolButton9, form.ToolButton10}) {
    EXPECT_TRUE(separator->isHidden());
    EXPECT_EQ(separator->width(), 8);
  }
}

TEST_F(MainFormTest, CookieColumnsAndCleanUpItems) {
  TMainForm& form = Create();
  std::vector<std::string> columns;
  for (const toolkit::TListColumn& column : form.lvCookies->Columns()) {
    columns.push_back(column.Caption.toStdString() + " " + std::to_string(column.Width));
    EXPECT_EQ(form.lvCookies->columnWidth(column.Index), column.Width);
  }
  EXPECT_THAT(columns, ElementsAre("Address 125", "Hits 45", "Modified 80", "Expires 80",
                                   "Full Address 150"));
  EXPECT_EQ(form.lvCookies->Columns()[1].Alignment, Qt::AlignHCenter);
  EXPECT_EQ(form.lvCookies->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(form.lvCookies->horizontalHeader()->sectionsClickable());
  std::vector<std::string> items;
  for (int i = 0; i < form.CheckListBox1->Count(); ++i) {
    items.push_back(form.CheckListBox1->item(i)->text().toStdString());
    EXPECT_FALSE(form.CheckListBox1->Checked(i));
  }
  EXPECT_THAT(
      items,
      ElementsAre("Clear Internet Explorer URL History", "Clear Internet Explorer Cache Pages",
                  "Clear Widows Media Player URL History", "Clear Start / Run Menu Hustory",
                  "Clear Start / Recent Documents", "Empty Recycle Bin"));
}

TEST_F(MainFormTest, TabGoesFromTheListThroughTheToolbar) {
  TMainForm& form = Create();
  std::vector<QWidget*> order;
  QWidget* widget = form.lvCookies;
  for (int i = 0; i < 7; ++i) {
    order.push_back(widget);
    widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus)) widget = widget->nextInFocusChain();
  }
  EXPECT_THAT(order,
              ElementsAre(form.lvCookies, form.ToolButton1, form.ToolButton2, form.ToolButton3,
                          form.ToolButton4, form.ToolButton5, form.ToolButton6));
}

TEST_F(MainFormTest, EveryControlHasTheNameAUserSees) {
  TMainForm& form = Create();
  form.show();
  QAccessible::setActive(true);
  const QWidget* controls[] = {
      form.lvCookies,   form.edCookieCount, form.CheckListBox1, form.ProgressBar,  form.ToolButton1,
      form.ToolButton2, form.ToolButton3,   form.ToolButton4,   form.ToolButton5,  form.ToolButton6,
      form.ToolButton7, form.ToolButton8,   form.ToolButton11,  form.ToolButton12,
  };
  for (const QWidget* control : controls) {
    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    ASSERT_NE(accessible, nullptr);
    const QString name = accessible->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << control->metaObject()->className();
  }
  QAccessibleInterface* refresh = QAccessible::queryAccessibleInterface(form.ToolButton3);
  EXPECT_EQ(refresh->text(QAccessible::Name), "Refresh");
  ASSERT_NE(refresh->actionInterface(), nullptr);
  EXPECT_TRUE(refresh->actionInterface()->actionNames().contains(
      QAccessibleActionInterface::pressAction()));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form.edCookieCount)->text(QAccessible::Name),
            "Total Cookies:");
}

TEST_F(MainFormTest, ShowingTheWindowActivatesItFocusesTheListAndProbes) {
  AddCookie("Cookie:a@one/");
  TMainForm& form = Create();
  form.show();
  form.activateWindow();
  for (int i = 0; i < 20 && fake.CallsOf("LoadLibraryA").empty(); ++i) {
    QApplication::processEvents();
  }
  EXPECT_THAT(fake.CallsOf("LoadLibraryA"), ElementsAre("LoadLibraryA(\"shlwapi.dll\")"));
  EXPECT_EQ(ShellMajorVersion, 6u);
  EXPECT_EQ(QApplication::focusWidget(), form.lvCookies);
  EXPECT_EQ(form.lvCookies->Selected(), form.lvCookies->Items->Item(0));
}

TEST_F(MainFormTest, CloseOnTheFirstTabClosesTheWindow) {
  TMainForm& form = Create();
  form.show();
  form.ToolButton6->click();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, CloseOnTheSecondTabClosesTheWindow) {
  TMainForm& form = Create();
  form.show();
  form.PageControl1->setCurrentIndex(1);
  form.ToolButton12->click();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
