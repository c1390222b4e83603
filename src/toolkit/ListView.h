#pragma once
// A report-style list with a check box per row, single selection that stays highlighted
// without the focus, hot tracking, and sorting through a compare event.

#include <QTableView>
#include <QTimer>

#include <functional>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ListItems.h"

namespace toolkit {

struct TListColumn {
  int Index;
  QString Caption;
  int Width;
  Qt::Alignment Alignment;
};

// Sets Compare negative when Item1 comes first, positive when after, 0 when equivalent.
using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                           int Data, int& Compare)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

class TListView : public QTableView {
 public:
  explicit TListView(QWidget* parent);

  void AddColumn(const QString& caption, int width, Qt::Alignment alignment);
  const std::vector<TListColumn>& Columns() const { return columns_; }

  TListItems* const Items;
  // The selected row, or null.
  TListItem* Selected() const;
  // The row with the focus rectangle, or null.
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* item);
  // Shown on the screen: itself and every parent visible.
  bool Showing() const { return isVisible(); }

  TSortType SortType() const { return sortType_; }
  // A change to stData with OnCompare assigned sorts every row at once; other changes, and
  // setting the type it already has, do not sort.
  void SetSortType(TSortType sortType);

  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;
  // Run just before and just after every sort, so a compare handler can work out what it
  // compares once per row and sort. During a sort, a row's Index() is its place before it.
  std::function<void()> OnBeginSort;
  std::function<void()> OnEndSort;

  // The row under the mouse pointer, whose text is underlined; -1 for none.
  int HotRow() const { return hotRow_; }

 protected:
  void leaveEvent(QEvent* event) override;

 private:
  void Sort();
  void Hover(const QModelIndex& index);

  std::vector<TListColumn> columns_;
  TSortType sortType_ = stNone;
  int hotRow_ = -1;
  QTimer hoverSelect_;
};

}  // namespace toolkit
