// Sorting the cookie list by a clicked column header.

#include <cstdlib>

#include "app/MainUnit.h"

using namespace toolkit;

void TMainForm::lvCookiesColumnClick(TObject* /*Sender*/, TListColumn* Column) {
  const int n = Column->Index + 1;
  SortColumn = n == std::abs(SortColumn) ? -SortColumn : n;
  // The list sorts only on a change of sort type: passing through stNone makes every click one.
  lvCookies->SetSortType(stNone);
  lvCookies->SetSortType(stData);
}

void TMainForm::lvCookiesCompare(TObject* /*Sender*/, TListItem* Item1, TListItem* Item2,
                                 int /*Data*/, int& Compare) {
  Compare = sortKeys_.Compare(std::abs(SortColumn), *Item1, *Item2);
  if (SortColumn < 0) Compare = -Compare;
}
