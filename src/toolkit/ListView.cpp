#include "toolkit/ListView.h"

#include <QHeaderView>

#include "toolkit/Finally.h"

namespace toolkit {
namespace {
// How long the pointer rests on a row before hot tracking selects it.
constexpr int kHoverSelectMs = 500;
}  // namespace

TListView::TListView(QWidget* parent) : QTableView(parent), Items(new TListItems(this)) {
  // A table view keeps nothing per row, where a tree view keeps an item for each.
  setModel(Items);
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setMouseTracking(true);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setStretchLastSection(false);
  // The selected row keeps its highlight while another control has the focus.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(colours);

  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    if (!OnColumnClick || section < 0 || section >= static_cast<int>(columns_.size())) return;
    Application->Dispatch(
        [this, section] { OnColumnClick(this, &columns_[static_cast<std::size_t>(section)]); });
  });
  connect(this, &QAbstractItemView::entered, this, &TListView::Hover);
  hoverSelect_.setSingleShot(true);
  hoverSelect_.setInterval(kHoverSelectMs);
  connect(&hoverSelect_, &QTimer::timeout, this, [this] {
    if (hotRow_ >= 0 && hotRow_ < Items->Count()) SetItemFocused(Items->Item(hotRow_));
  });
}

void TListView::AddColumn(const QString& caption, int width, Qt::Alignment alignment) {
  const int index = static_cast<int>(columns_.size());
  Items->beginInsertColumns({}, index, index);
  columns_.push_back({index, caption, width, alignment});
  Items->endInsertColumns();
  setColumnWidth(index, width);
}

TListItem* TListView::Selected() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : Items->Item(rows.first().row());
}

TListItem* TListView::ItemFocused() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? Items->Item(current.row()) : nullptr;
}

void TListView::SetItemFocused(TListItem* item) {
  if (item == nullptr) {
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    return;
  }
  selectionModel()->setCurrentIndex(
      Items->index(item->Index(), 0),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TListView::SetSortType(TSortType sortType) {
  if (sortType == sortType_) return;
  sortType_ = sortType;
  if (sortType_ == stData && OnCompare) Sort();
}

void TListView::Sort() {
  if (OnBeginSort) OnBeginSort();
  const Finally endSort([this] {
    if (OnEndSort) OnEndSort();
  });
  Items->Sort([this](TListItem* a, TListItem* b) {
    int compare = 0;
    OnCompare(this, a, b, 0, compare);
    return compare < 0;
  });
}

void TListView::Hover(const QModelIndex& index) {
  const int row = index.isValid() ? index.row() : -1;
  if (row == hotRow_) return;
  const int previous = hotRow_;
  hotRow_ = row;
  for (int changed : {previous, row}) {
    if (changed >= 0 && changed < Items->Count()) {
      emit Items->dataChanged(Items->index(changed, 0),
                              Items->index(changed, Items->columnCount() - 1), {Qt::FontRole});
    }
  }
  if (row >= 0) {
    hoverSelect_.start();
  } else {
    hoverSelect_.stop();
  }
}

void TListView::leaveEvent(QEvent* event) {
  Hover({});
  QTableView::leaveEvent(event);
}

}  // namespace toolkit
