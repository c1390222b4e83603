#include "toolkit/ListItems.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <cstring>

#include "toolkit/ListView.h"

namespace toolkit {
namespace {

QString Shown(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string_view TListItem::Caption() const {
  return {texts_.c_str()};
}

void TListItem::SetCaption(std::string_view caption) {
  const std::size_t end = texts_.find('\0');
  texts_.replace(0, end, caption);
  owner_->Changed(*this, Qt::DisplayRole);
}

std::string_view TListItem::SubItem(int index) const {
  if (index < 0 || index >= subItemCount_) return {};
  std::size_t start = texts_.find('\0') + 1;
  for (int i = 0; i < index; ++i) start = texts_.find('\0', start) + 1;
  return {texts_.c_str() + start};
}

void TListItem::AddSubItem(std::string_view text) {
  texts_.append(text);
  texts_.push_back('\0');
  ++subItemCount_;
  owner_->Changed(*this, Qt::DisplayRole);
}

void TListItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  owner_->Changed(*this, Qt::CheckStateRole);
}

bool TListItem::Selected() const {
  return owner_->view_->selectionModel()->isRowSelected(index_, {});
}

void TListItem::SetSelected(bool selected) {
  const QModelIndex row = owner_->index(index_, 0);
  owner_->view_->selectionModel()->select(
      row, selected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                    : QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void TListItem::MakeVisible() {
  owner_->view_->scrollTo(owner_->index(index_, 0), QAbstractItemView::EnsureVisible);
}

TListItems::TListItems(TListView* view) : QAbstractTableModel(view), view_(view) {}

TListItems::~TListItems() = default;

void TListItems::BeginStructureChange() {
  if (updateCount_ > 0 && !resetting_) {
    beginResetModel();
    resetting_ = true;
  }
}

TListItem* TListItems::Add() {
  const int row = Count();
  BeginStructureChange();
  if (!resetting_) beginInsertRows({}, row, row);
  rows_.push_back(std::unique_ptr<TListItem>(new TListItem(this, row)));
  if (!resetting_) endInsertRows();
  return rows_.back().get();
}

void TListItems::Clear() {
  BeginStructureChange();
  if (!resetting_) beginResetModel();
  rows_.clear();
  if (!resetting_) endResetModel();
}

void TListItems::BeginUpdate() {
  if (updateCount_++ > 0) return;
  savedSortType_ = view_->SortType();
  view_->SetSortType(stNone);
  view_->setUpdatesEnabled(false);
}

void TListItems::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  if (resetting_) {
    resetting_ = false;
    endResetModel();
  }
  view_->setUpdatesEnabled(true);
  view_->SetSortType(savedSortType_);
}

void TListItems::Sort(const std::function<bool(TListItem*, TListItem*)>& less) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<TListItem*> moved;
  moved.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) moved.push_back(Item(index.row()));
  std::stable_sort(rows_.begin(), rows_.end(),
                   [&less](const auto& a, const auto& b) { return less(a.get(), b.get()); });
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->index_ = static_cast<int>(i);
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    after.push_back(index(moved[static_cast<std::size_t>(i)]->index_, before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TListItems::Changed(const TListItem& item, int role) {
  if (resetting_) return;
  const QModelIndex first = index(item.index_, 0);
  const QModelIndex last = index(item.index_, columnCount() - 1);
  emit dataChanged(first, last, {role});
}

int TListItems::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

int TListItems::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(view_->Columns().size());
}

QVariant TListItems::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  const TListItem& item = *rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return Shown(column == 0 ? item.Caption() : item.SubItem(column - 1));
    case Qt::CheckStateRole:
      if (column == 0) return item.Checked() ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(view_->Columns()[static_cast<std::size_t>(column)].Alignment |
                                 Qt::AlignVCenter);
    case Qt::FontRole:
      if (index.row() == view_->HotRow()) {
        QFont font = view_->font();
        font.setUnderline(true);
        return font;
      }
      return {};
    default:
      return {};
  }
}

bool TListItems::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != 0 || index.row() >= Count()) return false;
  Item(index.row())->SetChecked(value.toInt() == Qt::Checked);
  return true;
}

Qt::ItemFlags TListItems::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant TListItems::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const TListColumn& column = view_->Columns()[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole) return column.Caption;
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(column.Alignment);
  return {};
}

}  // namespace toolkit
