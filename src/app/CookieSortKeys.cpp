#include "app/CookieSortKeys.h"

#include <string>

#include "app/FuncUnit.h"
#include "platform/Locale.h"
#include "toolkit/Exceptions.h"
#include "toolkit/IntegerText.h"

namespace {

constexpr int kAddress = 1;
constexpr int kHits = 2;
constexpr int kFullAddress = 5;

bool IsText(int column) {
  return column == kAddress || column == kFullAddress;
}

int Sign(int value) {
  return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// The user's sort key of a row's text, which ends in a NUL; the text's own bytes when the
// platform gives no key.
std::string SortKey(std::string_view text) {
  // Room for most keys, so that one call usually does.
  std::string key(text.size() * 4 + 16, '\0');
  int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), -1, key.data(),
                          static_cast<int>(key.size()));
  if (size == 0) {
    size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), -1, nullptr, 0);
    if (size <= 0) return std::string(text);
    key.assign(static_cast<std::size_t>(size), '\0');
    if (LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), -1, key.data(), size) !=
        size) {
      return std::string(text);
    }
  }
  key.resize(static_cast<std::size_t>(size) - 1);  // less the NUL
  return key;
}

}  // namespace

void CookieSortKeys::BeginSort(int rows) {
  sorting_ = true;
  keys_.assign(static_cast<std::size_t>(rows), Key{});
}

void CookieSortKeys::EndSort() {
  sorting_ = false;
  std::vector<Key>().swap(keys_);
}

TextPlace CookieSortKeys::HitsPlace(std::string_view text) {
  try {
    return {true, toolkit::StrToInt(text)};
  } catch (const toolkit::EConvertError&) {
    // Counts above 2147483647 do not read as signed: read them as the unsigned counts they are.
    std::int64_t value = 0;
    if (text.empty() || text.size() > 18) return {false, 0};
    for (const char digit : text) {
      if (digit < '0' || digit > '9') return {false, 0};
      value = value * 10 + (digit - '0');
    }
    return {true, value};
  }
}

int CookieSortKeys::CompareTexts(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) -
         2;
}

std::string_view CookieSortKeys::Text(int column, const toolkit::TListItem& item) {
  return column == kAddress ? item.Caption() : item.SubItem(column - 2);
}

const CookieSortKeys::Key& CookieSortKeys::KeyOf(int column, const toolkit::TListItem& item) {
  Key& key = keys_[static_cast<std::size_t>(item.Index())];
  if (key.ready) return key;
  const std::string_view text = Text(column, item);
  if (IsText(column)) {
    key.collation = SortKey(text);
  } else {
    key.place = column == kHits ? HitsPlace(text) : DateTextPlace(text);
  }
  key.ready = true;
  return key;
}

int CookieSortKeys::Compare(int column, const toolkit::TListItem& a, const toolkit::TListItem& b) {
  if (column < kAddress || column > kFullAddress) return 0;
  const std::string_view textA = Text(column, a);
  const std::string_view textB = Text(column, b);
  if (!sorting_ || static_cast<std::size_t>(std::max(a.Index(), b.Index())) >= keys_.size()) {
    if (IsText(column)) return CompareTexts(textA, textB);
    if (column == kHits) return ComparePlaces(HitsPlace(textA), textA, HitsPlace(textB), textB);
    return CompareDateTexts(textA, textB);
  }
  const Key& keyA = KeyOf(column, a);
  const Key& keyB = KeyOf(column, b);
  if (IsText(column)) return Sign(keyA.collation.compare(keyB.collation));
  return ComparePlaces(keyA.place, textA, keyB.place, textB);
}
