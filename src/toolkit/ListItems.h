#pragma once
// The rows of a report-style list view: a caption and sub-items per row, all text, with a
// check mark. Rows live in the model; the view only shows them.

#include <QAbstractTableModel>

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

namespace toolkit {

enum TSortType { stNone, stData };

class TListItems;
class TListView;

class TListItem {
  struct Passkey {};  // rows are made by their list only

 public:
  TListItem(Passkey, TListItems* owner, int index) : owner_(owner), index_(index) {}
  ~TListItem();
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

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
  // Replaces `length` bytes at `at` of the texts with `text`.
  void Splice(std::size_t at, std::size_t length, std::string_view text);

  TListItems* owner_;
  // The caption and every sub-item, each ended by a NUL, in one heap block of exactly their
  // size: a large list stays small. Null for a row with no text yet. The texts never hold a
  // NUL of their own.
  char* texts_ = nullptr;
  std::uint32_t size_ = 0;
  int index_;
  std::uint16_t subItemCount_ = 0;
  bool checked_ = false;
};

class TListItems : public QAbstractTableModel {
 public:
  explicit TListItems(TListView* view);
  ~TListItems() override;

  int Count() const { return static_cast<int>(rows_.size()); }
  TListItem* Item(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
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
  std::deque<TListItem> items_;   // the rows themselves, never moved
  std::vector<TListItem*> rows_;  // in display order
  int updateCount_ = 0;
  bool resetting_ = false;
  TSortType savedSortType_ = stNone;
};

}  // namespace toolkit
