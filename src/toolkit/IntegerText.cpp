#include "toolkit/IntegerText.h"

#include <cstdint>
#include <string>

#include "toolkit/Exceptions.h"

namespace toolkit {

int StrToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  const std::size_t first = pos;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > limit) break;
  }
  if (pos == first || pos != text.size()) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace toolkit
