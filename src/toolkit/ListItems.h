#pragma once
// The rows of a report-style list view: a caption and sub-items per row, all text, with a
// check mark. Rows live in the model; the view only shows them.

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

enum TSortType { stNone, stData };

class TListItems;
class TListView;

class TListItem {
 public:
  std::string_view Caption() const;
  void SetCaption(std::string_view caption);
  int SubItemCount() const { return subItemCount_; }
  // Sub-item `index`, or an empty text when the row has no such sub-item.
  std::string_view SubItem(int index) const;
  void AddSubItem(std::string_view text);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Selected() const;
  // Selects this row alone (one row can be selected at a time), or clears its selection.
  void SetSelected(bool selected);
  // Scrolls the list so the row is visible.
  void MakeVisible();
  int Index() const { return index_; }

 private:
  friend class TListItems;
  TListItem(TListItems* owner, int index) : owner_(owner), index_(index) {}

  TListItems* owner_;
  // The caption and every sub-item, each ended by a NUL: one block per row keeps a large
  // list small. The texts never hold a NUL of their own.
  std::string texts_{'\0'};
  int index_;
  int subItemCount_ = 0;
  bool checked_ = false;
};

class TListItems : public QAbstractTableModel {
 public:
  explicit TListItems(TListView* view);
  ~TListItems() override;

  int Count() const { return static_cast<int>(rows_.size()); }
  TListItem* Item(int index) const { return rows_.at(static_cast<std::size_t>(index)).get(); }
  TListItem* Add();
  void Clear();
  // Inside the bracket the view does not repaint, and the list's sort type is stNone; its
  // end restores the sort type, which sorts again when that is stData.
  void BeginUpdate();
  void EndUpdate();

  // Reorders the rows by `less`, stably, keeping each row's texts, check mark and selection.
  void Sort(const std::function<bool(TListItem*, TListItem*)>& less);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  friend class TListItem;
  friend class TListView;
  void Changed(const TListItem& item, int role);
  // Before a change of the set of rows: inside the bracket the model resets once, at its end.
  void BeginStructureChange();

  TListView* view_;
  std::vector<std::unique_ptr<TListItem>> rows_;
  int updateCount_ = 0;
  bool resetting_ = false;
  TSortType savedSortType_ = stNone;
};

}  // namespace toolkit
