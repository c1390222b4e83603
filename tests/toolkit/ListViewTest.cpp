// The list view semantics the program relies on: when a sort runs, what the update bracket
// does, and that rows move whole, check marks and selection included.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "toolkit/Application.h"
#include "toolkit/ListView.h"

namespace {

using ::testing::ElementsAre;
using toolkit::stData;
using toolkit::stNone;
using toolkit::TListItem;

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest() {
    view_.AddColumn("Name", 100, Qt::AlignLeft);
    view_.AddColumn("Value", 50, Qt::AlignHCenter);
    view_.OnCompare = [this](toolkit::TObject*, TListItem* a, TListItem* b, int data, int& c) {
      ++compares_;
      EXPECT_EQ(data, 0);
      c = a->Caption().compare(b->Caption());
    };
  }

  void Add(const std::string& caption, bool checked = false) {
    TListItem* item = view_.Items->Add();
    item->SetCaption(caption);
    item->AddSubItem("v" + caption);
    item->SetChecked(checked);
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < view_.Items->Count(); ++i) {
      captions.emplace_back(view_.Items->Item(i)->Caption());
    }
    return captions;
  }

  fakes::FakePlatform fake_;
  toolkit::TApplication application_;
  toolkit::TListView view_{nullptr};
  int compares_ = 0;
};

TEST_F(ListViewTest, OnlyAChangeToDataSortSorts) {
  for (const char* caption : {"c", "a", "b"}) Add(caption);
  view_.SetSortType(stData);
  EXPECT_THAT(Captions(), ElementsAre("a", "b", "c"));
  EXPECT_GT(compares_, 0);

  compares_ = 0;
  view_.Items->Item(0)->SetCaption("z");
  view_.SetSortType(stData);
  Add("0");
  EXPECT_EQ(compares_, 0) << "neither the same sort type nor new rows sort";
  EXPECT_THAT(Captions(), ElementsAre("z", "b", "c", "0"));

  view_.SetSortType(stNone);
  EXPECT_THAT(Captions(), ElementsAre("z", "b", "c", "0")) << "stNone restores no order";
  view_.SetSortType(stData);
  EXPECT_THAT(Captions(), ElementsAre("0", "b", "c", "z"));
}

TEST_F(ListViewTest, UpdateBracketSuspendsTheSortAndResortsAtItsEnd) {
  view_.SetSortType(stData);
  QSignalSpy resets(view_.Items, &QAbstractItemModel::modelReset);
  QSignalSpy inserts(view_.Items, &QAbstractItemModel::rowsInserted);
  view_.Items->BeginUpdate();
  view_.Items->BeginUpdate();
  EXPECT_EQ(view_.SortType(), stNone);
  view_.Items->Clear();
  for (const char* caption : {"c", "a", "b"}) Add(caption);
  view_.Items->EndUpdate();
  EXPECT_EQ(view_.SortType(), stNone) << "the inner end leaves the bracket open";
  EXPECT_THAT(Captions(), ElementsAre("c", "a", "b"));
  view_.Items->EndUpdate();
  EXPECT_EQ(view_.SortType(), stData);
  EXPECT_THAT(Captions(), ElementsAre("a", "b", "c"));
  EXPECT_EQ(resets.count(), 1) << "the whole refill reaches the view once";
  EXPECT_EQ(inserts.count(), 0);
}

TEST_F(ListViewTest, BracketWithoutSortKeyKeepsInsertionOrder) {
  view_.Items->BeginUpdate();
  for (const char* caption : {"c", "a", "b"}) Add(caption);
  view_.Items->EndUpdate();
  EXPECT_EQ(view_.SortType(), stNone);
  EXPECT_EQ(compares_, 0);
  EXPECT_THAT(Captions(), ElementsAre("c", "a", "b"));
}

TEST_F(ListViewTest, SortMovesWholeRowsWithCheckMarksAndSelection) {
  Add("d", true);
  Add("b", false);
  Add("c", true);
  Add("a", false);
  TListItem* c = view_.Items->Item(2);
  view_.SetItemFocused(c);
  const QPersistentModelIndex persistent = view_.Items->index(2, 1);
  view_.SetSortType(stData);
  EXPECT_THAT(Captions(), ElementsAre("a", "b", "c", "d"));
  std::vector<bool> checks;
  std::vector<std::string> subItems;
  for (int i = 0; i < 4; ++i) {
    checks.push_back(view_.Items->Item(i)->Checked());
    subItems.emplace_back(view_.Items->Item(i)->SubItem(0));
  }
  EXPECT_THAT(checks, ElementsAre(false, false, true, true));
  EXPECT_THAT(subItems, ElementsAre("va", "vb", "vc", "vd"));
  EXPECT_EQ(view_.Selected(), c);
  EXPECT_EQ(view_.ItemFocused(), c);
  EXPECT_TRUE(c->Selected());
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(persistent.row(), 2);
  EXPECT_EQ(persistent.data().toString(), "vc");
}

TEST_F(ListViewTest, RowTextsAndTheUsersCheckBox) {
  TListItem* item = view_.Items->Add();
  item->AddSubItem("one");
  item->AddSubItem("");
  item->SetCaption("caption set last");
  EXPECT_EQ(item->Caption(), "caption set last");
  EXPECT_EQ(item->SubItem(0), "one");
  EXPECT_EQ(item->SubItem(1), "");
  EXPECT_EQ(item->SubItem(2), "") << "a missing sub-item reads empty";
  EXPECT_EQ(item->SubItemCount(), 2);
  const QModelIndex first = view_.Items->index(0, 0);
  EXPECT_TRUE(view_.Items->flags(first) & Qt::ItemIsUserCheckable);
  EXPECT_TRUE(view_.Items->setData(first, Qt::Checked, Qt::CheckStateRole));
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(
      view_.Items->data(view_.Items->index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter,
      Qt::AlignHCenter);
}

TEST_F(ListViewTest, HeaderClickReportsTheColumn) {
  std::vector<int> clicked;
  view_.OnColumnClick = [&](toolkit::TObject* sender, toolkit::TListColumn* column) {
    EXPECT_EQ(sender, &view_);
    clicked.push_back(column->Index);
  };
  emit view_.horizontalHeader()->sectionClicked(1);
  emit view_.horizontalHeader()->sectionClicked(0);
  EXPECT_THAT(clicked, ElementsAre(1, 0));
}

}  // namespace
