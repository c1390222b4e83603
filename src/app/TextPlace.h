#pragma once

#include <cstdint>
#include <string_view>

// Where a text stands in a sort by the value it shows: its value, or, when it does not read
// as one, after every value, such texts among themselves in byte order. This keeps the order
// total whatever the texts hold, so a sort always ends with every row once.
struct TextPlace {
  bool readable;
  std::int64_t value;
};

// -1, 0 or 1.
inline int ComparePlaces(const TextPlace& a, std::string_view textA, const TextPlace& b,
                         std::string_view textB) {
  if (a.readable != b.readable) return a.readable ? -1 : 1;
  if (!a.readable) {
    const int bytes = textA.compare(textB);
    return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
  }
  return a.value < b.value ? -1 : a.value > b.value ? 1 : 0;
}
