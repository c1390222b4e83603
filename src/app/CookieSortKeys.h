#pragma once
// What the cookie list is compared by, per column, worked out once per row for the length of
// one sort; outside a sort, worked out afresh for each comparison. Both give the same order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/TextPlace.h"
#include "toolkit/ListItems.h"

class CookieSortKeys {
 public:
  void BeginSort(int rows);
  void EndSort();

  // Compares two rows by column 1 to 5 (address, hits, modified, expires, full address):
  // -1, 0 or 1.
  int Compare(int column, const toolkit::TListItem& a, const toolkit::TListItem& b);

  // The hit count text's place: a decimal number; counts above the signed 32-bit range
  // read as the unsigned numbers they are.
  static TextPlace HitsPlace(std::string_view text);
  // The text comparison of the user's collation.
  static int CompareTexts(std::string_view a, std::string_view b);

 private:
  struct Key {
    bool ready = false;
    TextPlace place{};
    std::string collation;  // the sort key of a text column
  };

  const Key& KeyOf(int column, const toolkit::TListItem& item);
  static std::string_view Text(int column, const toolkit::TListItem& item);

  bool sorting_ = false;
  std::vector<Key> keys_;
};
