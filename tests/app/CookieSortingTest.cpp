// Sorting the cookie list by its column headers: the key changes, the order of each column in
// both directions, dates read back under the user's formats, and a sort that stays whole
// whatever the texts hold.

#include <gmock/gmock.h>

#include <QHeaderView>

#include <algorithm>
#include <random>

#include "MainFormFixture.h"
#include "toolkit/FormatSettings.h"
#include "tools/FileTimes.h"

namespace {

using standin::FileTimeOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using toolkit::TListItem;

constexpr int kAddress = 0;
constexpr int kHits = 1;
constexpr int kModified = 2;
constexpr int kExpires = 3;
constexpr int kFullAddress = 4;

toolkit::FormatSettings Us() {
  toolkit::FormatSettings s;
  s.amDesignator = "AM";
  s.pmDesignator = "PM";
  return s;
}

class CookieSortingTest : public MainFormTest {
 protected:
  CookieSortingTest() : formats_(Us()) { fake.now.wYear = 2025; }

  void Click(int column) { emit MainForm->lvCookies->horizontalHeader()->sectionClicked(column); }

  // A row with chosen texts, as a load would have left it.
  void AddRow(const std::string& caption, const std::string& hits, const std::string& modified,
              const std::string& expires = "1/1/2030", std::string full = "") {
    TListItem* row = MainForm->lvCookies->Items->Add();
    row->SetCaption(caption);
    row->AddSubItem(hits);
    row->AddSubItem(modified);
    row->AddSubItem(expires);
    row->AddSubItem(full.empty() ? "Cookie:u@" + caption : full);
  }

  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      const TListItem* row = MainForm->lvCookies->Items->Item(i);
      texts.emplace_back(column == 0 ? row->Caption() : row->SubItem(column - 1));
    }
    return texts;
  }

  int CompareRows(int first, int second) {
    int compare = 99;
    MainForm->lvCookiesCompare(MainForm->lvCookies, MainForm->lvCookies->Items->Item(first),
                               MainForm->lvCookies->Items->Item(second), 0, compare);
    return compare;
  }

  toolkit::ScopedFormatSettings formats_;
};

TEST_F(CookieSortingTest, SameHeaderReversesAndANewHeaderStartsAscending) {
  Create();
  AddRow("b", "10", "1/1/2001");
  AddRow("a", "9", "1/1/2003");
  AddRow("c", "11", "1/1/2002");
  Click(kHits);
  EXPECT_THAT(Column(kHits), ElementsAre("9", "10", "11")) << "numbers, not texts";
  Click(kHits);
  EXPECT_THAT(Column(kHits), ElementsAre("11", "10", "9"));
  Click(kHits);
  EXPECT_THAT(Column(kHits), ElementsAre("9", "10", "11"));
  Click(kAddress);
  Click(kAddress);
  EXPECT_THAT(Column(kAddress), ElementsAre("c", "b", "a"));
  Click(kHits);
  EXPECT_THAT(Column(kHits), ElementsAre("9", "10", "11")) << "a new column starts ascending";
  Click(kAddress);
  EXPECT_THAT(Column(kAddress), ElementsAre("a", "b", "c"));
}

struct ColumnCase {
  const char* name;
  int column;
  std::vector<std::string> ascending;  // column texts; a tie pair stays in load order
};

TEST_F(CookieSortingTest, EveryColumnSortsBothWaysAndTiesCompareEqualBothWays) {
  Create();
  // Load order: tie partners come in the order "first" then "second".
  AddRow("b.com", "10", "12/31/2003", "1/5/2004 1:00:00 PM", "Cookie:x@b.com/");
  AddRow("a.com", "9", "1/5/2004", "1/5/2004 1:00:00 PM", "Cookie:x@a.com/");
  AddRow("A.com", "10", "1/1/99", "1/5/2004 9:00:00 AM", "Cookie:x@A.com/");
  AddRow("B.com", "2147483648", "1/1/40", "12/31/2003", "Cookie:x@B.com/");
  const ColumnCase cases[] = {
      // The user's collation puts letter case after the letter: a < A < b < B.
      {"address", kAddress, {"a.com", "A.com", "b.com", "B.com"}},
      {"hits, the largest count read unsigned", kHits, {"9", "10", "10", "2147483648"}},
      // Two-digit years fall in 1975 to 2074: 99 is 1999, 40 is 2040.
      {"modified", kModified, {"1/1/99", "12/31/2003", "1/5/2004", "1/1/40"}},
      {"expires",
       kExpires,
       {"12/31/2003", "1/5/2004 9:00:00 AM", "1/5/2004 1:00:00 PM", "1/5/2004 1:00:00 PM"}},
      {"full address",
       kFullAddress,
       {"Cookie:x@a.com/", "Cookie:x@A.com/", "Cookie:x@b.com/", "Cookie:x@B.com/"}},
  };
  for (const ColumnCase& c : cases) {
    Click(c.column);
    EXPECT_THAT(Column(c.column), ElementsAreArray(c.ascending)) << c.name;
    Click(c.column);
    std::vector<std::string> descending(c.ascending.rbegin(), c.ascending.rend());
    EXPECT_THAT(Column(c.column), ElementsAreArray(descending)) << c.name;
  }
  // The hits tie: rows 10 and 10, in both directions.
  Click(kHits);
  EXPECT_EQ(CompareRows(1, 2), 0);
  Click(kHits);
  EXPECT_EQ(CompareRows(1, 2), 0);
  EXPECT_EQ(CompareRows(0, 3), -1) << "descending: the most hits first";
}

TEST_F(CookieSortingTest, UnwritableTimesSortFirstAndTieWithTheirInstant) {
  AddCookie("Cookie:a@late/", 1, FileTimeOf(2004, 6, 1, 12, 0, 0));
  AddCookie("Cookie:a@never/", 1, 0);
  AddCookie("Cookie:a@first/", 1, FileTimeOf(1980, 1, 1));
  AddCookie("Cookie:a@early/", 1, FileTimeOf(1990, 6, 1, 12, 0, 0));
  Create();
  Click(kModified);
  EXPECT_THAT(Captions(), ElementsAre("never", "first", "early", "late"));
  EXPECT_EQ(CompareRows(0, 1), 0) << "the fixed text is the first moment of 1980";
}

TEST_F(CookieSortingTest, TextsThatNoLongerReadBackSortAfterEveryTimeInByteOrder) {
  Create();
  AddRow("a", "1", "1/2/2004");
  AddRow("b", "1", "junk");
  AddRow("c", "1", "1/1/2004");
  AddRow("d", "1", "01.01.2004");
  AddRow("e", "x", "");
  Click(kModified);
  EXPECT_THAT(Column(kModified), ElementsAre("1/1/2004", "1/2/2004", "", "01.01.2004", "junk"));
  Click(kModified);
  EXPECT_THAT(Column(kModified), ElementsAre("junk", "01.01.2004", "", "1/2/2004", "1/1/2004"));
  Click(kHits);
  EXPECT_THAT(Column(kHits), ElementsAre("1", "1", "1", "1", "x"));
}

TEST_F(CookieSortingTest, ReloadComesBackSortedOnlyOnceAHeaderWasClicked) {
  AddCookie("Cookie:a@c/", 3);
  AddCookie("Cookie:a@a/", 1);
  AddCookie("Cookie:a@b/", 2);
  TMainForm& form = Create();
  form.btnRefreshClick(nullptr);
  EXPECT_THAT(Captions(), ElementsAre("c", "a", "b")) << "the cache's order";
  Click(kHits);
  Click(kHits);
  AddCookie("Cookie:a@d/", 4);
  form.ToolButton3->Click();
  EXPECT_THAT(Captions(), ElementsAre("d", "c", "b", "a"));
}

TEST_F(CookieSortingTest, CheckMarksAndSelectionMoveWithTheirRows) {
  Create();
  AddRow("c", "3", "1/1/2003");
  AddRow("a", "1", "1/1/2001");
  AddRow("b", "2", "1/1/2002");
  MainForm->lvCookies->Items->Item(0)->SetChecked(true);
  TListItem* b = MainForm->lvCookies->Items->Item(2);
  MainForm->lvCookies->SetItemFocused(b);
  Click(kAddress);
  EXPECT_THAT(Captions(), ElementsAre("a", "b", "c"));
  EXPECT_TRUE(MainForm->lvCookies->Items->Item(2)->Checked());
  EXPECT_FALSE(MainForm->lvCookies->Items->Item(0)->Checked());
  EXPECT_EQ(MainForm->lvCookies->Selected(), b);
}

TEST_F(CookieSortingTest, EachRowIsReadBackAndKeyedOncePerSort) {
  Create();
  for (const char* caption : {"e", "b", "d", "a", "c", "f", "h", "g"})
    AddRow(caption, "1", "1/1/10");
  fake.calls.clear();
  Click(kAddress);
  EXPECT_EQ(fake.CallsOf("LCMapStringA").size(), 8u) << "one key per row";
  EXPECT_TRUE(fake.CallsOf("CompareStringA").empty());
  fake.calls.clear();
  Click(kModified);
  EXPECT_EQ(fake.CallsOf("GetLocalTime").size(), 8u) << "one reading per row";
}

// Rows of arbitrary texts, readable or not, sorted by every column both ways: every row stays
// exactly once, and the order is the stable order of the plain pairwise comparison.
TEST_F(CookieSortingTest, RandomTextsSortWholeAndAsThePairwiseComparisonOrders) {
  Create();
  std::mt19937 random(11);
  const char* const dates[] = {
      "1/1/2004",  "12/31/2003 3:07:08 PM", "1/1/99",    "junk",
      "",          "01/01/80 12:00:00 AM",  "2/30/2004", "1/1/2004 12:00:00 AM",
      "13/1/2004", "1/1/2004 11:59:58 PM"};
  const char* const hits[] = {"0",          "9", "10", "2147483647", "2147483648",
                              "4294967295", "x", "",   "-1",         "10"};
  const char* const names[] = {"a", "A", "b", "B", "a.com", "A.com", "\xff", "", "a/b", "ab"};
  for (int i = 0; i < 300; ++i) {
    AddRow(names[random() % 10], hits[random() % 10], dates[random() % 10], dates[random() % 10],
           std::string(names[random() % 10]) + std::to_string(i % 7));
  }
  const auto rows = [] {
    std::vector<TListItem*> all;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      all.push_back(MainForm->lvCookies->Items->Item(i));
    }
    return all;
  };
  for (int column = 0; column < 5; ++column) {
    for (int direction = 0; direction < 2; ++direction) {
      std::vector<TListItem*> expected = rows();
      Click(column);
      // The sort is done: the handler now compares without its per-sort keys.
      std::stable_sort(expected.begin(), expected.end(), [](TListItem* a, TListItem* b) {
        int compare = 0;
        MainForm->lvCookiesCompare(MainForm->lvCookies, a, b, 0, compare);
        return compare < 0;
      });
      EXPECT_EQ(rows(), expected) << "column " << column << " direction " << direction;
    }
  }
}

}  // namespace
