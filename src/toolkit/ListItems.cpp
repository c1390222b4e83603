#include "toolkit/ListItems.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "toolkit/ListView.h"

namespace toolkit {
namespace {

QString Shown(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TListItem::~TListItem() {
  std::free(texts_);
}

void TListItem::Splice(std::size_t at, std::size_t length, std::string_view text) {
  const std::size_t size = size_ - length + text.size();
  if (size > UINT32_MAX) throw std::length_error("row texts too long");
  char* block = texts_;
  if (text.size() > length) {
    block = static_cast<char*>(std::realloc(texts_, size));
    if (block == nullptr) throw std::bad_alloc();
  }
  std::memmove(block + at + text.size(), block + at + length, size_ - at - length);
  std::memcpy(block + at, text.data(), text.size());
  texts_ = block;
  size_ = static_cast<std::uint32_t>(size);
}

std::string_view TListItem::Caption() const {
  return texts_ == nullptr ? "" : texts_;
}

void TListItem::SetCaption(std::string_view caption) {
  if (texts_ == nullptr) {
    Splice(0, 0, std::string(caption) + '\0');
  } else {
    Splice(0, std::strlen(texts_), caption);
  }
  owner_->Changed(*this, Qt::DisplayRole);
}

std::string_view TListItem::SubItem(int index) const {
  if (index < 0 || index >= subItemCount_) return {};
  const char* text = texts_;
  for (int i = 0; i <= index; ++i) text += std::strlen(text) + 1;
  return text;
}

void TListItem::AddSubItem(std::string_view text) {
  if (texts_ == nullptr) Splice(0, 0, std::string_view("", 1));
  Splice(size_, 0, std::string(text) + '\0');
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
  TListItem& item = items_.emplace_back(TListItem::Passkey{}, this, row);
  rows_.push_back(&item);
  if (!resetting_) endInsertRows();
  return &item;
}

void TListItems::Clear() {
  BeginStructureChange();
  if (!resetting_) beginResetModel();
  rows_.clear();
  items_.clear();
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
  std::stable_sort(rows_.begin(), rows_.end(), less);
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
